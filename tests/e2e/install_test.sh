# End-to-end installations with setup's install build (installphases.h):
# media on a drive letter of their own (D:), disks swapped while setup asks
# for them, each question of the copy reached by a real condition, and the
# result compared exactly: files and their contents, the directories made,
# the uninstall log section by section, the WIN.INI list, the uninstall key.
# Arguments: the group (full, conflicts, aborts, shortage), setup_install.exe,
# holdfile.exe, this directory, then the media parts (v1.dll, v1.dl_, ...).
group=$1
exe=$2
holdfile=$3
dir=$4
shift 4
. "$dir/e2e-common.sh"
scenarios=$dir/scenarios
szdd=$dir/../media/szdd.sh
parts=$T/parts
mkdir -p "$parts"
cp "$@" "$parts/"
C=$WINEPREFIX/drive_c
WININI=$C/windows/win.ini
UNINSTALL_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall'

# ---- media ----

# media N...: empty media $T/disk1, ... with their markers DISK1, ...
media() {
    rm -rf "$T"/disk* "$T/plain"
    mkdir -p "$T/plain"
    local n
    for n in "$@"; do mkdir -p "$T/disk$n"; : > "$T/disk$n/DISK$n"; done
}
# text_file DISK PATH: standard input (UTF-8) as Shift-JIS, compressed as
# PATH on the disk; the plain text is kept as $T/plain/<name> for comparing.
# At least 16 bytes (szdd.sh).
text_file() {
    local name; name=$(basename "$2")
    mkdir -p "$(dirname "$T/disk$1/$2")"
    iconv -f UTF-8 -t CP932 > "$T/plain/$name"
    "$szdd" "$T/plain/$name" "$T/disk$1/$2" || fail "the medium: $2 cannot be compressed"
}
# part_file DISK PATH PART: a media part (v1.dl_, v2.dl_) as PATH on the disk.
part_file() {
    mkdir -p "$(dirname "$T/disk$1/$2")"
    cp "$parts/$3" "$T/disk$1/$2"
}
# insert_disk N: drive D: shows disk N, as when a user swaps floppies.
insert_disk() {
    ln -sfn "$T/disk$1" "$WINEPREFIX/dosdevices/d:"
}
# The drive letter as a user would leave it: no disk at all.
eject_disk() { rm -f "$WINEPREFIX/dosdevices/d:"; }

# ---- runs ----

# install_inf DIR: writes C:\DIR\SETUP.INF (standard input) and setup beside it.
install_inf() {
    write_inf "$1"
    install_setup "$exe" "$1" "${SETUP_NAME:-setup.exe}"
}
# start_setup NAME DIR [ARGS...]
start_setup() {
    local name=$1 d=$2; shift 2
    start_program "$name" "C:\\$d\\${SETUP_NAME:-setup.exe}" "$@"
}
# drive SCENARIO: one stretch of the dialogue with the running setup.
drive() {
    run_scenario "$scenarios/$1" --program "${SETUP_NAME:-setup.exe}" ||
        fail "scenario $1"
}
# finish NAME: setup has ended with exit code 0.
finish() {
    if wait_program "$1" 0; then ok "$1: setup ended, exit code 0"; else fail "$1: setup's end"; fi
}

# ---- checks ----

