# Shared settings of the Wine test harness; sourced by the other scripts.
# Every Windows test program runs under the 64-bit loader with the Japanese
# ANSI code page (932), in a prefix of its own, never in ~/.wine.
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES='winemenubuilder.exe=d;mscoree=d;mshtml=d'
export USER=tester

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
