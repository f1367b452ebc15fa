#!/bin/bash
# Runs one Windows test in a Wine prefix of its own, cloned from the template,
# on a virtual X display of its own, with one persistent wineserver for the
# whole test (so the programs a test starts do not pay Wine's start-up).
#
# Usage: wine-test.sh ARCH TEMPLATE_DIR WORK_DIR NAME TEST_SCRIPT [ARGS...]
# ARCH (i686 or x86_64) is that of the programs under test and of the
# template (make-template.sh). TEST_SCRIPT is sourced with the helpers below
# defined, WINE_ARCH set, and the current directory set to the prefix's C:\;
# its exit status is the test's result. The harness alone ends with 77
# (skipped: this machine cannot run ARCH), so a script's 77 counts as 1.
# WORK_DIR/NAME keeps the prefix, the logs and the screenshots of a failed
# test; a passed test leaves only its screenshots (in WORK_DIR/NAME/shots).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
WINE_ARCH=$1
. "$here/wine-common.sh"
tdir=$2; work=$3; name=$4; script=$5; shift 5
require_wine_loader
template=$tdir/pfx
[ -f "$tdir/ready" ] || { echo "no template prefix in $tdir"; exit 1; }
read -r made_for _ < "$tdir/ready"
[ "$made_for" = "$WINE_ARCH" ] || { echo "the template in $tdir is for $made_for, not $WINE_ARCH"; exit 1; }
T=$work/$name
rm -rf "$T"; mkdir -p "$T/home" "$T/shots"
export HOME=$T/home WINEPREFIX=$T/pfx SHOTS=$T/shots

# Clone: hard-link the read-only system directories (system32, and syswow64
# of a 64-bit prefix made with wine32 installed), copy the rest (Wine
# rewrites files such as win.ini in place).
mkdir "$WINEPREFIX"
(cd "$template" && tar --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/syswow64 -cf - .) |
    (cd "$WINEPREFIX" && tar -xf -)
for d in system32 syswow64; do
    [ -d "$template/drive_c/windows/$d" ] && cp -al "$template/drive_c/windows/$d" "$WINEPREFIX/drive_c/windows/$d"
done
rm -f "$WINEPREFIX/wineserver"

# A display of our own: screenshots then show this test's windows only.
# WINE_TEST_DISPLAY names a display to use instead (to watch a run).
if [ -n "${WINE_TEST_DISPLAY:-}" ]; then
    export DISPLAY=$WINE_TEST_DISPLAY
else
    mkfifo "$T/xvfb.fd"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$T/xvfb.fd" 2>"$T/xvfb.log" &
    xvfb_pid=$!
    read -r -t 10 disp < "$T/xvfb.fd" || { echo "Xvfb did not start"; cat "$T/xvfb.log"; kill $xvfb_pid; exit 1; }
    export DISPLAY=:$disp
fi

cleanup() {
    "$WINESERVER" -k 2>/dev/null
    remove_server_dir "$WINEPREFIX"
    [ -n "${watcher_pid:-}" ] && kill "$watcher_pid" 2>/dev/null
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
    if [ "$status" = 0 ] && [ -z "${KEEP_WINE_TEST:-}" ]; then
        rm -rf "$WINEPREFIX" "$HOME"
    else
        echo "test files kept in $T"
    fi
}
status=1
trap cleanup EXIT

"$WINESERVER" -p
cd "$WINEPREFIX/drive_c"

# ---- helpers for test scripts ----

# The Windows path of a Unix path inside the prefix's C: drive.
winpath() { local p; p=$(realpath -m "$1"); p=${p#"$WINEPREFIX/drive_c"}; printf 'C:%s' "${p//\//\\}"; }

# Copies files into C:\DIR (created as needed).
put() { local dir=$1; shift; mkdir -p "$WINEPREFIX/drive_c/$dir"; cp -r "$@" "$WINEPREFIX/drive_c/$dir/"; }

# Screenshots on request: a program creates C:\snap\NAME.req and waits until
# the file is gone; the watcher saves the display as $SHOTS/NAME.png, cut to
# the rectangle WxH+X+Y when the request holds one.
start_snapshot_watcher() {
    mkdir -p "$WINEPREFIX/drive_c/snap"
    ( while :; do
        for r in "$WINEPREFIX"/drive_c/snap/*.req; do
            [ -e "$r" ] || continue
            n=$(basename "$r" .req)
            crop=$(tr -cd '0-9x+' < "$r")
            import -display "$DISPLAY" -window root ${crop:+-crop "$crop" +repage} "$SHOTS/$n.png" 2>>"$T/import.log"
            rm -f "$r"
        done
        sleep 0.1
      done ) &
    watcher_pid=$!
}

# Runs a gtest program copied into C:\tests.
run_gtest() {
    local exe=$1; shift
    put tests "$exe"
    wine_cmd "C:\\tests\\$(basename "$exe")" --gtest_color=no "$@"
}

# Sets the Windows version that Wine reports to one program (win95, nt351, nt40, ...).
set_windows_version() { reg_add "HKCU\\Software\\Wine\\AppDefaults\\$1" /v Version /d "$2"; }

. "$script" "$@"
status=$?
[ "$status" = "$WINE_SKIP" ] && status=1
exit $status