# expect_same NAME GOT EXPECTED
expect_same() {
    if [ "$2" = "$3" ]; then
        ok "$1"
    else
        fail "$1 differs (expected, then found):"
        diff <(printf '%s\n' "$3") <(printf '%s\n' "$2") | sed 's/^/  /'
    fi
}
# expect_content PATH FILE: the file under C: (Windows path) has FILE's bytes.
unix_path() { local p=${1#C:\\}; printf '%s/%s' "$C" "${p//\\//}"; }
expect_content() {
    if cmp -s "$(unix_path "$1")" "$2"; then ok "$1: contents"; else fail "$1: contents differ from $(basename "$2")"; fi
}
expect_absent() {
    if [ -e "$(unix_path "$1")" ]; then fail "$1 exists"; else ok "$1 absent"; fi
}
# The files and directories below C:\DIR, one path a line, sorted.
tree_of() { (cd "$(unix_path "$1")" && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort); }
# expect_log DIR TEXT: C:\DIR\UNINSTAL.INF is exactly TEXT (UTF-8, LF).
expect_log() {
    local got
    got=$(iconv -f CP932 -t UTF-8 "$(unix_path "$1")/UNINSTAL.INF" 2>/dev/null | tr -d '\r')
    expect_same "$1\\UNINSTAL.INF" "$got" "$2"
}
# The WIN.INI list of created directories, key=value lines ("" without the section).
temp_list() {
    iconv -f CP932 -t UTF-8 "$WININI" | tr -d '\r' |
        awk '/^\[/ { on = ($0 == "[VemorSetupDeleteDirectory]"); next } on && NF'
}
clear_temp_list() {
    iconv -f CP932 -t UTF-8 "$WININI" | tr -d '\r' |
        awk '/^\[/ { on = ($0 == "[VemorSetupDeleteDirectory]") } !on' |
        sed 's/$/\r/' | iconv -f UTF-8 -t CP932 > "$WININI.new" && mv "$WININI.new" "$WININI"
}
# The values of an uninstall key as name=value lines ("<no key>" without it).
registration() {
    local out
    out=$(wine_cmd reg query "$UNINSTALL_KEY\\$1" 2>/dev/null) || { echo "<no key>"; return; }
    printf '%s\n' "$out" | iconv -f CP932 -t UTF-8 | tr -d '\r' |
        sed -n 's/^ *\([^ ]*\) *REG_SZ *\(.*\)$/\1=\2/p' | LC_ALL=C sort
}
# Whether a file has the hidden attribute (read through Wine).
is_hidden() {
    wine_cmd cmd /c attrib "$1" 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r' |
        grep -q '^[^:]*H[^:]*[A-Z]:\\'
}

SYSDIR='C:\windows\system32'

# ==== the groups ====

# A two-disk medium with an option: files of every kind of section,
# compressed, in subdirectories of the medium and of the install directory;
# questions for each change of disk, answered as a person would.
group_full() {
    media 1 2
    text_file 1 README.TX_ <<<'はじめにお読みください'
    part_file 1 LIB/V2.DL_ v2.dl_
    text_file 1 SMALL.TX_ <<<'最小のインストールのみ'
    text_file 1 VMUNST10.EX_ <<<'the uninstaller of the product'
    text_file 2 DOC/HELP.TX_ <<<'ヘルプの目次と索引'
    text_file 2 EXTRA.TX_ <<<'追加でインストールするファイル'
    text_file 2 NOREC.TX_ <<<'記録しないファイル'
    install_inf full <<'INF'
[Config]
Product=テスト製品
InstallDir=C:\テスト製品
GroupName=テスト グループ
SrcDir=D:
Uninstall=TRUE,SetupE2E-テスト製品,アンインストール
[InstallOption]
標準=FL,標準のインストール
最小=FL,最小のインストール
[InstallFiles]
README=1,,README.TX_,0,,README.TXT,100,1
[Common::InstallFiles]
LIB=1,\LIB,V2.DL_,0,BIN\表,LIB.DLL,12800,1
HELP=2,\DOC,HELP.TX_,0,DOC,HELP.TXT,2000,1
[標準::InstallFIles]
EXTRA=2,,EXTRA.TX_,0,$InstDir$\追加\深い,EXTRA.TXT,500,1
NOREC=2,,NOREC.TX_,0,記録なし,NOREC.TXT,10,0
[最小::InstallFIles]
SMALL=1,,SMALL.TX_,0,,SMALL.TXT,10,1
INF
    insert_disk 1
    start_setup full full --option=標準
    drive install-full-1.txt
    insert_disk 2
    drive install-full-2.txt
    insert_disk 1
    drive install-full-3.txt
    finish full

    expect_content 'C:\テスト製品\README.TXT' "$T/plain/README.TX_"
    expect_content 'C:\テスト製品\BIN\表\LIB.DLL' "$parts/v2.dll"
    expect_content 'C:\テスト製品\DOC\HELP.TXT' "$T/plain/HELP.TX_"
    expect_content 'C:\テスト製品\追加\深い\EXTRA.TXT' "$T/plain/EXTRA.TX_"
    expect_content 'C:\テスト製品\記録なし\NOREC.TXT' "$T/plain/NOREC.TX_"
    expect_content "$SYSDIR\\VMUNST10.EXE" "$T/plain/VMUNST10.EX_"
    # The option not chosen is not installed; nothing else is there.
    expect_same "the install directory" "$(tree_of 'C:\テスト製品')" "BIN
BIN/表
BIN/表/LIB.DLL
DOC
DOC/HELP.TXT
README.TXT
UNINSTAL.INF
記録なし
記録なし/NOREC.TXT
追加
追加/深い
追加/深い/EXTRA.TXT"
    expect_log 'C:\テスト製品' '[DeleteFile]
0=C:\テスト製品\README.TXT
1=C:\テスト製品\BIN\表\LIB.DLL
2=C:\テスト製品\DOC\HELP.TXT
3=C:\テスト製品\追加\深い\EXTRA.TXT
4=C:\テスト製品\UNINSTAL.INF
[DeleteShortCut]
0=C:\windows\Profiles\tester\ｽﾀｰﾄ ﾒﾆｭｰ\ﾌﾟﾛｸﾞﾗﾑ\テスト グループ\アンインストール.lnk
[DeleteDirectory]
0=C:\テスト製品
1=C:\テスト製品\BIN
2=C:\テスト製品\BIN\表
3=C:\テスト製品\DOC
4=C:\テスト製品\追加
5=C:\テスト製品\追加\深い
[Config]
Product=テスト製品
Reg=SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\SetupE2E-テスト製品'
    expect_same "the WIN.INI list after registration" "$(temp_list)" ""
    expect_same "the uninstall key" "$(registration SetupE2E-テスト製品)" "DisplayName=テスト製品
UninstallString=$SYSDIR\\VMUNST10.EXE C:\\テスト製品\\UNINSTAL.INF"
    if is_hidden 'C:\テスト製品\UNINSTAL.INF'; then ok "the log is hidden"; else fail "the log is not hidden"; fi
    if is_hidden 'C:\テスト製品\README.TXT'; then fail "README.TXT is hidden"; else ok "installed files are not hidden"; fi
}

# Existing files: older versions over newer ones, read-only destinations,
# every answer that lets the installation go on.
group_conflicts() {
    media 1
    part_file 1 V1.DL_ v1.dl_
    part_file 1 V2.DL_ v2.dl_
    text_file 1 VMUNST10.EX_ <<<'the uninstaller of the product'
    local d=$C/衝突 f
    mkdir -p "$d"
    for f in O1 O2 O3 O4; do cp "$parts/v2.dll" "$d/$f.DLL"; done
    # Wine shows a file without write permission as read-only.
    for f in R1 R2 R3; do cp "$parts/v1.dll" "$d/$f.DLL"; chmod a-w "$d/$f.DLL"; done
    install_inf conflicts <<'INF'
[Config]
Product=衝突製品
InstallDir=C:\衝突
SrcDir=D:
Uninstall=TRUE,SetupE2E-衝突製品,
[InstallFiles]
O1=1,,V1.DL_,0,,O1.DLL,12800,1
O2=1,,V1.DL_,0,,O2.DLL,12800,1
O3=1,,V1.DL_,0,,O3.DLL,12800,1
O4=1,,V1.DL_,0,,O4.DLL,12800,1
R1=1,,V2.DL_,0,,R1.DLL,12800,1
R2=1,,V2.DL_,0,,R2.DLL,12800,1
R3=1,,V2.DL_,0,,R3.DLL,12800,1
INF
    insert_disk 1
    start_setup conflicts conflicts
    drive install-conflicts.txt
    finish conflicts

    expect_content 'C:\衝突\O1.DLL' "$parts/v1.dll"   # はい
    expect_content 'C:\衝突\O2.DLL' "$parts/v2.dll"   # いいえ
    expect_content 'C:\衝突\O3.DLL' "$parts/v1.dll"   # 全てを上書き
    expect_content 'C:\衝突\O4.DLL' "$parts/v1.dll"   # not asked again
    expect_content 'C:\衝突\R1.DLL' "$parts/v2.dll"   # はい
    expect_content 'C:\衝突\R2.DLL' "$parts/v1.dll"   # いいえ
    expect_content 'C:\衝突\R3.DLL' "$parts/v2.dll"   # ｷｬﾝｾﾙ, 再試行, はい
    expect_same "no temporary files" "$(tree_of 'C:\衝突' | grep -i '\.tmp$')" ""
    # Kept files belong to the installation all the same.
    expect_log 'C:\衝突' '[DeleteFile]
0=C:\衝突\O1.DLL
1=C:\衝突\O2.DLL
2=C:\衝突\O3.DLL
3=C:\衝突\O4.DLL
4=C:\衝突\R1.DLL
5=C:\衝突\R2.DLL
6=C:\衝突\R3.DLL
7=C:\衝突\UNINSTAL.INF
[Config]
Product=衝突製品
Reg=SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\SetupE2E-衝突製品'
}

# abort_run NAME SCENARIO FILES...: an installation of FILES (item lines)
# into C:\NAME that the scenario ends with the error exit.
abort_inf() {
    local name=$1; shift
    {
        printf '[Config]\nProduct=中断製品\nInstallDir=C:\\%s\nSrcDir=D:\nUninstall=TRUE,SetupE2E-%s,\n[InstallFiles]\n' \
            "$name" "$name"
        printf '%s\n' "$@"
    } | install_inf "$name"
}
# expect_aborted NAME LOG LIST: what an aborted run leaves: the log made so
# far, the WIN.INI list, no uninstall registration.
expect_aborted() {
    expect_log "C:\\$1" "$2"
    expect_same "$1: the WIN.INI list" "$(temp_list)" "$3"
    expect_same "$1: no uninstall key" "$(registration "SetupE2E-$1")" "<no key>"
    if is_hidden "C:\\$1\\UNINSTAL.INF"; then fail "$1: the log is hidden"; else ok "$1: the log is not hidden"; fi
    clear_temp_list
}

group_aborts() {
    media 1 2
    text_file 1 FIRST.TX_ <<<'最初にコピーするファイル'
    text_file 1 AFTER.TX_ <<<'中断の後のファイル'
    part_file 1 V1.DL_ v1.dl_
    part_file 1 V2.DL_ v2.dl_
    text_file 2 SECOND.TX_ <<<'二枚目のディスクのファイル'
    insert_disk 1
    local first='FIRST=1,,FIRST.TX_,0,DOC,FIRST.TXT,10,1'
    local after='AFTER=1,,AFTER.TX_,0,,AFTER.TXT,10,1'

    # An older source, "中止(&X)".
    mkdir -p "$C/older"; cp "$parts/v2.dll" "$C/older/OLD.DLL"
    abort_inf older "$first" 'OLD=1,,V1.DL_,0,,OLD.DLL,12800,1' "$after"
    start_setup older older
    drive install-abort-older.txt
    finish older
    expect_content 'C:\older\DOC\FIRST.TXT' "$T/plain/FIRST.TX_"
    expect_content 'C:\older\OLD.DLL' "$parts/v2.dll"
    expect_absent 'C:\older\AFTER.TXT'
    expect_same "older: no temporary files" "$(tree_of 'C:\older' | grep -i '\.tmp$')" ""
    expect_aborted older '[DeleteFile]
0=C:\older\DOC\FIRST.TXT' '0=C:\older\DOC'

    # A read-only destination, "ｷｬﾝｾﾙ", then "中止(&X)".
    mkdir -p "$C/readonly"; cp "$parts/v1.dll" "$C/readonly/RO.DLL"; chmod a-w "$C/readonly/RO.DLL"
    abort_inf readonly "$first" 'RO=1,,V2.DL_,0,,RO.DLL,12800,1' "$after"
    start_setup readonly readonly
    drive install-abort-readonly.txt
    finish readonly
    expect_content 'C:\readonly\RO.DLL' "$parts/v1.dll"
    expect_absent 'C:\readonly\AFTER.TXT'
    expect_aborted readonly '[DeleteFile]
0=C:\readonly\DOC\FIRST.TXT' '0=C:\readonly\DOC'

    # A destination another program has open.
    mkdir -p "$C/inuse"; cp "$parts/v1.dll" "$C/inuse/USED.DLL"
    abort_inf inuse "$first" 'USED=1,,V2.DL_,0,,USED.DLL,12800,1' "$after"
    put tests "$holdfile"
    wine_cmd 'C:\tests\holdfile.exe' 'C:\inuse\USED.DLL' &
    local holder=$!
    for _ in $(seq 200); do [ -e "$C/inuse/USED.DLL.held" ] && break; sleep 0.1; done
    start_setup inuse inuse
    drive install-abort-inuse.txt
    finish inuse
    rm -f "$C/inuse/USED.DLL.held"
    wait "$holder"
    expect_content 'C:\inuse\USED.DLL' "$parts/v1.dll"
    expect_absent 'C:\inuse\AFTER.TXT'
    expect_aborted inuse '[DeleteFile]
0=C:\inuse\DOC\FIRST.TXT' '0=C:\inuse\DOC'

    # A source missing from the medium.
    abort_inf missing "$first" 'NONE=1,\無い,NONE.TX_,0,,NONE.TXT,10,1' "$after"
    start_setup missing missing
    drive install-abort-missing.txt
    finish missing
    expect_absent 'C:\missing\AFTER.TXT'
    expect_aborted missing '[DeleteFile]
0=C:\missing\DOC\FIRST.TXT' '0=C:\missing\DOC'

    # "キャンセル" during the copy, confirmed while the worker asks about an
    # older source: that item finishes, the next one does not start.
    mkdir -p "$C/cancel"; cp "$parts/v2.dll" "$C/cancel/OLD.DLL"
    abort_inf cancel "$first" 'OLD=1,,V1.DL_,0,,OLD.DLL,12800,1' "$after"
    start_setup cancel cancel
    drive install-abort-cancel.txt
    finish cancel
    expect_content 'C:\cancel\OLD.DLL' "$parts/v1.dll"
    expect_absent 'C:\cancel\AFTER.TXT'
    expect_aborted cancel '[DeleteFile]
0=C:\cancel\DOC\FIRST.TXT
1=C:\cancel\OLD.DLL' '0=C:\cancel\DOC'

    # No second disk: "ｷｬﾝｾﾙ" at the request, then "中止(&X)".
    abort_inf nodisk "$first" 'SECOND=2,,SECOND.TX_,0,,SECOND.TXT,10,1' "$after"
    start_setup nodisk nodisk
    drive install-abort-disk.txt
    finish nodisk
    expect_absent 'C:\nodisk\SECOND.TXT'
    expect_aborted nodisk '[DeleteFile]
0=C:\nodisk\DOC\FIRST.TXT' '0=C:\nodisk\DOC'
}

# Files larger than the free space: under Windows 95 (as Wine emulates it)
# a drive reports at most 2 GB free, and two files declare 1.9 GB each.
group_shortage() {
    SETUP_NAME=setup95.exe
    set_windows_version setup95.exe win95
    media 1
    text_file 1 BIG1.TX_ <<<'大きいと称するファイル 1'
    text_file 1 BIG2.TX_ <<<'大きいと称するファイル 2'
    text_file 1 VMUNST10.EX_ <<<'the uninstaller of the product'
    insert_disk 1
    local inf='[Config]
Product=容量製品
InstallDir=C:\容量
SrcDir=D:
Uninstall=TRUE,SetupE2E-容量製品,
[InstallFiles]
BIG1=1,,BIG1.TX_,0,,BIG1.TXT,1900000000,1
BIG2=1,,BIG2.TX_,0,,BIG2.TXT,1900000000,1'
    install_inf shortabort <<<"$inf"
    start_setup shortabort shortabort
    drive install-shortage-abort.txt
    finish shortabort
    expect_absent 'C:\容量'
    expect_same "shortage abort: no uninstall key" "$(registration SetupE2E-容量製品)" "<no key>"

    install_inf shortgo <<<"$inf"
    start_setup shortgo shortgo
    drive install-shortage-go-on.txt
    finish shortgo
    expect_content 'C:\容量\BIG1.TXT' "$T/plain/BIG1.TX_"
    expect_content 'C:\容量\BIG2.TXT' "$T/plain/BIG2.TX_"
    expect_same "shortage, go on: the uninstall key" "$(registration SetupE2E-容量製品)" "DisplayName=容量製品
UninstallString=$SYSDIR\\VMUNST10.EXE C:\\容量\\UNINSTAL.INF"
}

"group_$group"
eject_disk
return $e2e_failed
