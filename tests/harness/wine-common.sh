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
