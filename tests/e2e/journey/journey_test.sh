# The whole journey of a product, under one Windows version (win95, nt40 or
# nt351): a user starts the launcher from disk 1 of a two-disk medium in
# drive D: (compressed installer, plain script, compressed uninstaller),
# installs through the wizard, swapping disks when asked, and later removes
# the product from the control panel (Wine's uninstaller runs the registered
# UninstallString). The prefix before and after is compared: only what the
# design leaves behind may remain, and each such remainder is named here.
# Arguments: launcher.exe, setup.exe, VMUNST10.EXE, this directory, the
# version, the toolchain's strip.
launcher=$1
setup=$2
uninstaller=$3
dir=$4
version=$5
strip=$6
. "$dir/../e2e-common.sh"
szdd=$dir/../../media/szdd.sh
C=$WINEPREFIX/drive_c
KEY="Journey-旅-$version"
APP='C:\Program Files\旅の製品'

for program in SETUP.EXE _SETUP.EXE VMUNST10.EXE; do
    set_windows_version "$program" "$version"
done

# ---- the medium ----
# to_disk N PATH: standard input (UTF-8) as Shift-JIS at PATH on disk N,
# compressed when the name ends in "_"; the plain text is kept in $T/plain.
to_disk() {
    local file=$T/disk$1/$2
    mkdir -p "$(dirname "$file")" "$T/plain"
    # Text as a vendor writes it: Shift-JIS, CR LF.
    sed 's/$/\r/' | iconv -f UTF-8 -t CP932 > "$T/plain/$(basename "$2")"
    case $2 in
        *_) "$szdd" "$T/plain/$(basename "$2")" "$file" ;;
        *) cp "$T/plain/$(basename "$2")" "$file" ;;
    esac
}
mkdir -p "$T/disk1" "$T/disk2"
: > "$T/disk1/DISK1"
: > "$T/disk2/DISK2"
# The programs stripped, as they ship (and small enough to compress quickly).
strip_to() { "$strip" -o "$2" "$1"; }
strip_to "$launcher" "$T/disk1/SETUP.EXE"
strip_to "$setup" "$T/setup.exe"
strip_to "$uninstaller" "$T/VMUNST10.EXE"
uninstaller=$T/VMUNST10.EXE
"$szdd" "$T/setup.exe" "$T/disk1/_SETUP.EX_"
"$szdd" "$uninstaller" "$T/disk1/VMUNST10.EX_"
to_disk 1 APP.EX_ <<<'旅の製品のプログラム (テスト用の中身)'
to_disk 1 MIN.TX_ <<<'最小構成でだけ入るファイル'
to_disk 2 DOC/HELP.TX_ <<<'ヘルプ: 旅の製品の使い方'
to_disk 2 DATA/SAMPLE.DA_ <<<'サンプル データ 1,2,3'
to_disk 1 SETUP.INF <<INF
[Config]
Product=旅の製品
InstallDir=\$ProgramFiles\$\\旅の製品
GroupName=旅の製品
Uninstall=TRUE,$KEY,アンインストール
[InstallOption]
標準=FL,標準のインストール
最小=FL,最小のインストール
[InstallFiles]
APP=1,,APP.EX_,0,,APP.EXE,100,1,旅の製品
[Common::InstallFiles]
HELP=2,\\DOC,HELP.TX_,0,DOC,HELP.TXT,100,1,ヘルプ
[標準::InstallFIles]
SAMPLE=2,\\DATA,SAMPLE.DA_,0,データ,SAMPLE.DAT,100,1
[最小::InstallFIles]
MIN=1,,MIN.TX_,0,,MIN.TXT,100,1
[IniUpdates]
\$InstDir\$\\旅.INI=設定,Path,\$InstDir\$,1
JOURNEY.INI=旅の製品,Version,1.0,1
[RegUpdates]
CURRENT_USER=Software\\JourneyTests\\$version,Path,SZ,\$InstDir\$
INF
insert_disk() { ln -sfn "$T/disk$1" "$WINEPREFIX/dosdevices/d:"; }

# ---- snapshots of the prefix ----
# Files and directories under C: (type, path, size and checksum of files),
# without the harness's own folders and Wine's temporary ones.
files_of() {
    local skip=(\( -path ./tests -o -path ./scenarios -o -path ./snap -o -path "./users/$USER/Temp"
                -o -path ./windows/temp -o -path ./windows/Installer -o -iname '*.log' \) -prune)
    (cd "$C" && {
        find . -mindepth 1 "${skip[@]}" -o -type d -printf 'd %p\n'
        find . -mindepth 1 "${skip[@]}" -o -type f -exec md5sum {} + |
            sed 's/^\([0-9a-f]\{12\}\)[0-9a-f]*  \(.*\)$/f \2 \1/'
    }) | LC_ALL=C sort
}
# The software hives of the registry as Wine keeps them (machine, user and
# the default user's), one "hive|key|value" line each, without the time
# stamps, the fonts Wine registers at each start and Wine's own keys.
registry_of() {
    "$WINESERVER" -k 2>/dev/null; "$WINESERVER" -w
    local f
    for f in system.reg user.reg userdef.reg; do
        [ -f "$WINEPREFIX/$f" ] || continue
        awk -v hive="$f" '
            /^\[/ { key = $0; sub(/\] [0-9]+$/, "]", key); next }
            /^#/ || /^$/ || /^WINE REGISTRY/ { next }
            { print hive "|" key "|" $0 }' "$WINEPREFIX/$f"
    done | grep -i -e '^[a-z.]*|\[Software\\' -e '^user.reg|\[Control Panel' |
        grep -v -i -e '^[a-z.]*|\[Software\\\\Wine' -e 'CurrentVersion\\\\Fonts\]' \
                   -e 'Explorer\\\\' -e 'ShellNoRoam' | LC_ALL=C sort
}
stage() { echo "--- $* (${SECONDS} s)"; }
# The programs folder of the user's profile, as every NT 4.0 system has it.
[ "$version" = nt40 ] && mkdir -p "$C/windows/Profiles/$USER/ｽﾀｰﾄ ﾒﾆｭｰ/ﾌﾟﾛｸﾞﾗﾑ"
stage "the prefix before"
files_of > "$T/files-before.txt"
registry_of > "$T/registry-before.txt"

