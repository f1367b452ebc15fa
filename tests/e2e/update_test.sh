# The system update through the shipped shell (setup's update-phase build:
# the phases before the update are done at once, updatephase.cpp), under
# Windows 95, NT 4.0 and NT 3.51 as Wine reports them to the program. Each
# run installs into a directory of its own, with the files the copy would
# have put there already in place, and the results are compared exactly:
# INI files, registry values, registered controls and the three control
# messages, the programs run, the shell links or Program Manager group, the
# uninstall log section by section, the uninstall registration, the working
# directory gone and no x.lnk left.
# Arguments: setup_update.exe, this directory, the test media files.
exe=$1
dir=$2
shift 2
media=("$@")
. "$dir/e2e-common.sh"

C=$WINEPREFIX/drive_c
PROGRAMS='C:\users\tester\AppData\Roaming\Microsoft\Windows\Start Menu\Programs'
NT4_PROGRAMS='C:\windows\Profiles\tester\ｽﾀｰﾄ ﾒﾆｭｰ\ﾌﾟﾛｸﾞﾗﾑ'
SYSDIR='C:\windows\system32'

medium() { local f; for f in "${media[@]}"; do [ "$(basename "$f")" = "$1" ] && echo "$f"; done; }
unix() { local p=${1#C:\\}; printf '%s/%s' "$C" "${p//\\//}"; }
# A file as UTF-8 text with LF line ends; "<missing>" when it is not there.
text_of() { if [ -f "$1" ]; then iconv -f CP932 -t UTF-8 "$1" | tr -d '\r'; else echo '<missing>'; fi; }
# The values of a registry key as "name|type|data" lines, sorted.
reg_values() {
    wine_cmd reg query "$1" 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r' |
        awk -F '    ' 'NF >= 3 && $3 ~ /^REG_/ { print $2 "|" $3 "|" $4 }' | sort
}
reg_key_exists() { wine_cmd reg query "$1" >/dev/null 2>&1; }
# expect NAME EXPECTED FOUND
expect() {
    if [ "$2" = "$3" ]; then
        ok "$1"
    else
        fail "$1 differs (expected, then found):"
        diff <(printf '%s\n' "$2") <(printf '%s\n' "$3") | sed 's/^/  /'
    fi
}

# The script of one run; $1 the Windows version (win95, nt40, nt351).
update_inf() {
    local v=$1
    write_inf "upd-$v" <<INF
[Config]
Product=更新テスト
InstallDir=C:\\更新 $v
GroupName=テスト グループ $v
Uninstall=TRUE,UpdateTest-$v,アンインストール
[InstallFiles]
EDIT.EXE=1,,EDIT.EXE,0,,EDIT.EXE,100,1,エディタ
README.TXT=1,,README.TXT,0,DOC,README.TXT,100,1,お読みください
LIB.DLL=1,,LIB.DLL,0,,LIB.DLL,100,1
[IniUpdates]
\$InstDir\$\\APP.INI=設定,Path,\$InstDir\$,1
UPD-$v.INI=Opt,Key,V,1
WIN.INI=SetupTest-$v,Run,\$InstDir\$\\EDIT.EXE,1
\$InstDir\$\\OLD.INI=Keep,New,1,1
\$InstDir\$\\OLD.INI=Keep,Old,9,3
\$InstDir\$\\OLD.INI=Keep,OLD,7,3
\$InstDir\$\\OLD.INI=Gone,,,4
\$InstDir\$\\OLD.INI=Also,Y,,4
\$InstDir\$\\OLD.INI=Keep,Skip,x,0
\$InstDir\$\\TEMP.INI=,,,4
[RegUpdates]
CURRENT_USER=Software\\SetupTests\\Update-$v,Path,SZ,\$InstDir\$
LOCAL_MACHINE=SOFTWARE\\SetupTests\\Update-$v,Count,DWORD,12abc
CLASSES_ROOT=.setuptest-$v,,SZ,"setuptest,file"
USERS=.DEFAULT\\Software\\SetupTests\\Update-$v,Bytes,BINARY,"DE AD BE EF"
CURRENT_USER=Software\\SetupTests\\Update-$v,Kept,SZ,new,1
CURRENT_USER=Software\\SetupTests\\Update-$v,Replaced,DWORD,-1
CURRENT_USER=Software\\SetupTests\\Update-$v\\Empty,Nothing,BINARY,0G
[RegisterOcx]
良い=\$InstDir\$\\TESTOK.OCX
失敗=\$InstDir\$\\TESTFAIL.OCX
普通=\$InstDir\$\\TESTNONE.OCX
ない=\$InstDir\$\\MISSING.OCX
[Executes]
\$InstDir\$\\RECORDER.EXE=,SYNC,HIDE,0,first "\$InstDir\$"
\$InstDir\$\\RECORDER.EXE=\$InstDir\$,ASYNC,MIN,,second
\$InstDir\$\\RECORDER.EXE=\$InstDir\$\\DOC,SYNC,MAX,1000,third /wait:6000
\$InstDir\$\\RECORDER.EXE=\$InstDir\$,SYNC,SHOW
INF
}

# What the copy would have installed, and what was there before.
prepare() {
    local v=$1 inst
    inst=$(unix "C:\\更新 $v")
    mkdir -p "$inst/DOC"
    printf 'MZ' > "$inst/EDIT.EXE"
    printf 'readme' > "$inst/DOC/README.TXT"
    printf 'MZ' > "$inst/LIB.DLL"
    cp "$(medium TESTOK.OCX)" "$(medium TESTFAIL.OCX)" "$(medium TESTNONE.OCX)" \
       "$(medium RECORDER.EXE)" "$inst/"
    printf 'MZ' > "$C/windows/system32/VMUNST10.EXE"
    printf '[Other]\r\nA=1\r\n' > "$C/windows/UPD-$v.INI"
    printf '[Keep]\r\nOld=0\r\n[Gone]\r\nX=1\r\n[Also]\r\nY=1\r\nZ=2\r\n' > "$inst/OLD.INI"
    printf '[T]\r\nA=1\r\n' > "$inst/TEMP.INI"
    reg_add "HKCU\\Software\\SetupTests\\Update-$v" /v Kept /d old
    reg_add "HKCU\\Software\\SetupTests\\Update-$v" /v Replaced /d old
    # Start-up makes the working directory again; the update removes it.
    mkdir -p "$SETUPTMP"
}

check() {
    local v=$1 inst uinst group folder links
    inst="C:\\更新 $v"
    group="テスト グループ $v"
    uinst=$(unix "$inst")
    expect "$v: APP.INI" "[設定]
Path=$inst" "$(text_of "$uinst/APP.INI")"
    expect "$v: UPD-$v.INI in the Windows directory" "[Other]
A=1
[Opt]
Key=V" "$(text_of "$C/windows/UPD-$v.INI")"
    if text_of "$C/windows/win.ini" | grep -qxF "Run=$inst\\EDIT.EXE"; then
        ok "$v: WIN.INI"
    else
        fail "$v: WIN.INI has no [SetupTest-$v] Run"
    fi
    expect "$v: OLD.INI" "[Keep]
Old=9
New=1
[Also]
Z=2" "$(text_of "$uinst/OLD.INI")"
    expect "$v: TEMP.INI deleted" '<missing>' "$(text_of "$uinst/TEMP.INI")"

    expect "$v: current user values" "Kept|REG_SZ|old
Path|REG_SZ|$inst
Replaced|REG_DWORD|0xffffffff" "$(reg_values "HKCU\\Software\\SetupTests\\Update-$v")"
    expect "$v: local machine values" "Count|REG_DWORD|0xc" \
        "$(reg_values "HKLM\\SOFTWARE\\SetupTests\\Update-$v")"
    expect "$v: classes root default value" "setuptest,file" \
        "$(reg_values "HKCR\\.setuptest-$v" | cut -d'|' -f3)"
    expect "$v: users values" "Bytes|REG_BINARY|DEADBEEF" \
        "$(reg_values "HKU\\.DEFAULT\\Software\\SetupTests\\Update-$v")"
    if reg_key_exists "HKCU\\Software\\SetupTests\\Update-$v\\Empty" &&
       [ -z "$(reg_values "HKCU\\Software\\SetupTests\\Update-$v\\Empty")" ]; then
        ok "$v: malformed binary data: the key, no value"
    else
        fail "$v: malformed binary data: $(reg_values "HKCU\\Software\\SetupTests\\Update-$v\\Empty")"
    fi
    expect "$v: controls that ran their registration" "$inst\\TESTFAIL.OCX|REG_SZ|failed com
$inst\\TESTOK.OCX|REG_SZ|registered com" \
        "$(reg_values 'HKCU\Software\SetupTests\Controls' | grep -F "$inst")"

    # The programs with their command lines, directories and show commands.
    # The first is waited for: it starts before all others. The third waits
    # 6 s, its time-out is 1 s: the fourth starts before the third ends.
    # (The second is not waited for, and how soon each program writes its
    # first line depends on the machine's load.) Wine passes a program path
    # with a blank on in quotes; Windows passes the command line as it stands.
    local log=$uinst/RUNLOG.TXT lines first fourth
    for _ in $(seq 100); do [ "$(text_of "$log" | wc -l)" -ge 5 ] && break; sleep 0.2; done
    lines=$(text_of "$log")
    local t=$'\t' title=$'\tflags=41\ttitle=$InstDir$\\RECORDER.EXE'
    first="start${t}RECORDER.EXE${t}cmdline=\"$inst\\RECORDER.EXE\" first \"$inst\"${t}cwd=C:\\windows\\SetupTmp${t}show=0$title"
    fourth="start${t}RECORDER.EXE${t}cmdline=\"$inst\\RECORDER.EXE\" ${t}cwd=$inst${t}show=1$title"
    expect "$v: programs run" "$(sort <<<"$first
start${t}RECORDER.EXE${t}cmdline=\"$inst\\RECORDER.EXE\" second${t}cwd=$inst${t}show=6$title
start${t}RECORDER.EXE${t}cmdline=\"$inst\\RECORDER.EXE\" third /wait:6000${t}cwd=$inst\\DOC${t}show=3$title
$fourth
end${t}RECORDER.EXE")" "$(sort <<<"$lines")"
    if [ "$(head -n 1 <<<"$lines")" = "$first" ]; then
        ok "$v: the first program, waited for, ran first"
    else
        fail "$v: the first program did not run first"
    fi
    if [ "$(grep -nxF "$fourth" <<<"$lines" | cut -d: -f1)" -lt "$(grep -n '^end' <<<"$lines" | cut -d: -f1)" ]; then
        ok "$v: the third program's time-out let the fourth start"
    else
        fail "$v: the fourth program started only after the third had ended"
    fi

    # Shortcuts: shell links on Windows 95 and NT 4.0, or what Wine's
    # Program Manager service makes of the DDE commands on NT 3.51.
    case $v in
        win95|nt351) folder="$PROGRAMS\\$group" ;;
        nt40) folder="$NT4_PROGRAMS\\$group" ;;
    esac
    put tests "$(medium LINKINFO.EXE)"
    links=$(wine_cmd 'C:\tests\LINKINFO.EXE' "$folder\\エディタ.lnk" "$folder\\お読みください.lnk" \
                "$folder\\アンインストール.lnk" | iconv -f CP932 -t UTF-8 | tr -d '\r')
    expect "$v: program items" "$folder\\エディタ.lnk${t}$inst\\EDIT.EXE${t}エディタ
$folder\\お読みください.lnk${t}$inst\\DOC\\README.TXT${t}お読みください
$folder\\アンインストール.lnk${t}$SYSDIR\\VMUNST10.EXE${t}アンインストール" "$links"
    [ -e "$(unix "$folder")/LIB.DLL.lnk" ] && fail "$v: a program item for a file without a shortcut name"

    local items
    if [ "$v" = nt351 ]; then
        items="[DeleteProgramGroup]
0=$group"
    else
        items="[DeleteShortCut]
0=$folder\\エディタ.lnk
1=$folder\\お読みください.lnk
2=$folder\\アンインストール.lnk"
    fi
    expect "$v: uninstall log" "$items
[DeleteIniFile]
0=$inst\\APP.INI
[DeleteIniSection]
0=UPD-$v.INI,Opt
1=WIN.INI,SetupTest-$v
[DeleteIniKeyword]
0=$inst\\OLD.INI,Keep,New
[DeleteIniValue]
0=$inst\\OLD.INI,Keep,Old
[UnregisterOcx]
0=$inst\\TESTOK.OCX
[Config]
Product=更新テスト
Reg=SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\UpdateTest-$v
[DeleteFile]
0=$inst\\UNINSTAL.INF" "$(text_of "$uinst/UNINSTAL.INF")"
    expect "$v: uninstall registration" "DisplayName|REG_SZ|更新テスト
UninstallString|REG_SZ|$SYSDIR\\VMUNST10.EXE $inst\\UNINSTAL.INF" \
        "$(reg_values "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\UpdateTest-$v")"
    [ -e "$SETUPTMP" ] && fail "$v: SetupTmp is left" || ok "$v: SetupTmp removed"
    expect_no_shortcut "$v"
}

# What a Japanese Windows NT 4.0 has for the user who is logged on.
mkdir -p "$(unix "$NT4_PROGRAMS")"

# UPDATE_TEST_VERSIONS picks some of the versions (to watch one run).
for v in ${UPDATE_TEST_VERSIONS:-win95 nt40 nt351}; do
    update_inf "$v"
    prepare "$v"
    install_setup "$exe" "upd-$v"
    set_windows_version setup.exe "$v"
    sed "s/@V@/$v/g" "$dir/scenarios/update.txt" > "$T/update-$v.txt"
    if gui_run "$v" "$T/update-$v.txt" 0 "C:\\upd-$v\\setup.exe"; then
        ok "$v: notice, control messages and closing dialog; exit code 0"
    else
        fail "$v: the scenario or the exit code"
    fi
    check "$v"
done
return $e2e_failed
