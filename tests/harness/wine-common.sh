# Shared settings of the Wine test harness; sourced by the other scripts with
# WINE_ARCH naming the architecture of the programs under test:
#   i686    the shipping build: the 32-bit loader, in a 32-bit Windows prefix
#           (WINEARCH=win32: system32 only, no registry redirection)
#   x86_64  the 64-bit loader, in a 64-bit prefix
# The loaders are called by their full paths: /usr/bin/wine picks the 32-bit
# one whenever wine32 is installed, whatever the program. Programs run with
# the Japanese ANSI code page (932), in a prefix of their own, never in ~/.wine.
case ${WINE_ARCH:-} in
    i686)   WINE=/usr/lib/wine/wine   WINEARCH=win32 ;;
    x86_64) WINE=/usr/lib/wine/wine64 WINEARCH=win64 ;;
    *) echo "WINE_ARCH must be i686 or x86_64, not '${WINE_ARCH:-}'" >&2; exit 2 ;;
esac
# One server for both kinds of prefix: Debian's wrapper runs the 64-bit
# wineserver whenever wine64 is installed, and it serves 32-bit prefixes too.
WINESERVER=/usr/lib/wine/wineserver
export WINE_ARCH WINEARCH
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES='winemenubuilder.exe=d;mscoree=d;mshtml=d'
export USER=tester

# The status of a test that cannot run on this machine (CTest: SKIP_RETURN_CODE).
WINE_SKIP=77

# Ends the calling script, as skipped with the reason, when this machine
# cannot run the loader of WINE_ARCH. A machine that could but lacks the
# loader is a failure: tools/install-deps installs it there.
require_wine_loader() {
    local why
    if [ "$WINE_ARCH" = i686 ] && ! why=$("$(dirname "${BASH_SOURCE[0]}")/runs-32bit.sh"); then
        echo "SKIPPED (i686): $why; the i686 build needs a kernel that runs 32-bit programs for Wine's 32-bit loader"
        exit $WINE_SKIP
    fi
    if [ ! -x "$WINE" ]; then
        echo "$WINE is missing: tools/install-deps installs the Wine loader of $WINE_ARCH"
        exit 1
    fi
}

# Run a Windows command in the current prefix, bounded in time.
wine_cmd() { timeout "${WINE_TIMEOUT:-120}" "$WINE" "$@"; }

# reg add, quiet.
reg_add() { wine_cmd reg add "$@" /f >/dev/null; }

# Removes the wineserver's socket directory of a prefix whose server has
# ended: /tmp/wine-XXXXXX/server-<device>-<inode of the prefix, hex>.
remove_server_dir() {
    local sd d
    sd=server-$(stat -c %D "$1")-$(printf '%x' "$(stat -c %i "$1")")
    for d in /tmp/wine-*/"$sd"; do
        [ -d "$d" ] && rm -rf "$d" && rmdir "$(dirname "$d")" 2>/dev/null
    done
    return 0
}