# ---- installation ----
stage installation
insert_disk 1
start_program setup 'D:\SETUP.EXE'
run_scenario "$dir/install-1.txt" --program _SETUP.EXE || fail "the wizard and disk 1"
insert_disk 2
run_scenario "$dir/install-2.txt" --program _SETUP.EXE || fail "disk 2"
insert_disk 1
run_scenario "$dir/install-3.txt" --program _SETUP.EXE || fail "the end of the installation"
# The launcher waits for the installer and always ends with 1.
wait_program setup 1 && ok "the launcher ended after the installer" || fail "the launcher's end"
[ -e "$C/_SETUP_.DIR" ] && fail "the staging directory is still there" || ok "the staging directory is gone"

unix() { local p=${1#C:\\}; printf '%s/%s' "$C" "${p//\\//}"; }
for f in APP.EXE DOC/HELP.TXT データ/SAMPLE.DAT; do
    cmp -s "$(unix "$APP")/$f" "$T/plain/$(basename "$f" | sed 's/EXE$/EX_/; s/TXT$/TX_/; s/DAT$/DA_/')" &&
        ok "installed $f" || fail "$f is not installed as on the medium"
done
[ -e "$(unix "$APP")/MIN.TXT" ] && fail "the option not chosen was installed" || ok "the other option's file is not there"
cmp -s "$C/windows/system32/VMUNST10.EXE" "$uninstaller" && ok "the uninstaller is in the system directory" ||
    fail "VMUNST10.EXE is not in the system directory"
list=$(wine_cmd uninstaller --list | iconv -f CP932 -t UTF-8 | tr -d '\r')
grep -qxF "$KEY|||旅の製品" <<<"$list" && ok "wine uninstaller --list shows the product" ||
    fail "wine uninstaller --list: $list"
files_of > "$T/files-installed.txt"
case $version in
    win95) links='C:\users\tester\AppData\Roaming\Microsoft\Windows\Start Menu\Programs\旅の製品' ;;
    nt40) links='C:\windows\Profiles\tester\ｽﾀｰﾄ ﾒﾆｭｰ\ﾌﾟﾛｸﾞﾗﾑ\旅の製品' ;;
    # Program Manager's group: Wine's shell keeps it as a Start-menu folder.
    nt351) links='C:\users\tester\AppData\Roaming\Microsoft\Windows\Start Menu\Programs\旅の製品' ;;
esac
for l in 旅の製品 ヘルプ アンインストール; do
    [ -f "$(unix "$links")/$l.lnk" ] && ok "shortcut $l" || fail "no shortcut $l.lnk in $links"
done

# ---- removal, as Windows does it ----
stage removal
start_program wine-uninstaller uninstaller --remove "$KEY"
run_scenario "$dir/remove.txt" --program VMUNST10.EXE || { fail "the removal"; stop_program wine-uninstaller; }
wait_program wine-uninstaller 0 || fail "wine uninstaller"

# ---- what is left ----
stage "the prefix after"
files_of > "$T/files-after.txt"
registry_of > "$T/registry-after.txt"
# What the design leaves: the uninstaller, shared by every product that uses
# it, and the settings the script wrote outside the log's reach (registry
# values are not recorded for removal; an INI value written into a file
# that is not the product's own is recorded only when it was new).
left_files=$(diff "$T/files-before.txt" "$T/files-after.txt" | sed -n 's/^> //p')
expected_files="f ./windows/system32/VMUNST10.EXE $(md5sum < "$uninstaller" | cut -c1-12)"
[ "$left_files" = "$expected_files" ] && ok "files left: only the shared uninstaller" || {
    fail "files left differ (expected, then found):"
    diff <(printf '%s\n' "$expected_files") <(printf '%s\n' "$left_files") | sed 's/^/  /'
}
gone_files=$(diff "$T/files-before.txt" "$T/files-after.txt" | sed -n 's/^< //p')
[ -z "$gone_files" ] && ok "no file of the system is gone" || fail "gone since before: $gone_files"
left_keys=$(diff "$T/registry-before.txt" "$T/registry-after.txt" | sed -n 's/^> //p' | iconv -f CP932 -t UTF-8 2>/dev/null || true)
gone_keys=$(diff "$T/registry-before.txt" "$T/registry-after.txt" | sed -n 's/^< //p')
printf '%s\n' "$left_keys" > "$T/registry-left.txt"
if [ -z "$(grep -v 'JourneyTests' <<<"$left_keys")" ] && grep -q "JourneyTests" <<<"$left_keys"; then
    ok "registry left: only the script's own Software\\JourneyTests value"
else
    fail "registry left: $left_keys"
fi
[ -z "$gone_keys" ] && ok "no registry value of the system is gone" || fail "registry gone: $gone_keys"
stage done
return $e2e_failed
