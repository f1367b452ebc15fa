#!/bin/bash
# Builds the template Wine prefix that every test of one architecture clones:
# for i686 a 32-bit Windows (WINEARCH=win32) made by the 32-bit loader, for
# x86_64 a 64-bit one made by the 64-bit loader (wine-common.sh). A template
# is kept while its stamp matches what made it: these scripts, the
# architecture, the loader, and the Wine packages installed (with wine32
# beside wine64, a 64-bit prefix gets its 32-bit half too). Tests never
# write into it.
# Usage: make-template.sh ARCH DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
WINE_ARCH=$1
. "$here/wine-common.sh"
dir=$2
require_wine_loader
packages=$(dpkg-query -W -f='${binary:Package}=${Version} ' 'wine*' 'libwine*' fonts-wine 2>/dev/null || true)
stamp="$WINE_ARCH $WINEARCH $WINE $(sha1sum "$0" "$here/wine-common.sh" "$WINE" | sha1sum | cut -c1-40) $packages"
if [ -f "$dir/ready" ] && [ "$(cat "$dir/ready")" = "$stamp" ]; then
    exit 0
fi
rm -rf "$dir"; mkdir -p "$dir/home"
export HOME=$dir/home WINEPREFIX=$dir/pfx
unset DISPLAY
wine_cmd wineboot -i >/dev/null 2>&1
"$WINESERVER" -w
# The server fixes the prefix's kind (WINEARCH) when it creates the registry.
grep -qx "#arch=$WINEARCH" "$WINEPREFIX/system.reg" ||
    { echo "wineboot did not make a $WINEARCH prefix in $WINEPREFIX"; exit 1; }
# Real directories instead of links into $HOME: shortcut tests must stay in the sandbox.
U=$WINEPREFIX/drive_c/users/$USER
for d in Desktop Documents Downloads Music Pictures Videos; do rm -rf "$U/$d"; mkdir -p "$U/$d"; done
# Debian's Wine does not find its own fonts; copy them where it looks.
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
reg_add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
reg_add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
reg_add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768
reg_add 'HKCU\Control Panel\Desktop' /v CursorBlinkRate /d -1
for f in 'ＭＳ Ｐゴシック' 'MS PGothic' 'MS UI Gothic'; do reg_add 'HKCU\Software\Wine\Fonts\Replacements' /v "$f" /d IPAPGothic; done
for f in 'ＭＳ ゴシック' 'MS Gothic'; do reg_add 'HKCU\Software\Wine\Fonts\Replacements' /v "$f" /d IPAGothic; done
# Per-program Windows versions for the platform tests: probe-<version>.exe reports as that version.
reg_add 'HKCU\Software\Wine\AppDefaults\probe-win95.exe' /v Version /d win95
reg_add 'HKCU\Software\Wine\AppDefaults\probe-nt351.exe' /v Version /d nt351
reg_add 'HKCU\Software\Wine\AppDefaults\probe-nt40.exe' /v Version /d nt40
"$WINESERVER" -w
# Drive Z: maps the host's root; tests must not see the host.
rm -f "$WINEPREFIX/dosdevices/z:"
rm -f "$WINEPREFIX/wineserver"
remove_server_dir "$WINEPREFIX"
echo "$stamp" > "$dir/ready"
