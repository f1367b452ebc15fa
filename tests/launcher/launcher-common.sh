# Helpers of the launcher's tests (sourced by their scripts inside
# gui-test.sh, so the scenario helpers are there). The scripts get the
# launcher, the stand-in installer and this directory as arguments.
LAUNCHER=$1
STANDIN=$2
DIR=$3
STAGING=$WINEPREFIX/drive_c/_SETUP_.DIR
REC=$WINEPREFIX/drive_c/rec

failed=0
fail() { echo "FAIL: $*"; failed=1; }
ok() { echo "ok   $*"; }

# The Unix directory of a medium given as a Windows path on C: or on a
# drive letter mapped with map_drive.
unix_dir() {
    local drive=${1%%:*} rest=${1#?:}
    rest=${rest//\\//}
    printf '%s%s' "$(realpath -m "$WINEPREFIX/dosdevices/${drive,,}:")" "$rest"
}

# map_drive LETTER: maps a new directory of the prefix to the drive LETTER: (a medium in a drive).
map_drive() {
    mkdir -p "$WINEPREFIX/media/$1"
    ln -sfn "../media/$1" "$WINEPREFIX/dosdevices/${1,,}:"
}

# compress_to SRC DEST: DEST is SRC compressed by mscompress (which appends
# "_" to the name; DEST gives the medium's "_" form, such as _SETUP.EX_).
compress_to() {
    local tmp; tmp=$(mktemp -d "$T/compress.XXXXXX")
    cp "$1" "$tmp/f"
    mscompress "$tmp/f" && mv "$tmp/f_" "$2"
    rm -rf "$tmp"
}

# write_script FILE: the script from standard input, UTF-8 with LF in,
# Shift-JIS with CR LF out, as a vendor's script would be.
write_script() {
    mkdir -p "$(dirname "$1")"
    sed 's/$/\r/' | iconv -f UTF-8 -t CP932 > "$1"
}

# The stand-in installer as a medium's plain _SETUP.EXE: a few bytes longer
# than the compressed one expands to, so that the test sees which was staged.
make_plain_installer() {
    cp "$STANDIN" "$1"
    printf 'PLAIN INSTALLER' >> "$1"
}

# launch NAME WINPATH: runs the launcher and waits for its end with exit
# code 1. One that is still running after a minute (a message box nobody
# answers?) is photographed as shots/NAME-stuck.png and stopped.
launch() {
    start_program "$1" "$2"
    local i
    for i in $(seq 1 600); do
        kill -0 "${gui_pid[$1]}" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "${gui_pid[$1]}" 2>/dev/null; then
        import -display "$DISPLAY" -window root "$SHOTS/$1-stuck.png" 2>/dev/null
        stop_program "$1"
        fail "$1: the launcher did not end (the screen is in shots/$1-stuck.png)"
        return
    fi
    wait_program "$1" 1 && ok "$1: the launcher ended with exit code 1" || failed=1
}

# A record of the stand-in (CP932) as UTF-8.
record() { iconv -f CP932 -t UTF-8 "$REC/$1/$2" 2>/dev/null; }

# expect_record CASE FILE TEXT
expect_record() {
    local got; got=$(record "$1" "$2")
    if [ "$got" = "$3" ]; then ok "$1: $2 is '$3'"; else fail "$1: $2 is '$got', expected '$3'"; fi
}

# The files left under a directory, one relative path a line, sorted.
tree_of() { (cd "$1" 2>/dev/null && find . -mindepth 1 | sed 's|^\./||' | sort); }

expect_no_staging() {
    if [ -e "$STAGING" ]; then
        fail "$1: the staging directory is left: $(tree_of "$STAGING" | tr '\n' ' ')"
    else
        ok "$1: the staging directory is removed"
    fi
}
