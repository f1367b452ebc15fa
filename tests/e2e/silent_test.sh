# Unattended installation through the launcher on a medium in D:, under
# Windows 95, NT 4.0 and NT 3.51 as Wine reports them: an interactive run
# recorded with /r (the GUI driver plays the user), then the recording
# replayed with /s in a fresh prefix, and the two results compared exactly
# (files, INI, registry, shortcuts, uninstall log and registration). Then,
# silently: a disk that never arrives (its time-out, its exit code, the
# log of the aborted run), a run killed while it waits (the log complete
# up to there), and bad command lines. No silent run may show a window.
# Arguments: setup.exe, launcher.exe, this directory, then the media
# (v1.dll, v1.dl_, v2.dll, ..., LINKINFO.EXE).
setup=$1
launcher=$2
dir=$3
shift 3
media=("$@")
. "$dir/e2e-common.sh"
szdd=$dir/../media/szdd.sh
medium() { local f; for f in "${media[@]}"; do [ "$(basename "$f")" = "$1" ] && echo "$f"; done; }
C() { printf '%s/drive_c' "$WINEPREFIX"; }
unix() { local p=${1#C:\\}; printf '%s/%s' "$(C)" "${p//\\//}"; }
text_of() { if [ -f "$1" ]; then iconv -f CP932 -t UTF-8 "$1" | tr -d '\r'; else echo '<missing>'; fi; }
expect() {
    if [ "$2" = "$3" ]; then
        ok "$1"
    else
        fail "$1 differs (expected, then found):"
        diff <(printf '%s\n' "$2") <(printf '%s\n' "$3") | sed 's/^/  /'
    fi
}
reg_values() {
    wine_cmd reg query "$1" 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r' |
        awk -F '    ' 'NF >= 3 && $3 ~ /^REG_/ { print $2 "|" $3 "|" $4 }' | sort
}
PROGRAMS='C:\users\tester\AppData\Roaming\Microsoft\Windows\Start Menu\Programs'
NT4_PROGRAMS='C:\windows\Profiles\tester\ｽﾀｰﾄ ﾒﾆｭｰ\ﾌﾟﾛｸﾞﾗﾑ'

# ---- the medium in D: ----

# medium_dir V: the one-disk medium of version V's product: the launcher as
# SETUP.EXE, setup as _SETUP.EXE, the script and the compressed files.
make_medium() {
    local v=$1 m=$T/medium-$1
    rm -rf "$m"; mkdir -p "$m"
    : > "$m/DISK1"
    cp "$launcher" "$m/SETUP.EXE"
    cp "$setup" "$m/_SETUP.EXE"
    local f
    for f in README SMALL EXTRA VMUNST10; do
        printf '%s of %s, 無人インストール\r\n' "$f" "$v" | iconv -f UTF-8 -t CP932 > "$T/$f.plain"
        "$szdd" "$T/$f.plain" "$m/$f.$([ $f = VMUNST10 ] && echo EX_ || echo TX_)" || fail "szdd $f"
    done
    cp "$(medium v1.dl_)" "$m/V1.DL_"
    sed 's/$/\r/' <<INF | iconv -f UTF-8 -t CP932 > "$m/SETUP.INF"
[Config]
Product=無人 $v
InstallDir=C:\\無人 $v
GroupName=無人 グループ $v
ShowChooseDirPage=TRUE
ShowGroupNamePage=TRUE
ShowUserNamePage=TRUE
Uninstall=TRUE,SilentE2E-$v,アンインストール
[InstallOption]
標準=FL,標準のインストール
最小=FL,最小のインストール
[InstallFiles]
README=1,,README.TX_,0,,README.TXT,100,1,お読みください
OLD=1,,V1.DL_,0,,OLD.DLL,12800,1
[標準::InstallFIles]
EXTRA=1,,EXTRA.TX_,0,追加,EXTRA.TXT,500,1
[最小::InstallFIles]
SMALL=1,,SMALL.TX_,0,,SMALL.TXT,10,1,小さい
[IniUpdates]
\$InstDir\$\\APP.INI=User,Name,\$UserName\$,1
[RegUpdates]
CURRENT_USER=Software\\SetupTests\\Silent-$v,Dir,SZ,\$InstDir\$
INF
    ln -sfn "$m" "$WINEPREFIX/dosdevices/d:"
}

# What was there before, the same in both prefixes: a newer OLD.DLL.
prepare() {
    local inst; inst=$(unix "C:\\無人 $1")
    mkdir -p "$inst" "$(unix "$NT4_PROGRAMS")"
    cp "$(medium v2.dll)" "$inst/OLD.DLL"
    set_windows_version SETUP.EXE "$1"
    set_windows_version _SETUP.EXE "$1"
}

# state V: what version V's installation left, one fact a line.
state() {
    local v=$1 inst link
    inst=$(unix "C:\\無人 $v")
    echo "== files"
    (cd "$inst" && find . -mindepth 1 | LC_ALL=C sort | while read -r f; do
        if [ -f "$f" ]; then echo "$f $(md5sum < "$f" | cut -c1-32)"; else echo "$f/"; fi
    done)
    echo "== uninstaller $(md5sum < "$(C)/windows/system32/VMUNST10.EXE" | cut -c1-32)"
    echo "== APP.INI"; text_of "$inst/APP.INI"
    echo "== registry"; reg_values "HKCU\\Software\\SetupTests\\Silent-$v"
    echo "== uninstall key"
    reg_values "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\SilentE2E-$v"
    echo "== shortcuts"
    put tests "$(medium LINKINFO.EXE)"
    for link in "$(unix "$PROGRAMS")/記録 グループ $v"/*.lnk "$(unix "$NT4_PROGRAMS")/記録 グループ $v"/*.lnk; do
        [ -e "$link" ] || continue
        wine_cmd 'C:\tests\LINKINFO.EXE' "$(winpath "$link")" | iconv -f CP932 -t UTF-8 | tr -d '\r'
    done
    echo "== uninstall log"; text_of "$inst/UNINSTAL.INF"
}

# ---- silent runs ----

# Any window that X shows of the launcher or setup, at any depth (in a Wine
# desktop, windows are children of its window), one id a line. Windows of
# other programs do not count: the Program Manager that Wine runs for the
# DDE conversation on NT 3.51 shows the new group, as it would on Windows.
viewable_windows() {
    local id pid
    for id in $(xwininfo -root -tree 2>/dev/null | awk '$1 ~ /^0x/ { print $1 }'); do
        xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' || continue
        pid=$(xprop -id "$id" _NET_WM_PID 2>/dev/null | awk '{ print $3 }')
        [ -n "$pid" ] && ps -o args= -p "$pid" 2>/dev/null | grep -qi 'setup\.exe' && echo "$id"
    done
}
# silent NAME EXIT ARGS...: runs the launcher from D: with ARGS, bounded,
# and fails if a window is shown meanwhile or the exit code differs.
silent() {
    local name=$1 want=$2; shift 2
    local before; before=$(viewable_windows | sort)
    start_program "$name" 'D:\SETUP.EXE' "$@"
    local pid=${gui_pid[$name]} shown=
    while kill -0 "$pid" 2>/dev/null; do
        shown=$(comm -13 <(printf '%s\n' "$before") <(viewable_windows | sort) | head -n 1)
        [ -n "$shown" ] && break
        sleep 0.3
    done
    if [ -n "$shown" ]; then
        fail "$name: a window was shown ($(xwininfo -id "$shown" | head -n 2 | tail -n 1))"
        import -display "$DISPLAY" -window root "$SHOTS/$name-window.png" 2>/dev/null
        stop_program "$name"
        return 1
    fi
    if wait_program "$name" "$want"; then ok "$name: no window, exit code $want"; else fail "$name: exit code"; fi
}
# log_has NAME FILE PATTERN...: each extended regular expression matches a line of the log.
log_has() {
    local name=$1 file=$2 p; shift 2
    local text; text=$(text_of "$file")
    for p in "$@"; do
        if grep -qE "^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{3} ($p)\$" <<<"$text"; then
            ok "$name: log line /$p/"
        else
            fail "$name: no log line /$p/ in $file:"; sed 's/^/  /' <<<"$text" | tail -n 15
        fi
    done
}

versions=${SILENT_TEST_VERSIONS:-win95 nt40 nt351}

# ---- recorded, in the test's prefix ----
for v in $versions; do
    make_medium "$v"
    prepare "$v"
    sed "s/@V@/$v/g" "$dir/scenarios/silent-record.txt" > "$T/silent-record-$v.txt"
    if gui_run "record-$v" "$T/silent-record-$v.txt" 0 'D:\SETUP.EXE' /r "/f1C:\\rec-$v.iss" /log "C:\\rec-$v.log"; then
        ok "record $v: the wizard, the question and the closing dialog; exit code 0"
    else
        fail "record $v: the scenario or the exit code"
    fi
    expect "record $v: the response file" "[Wizard]
UserName=山田 太郎
InstallDir=C:\\無人 $v
Option=最小
ProgramFolder=記録 グループ $v
[Questions]
SourceOlder=Replace" "$(text_of "$(C)/rec-$v.iss")"
    log_has "record $v" "$(C)/rec-$v.log" 'command line: .*/r /f1C:\\rec-.*' 'wizard: option .最小.' \
        'question: older source: .*OLD\.DLL' 'answer: older source: Replace' 'end: exit code 0 \(installed\): installed'
    state "$v" > "$T/recorded-$v.state"
    cp "$(C)/rec-$v.iss" "$T/"
done

# ---- replayed, in a fresh prefix ----
"$WINESERVER" -k 2>/dev/null; "$WINESERVER" -w 2>/dev/null
remove_server_dir "$WINEPREFIX"
first_prefix=$WINEPREFIX
export WINEPREFIX=$T/pfx2
mkdir "$WINEPREFIX"
# As the harness makes the test's own prefix from the template.
(cd "$template" && tar --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/syswow64 -cf - .) |
    (cd "$WINEPREFIX" && tar -xf -)
for d in system32 syswow64; do
    [ -d "$template/drive_c/windows/$d" ] && cp -al "$template/drive_c/windows/$d" "$WINEPREFIX/drive_c/windows/$d"
done
rm -f "$WINEPREFIX/wineserver"
"$WINESERVER" -p
cd "$WINEPREFIX/drive_c"
rm -rf "$first_prefix"

for v in $versions; do
    make_medium "$v"
    prepare "$v"
    cp "$T/rec-$v.iss" "$(C)/"
    silent "replay-$v" 0 /s "/f1C:\\rec-$v.iss" "/f2C:\\result-$v.txt" /log "C:\\silent-$v.log"
    expect "replay $v: the same result as recorded" "$(cat "$T/recorded-$v.state")" "$(state "$v")"
    expect "replay $v: the result file" "installed 0 installed" "$(text_of "$(C)/result-$v.txt")"
    log_has "replay $v" "$(C)/silent-$v.log" 'response file C:\\rec-.*\.iss read' 'wizard: program folder 記録 グループ .*' \
        'disk check C: free [0-9]+ KB, needed [0-9]+ KB' \
        'VerInstallFileA D:\\V1\.DL_ -> C:\\無人 .*\\OLD\.DLL flags 0x00000000: 0x0000000[0-9A-F].*' \
        'answer: older source: Replace' 'uninstall record: DeleteFile C:\\無人 .*\\SMALL\.TXT' \
        'INI C:\\無人 .*\\APP\.INI \[User\] Name=山田 太郎 mode 1: written' 'registry Software\\SetupTests\\Silent-.*: written' \
        '(shortcut .*小さい\.lnk -> C:\\無人 .*\\SMALL\.TXT: made|DDE \[AddItem\(C:\\無人 .*\\SMALL\.TXT,小さい\)\])' \
        'uninstall registered: .*' 'end: exit code 0 \(installed\): installed'
done

# ---- a second disk that never arrives ----
v=nt40
make_medium $v
m=$T/medium-$v
sed -i 's/^EXTRA=1,/EXTRA=2,/; s/SilentE2E-nt40/SilentE2E-disk/' "$m/SETUP.INF"
printf '[Questions]\r\nDiskTimeout=2\r\n' > "$(C)/disk.iss"
rm -rf "$(unix "C:\\無人 $v")"
silent "no-disk" 5 /s '/f1C:\disk.iss' '/f2C:\disk.txt' /log 'C:\disk.log'
if grep -qE '^disk-missing 5 disk 2 did not arrive within 2 s \(D:\\DISK2\)$' <<<"$(text_of "$(C)/disk.txt")"; then
    ok "no disk: the result file"
else
    fail "no disk: the result file says: $(text_of "$(C)/disk.txt")"
fi
log_has "no disk" "$(C)/disk.log" 'uninstall record: DeleteFile C:\\無人 nt40\\README\.TXT' \
    'disk change: waiting up to 2 s for D:\\DISK2' 'stop: disk 2 did not arrive within 2 s .*' \
    'end: exit code 5 \(disk-missing\): disk 2 did not arrive .*'
# The records so far stay in the log (as after an interactive abort); the
# uninstaller is not registered.
expect "no disk: no uninstall registration" "" \
    "$(reg_values "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\SilentE2E-disk")"

# ---- killed while it waits: the log is complete up to there ----
printf '[Questions]\r\nDiskTimeout=100\r\n' > "$(C)/wait.iss"
start_program killed 'D:\SETUP.EXE' /s '/f1C:\wait.iss' /log 'C:\killed.log'
for _ in $(seq 300); do grep -q 'disk change: waiting' "$(C)/killed.log" 2>/dev/null && break; sleep 0.2; done
wine_cmd taskkill /f /im _SETUP.EXE >/dev/null 2>&1
wait_program killed >/dev/null
log_has "killed" "$(C)/killed.log" 'command line: .*' 'VerInstallFileA D:\\README\.TX_ .*' \
    'disk change: waiting up to 100 s for D:\\DISK2'
if [ "$(tail -c 2 "$(C)/killed.log" | od -An -tx1 | tr -d ' ')" = 0d0a ] && ! grep -q 'end: ' "$(C)/killed.log"; then
    ok "killed: the last line is whole, and no end was written"
else
    fail "killed: the log's end: $(tail -n 1 "$(C)/killed.log")"
fi

# ---- bad command lines and response files ----
silent "bad-option" 6 /s /q '/f2C:\bad.txt'
expect "bad option: the result file" "bad-command-line 6 unknown option: /q" "$(text_of "$(C)/bad.txt")"
silent "no-response" 6 /s '/f1C:\none.iss' '/f2C:\none.txt'
expect "no response file: the result file" \
    "bad-command-line 6 response file C:\\none.iss cannot be opened" "$(text_of "$(C)/none.txt")"
printf '[Wizard]\r\nOption=全部\r\n' | iconv -f UTF-8 -t CP932 > "$(C)/option.iss"
make_medium nt40
silent "bad-choice" 6 /s '/f1C:\option.iss' '/f2C:\option.txt'
expect "an option the script lacks: the result file" \
    "bad-command-line 6 response file C:\\option.iss: Option 全部 is no install option of the script" \
    "$(text_of "$(C)/option.txt")"
# Without /s the misuse is told in a box, and the exit code is the same.
if gui_run "bad-interactive" "$dir/scenarios/silent-badline.txt" 6 'D:\SETUP.EXE' /bogus; then
    ok "an unknown option without /s: the box, exit code 6"
else
    fail "an unknown option without /s: the box or the exit code"
fi
# The launcher's own failure goes to the result file too, without a box.
rm "$T/medium-nt40/SETUP.INF"
silent "no-script" 1 /s '/f2C:\launcher.txt'
expect "the launcher's failure: the result file" \
    "failed-before-copy 1 SETUP.INF(SETUP.IN_)ファイルが見つかりません。 セットアップを中止します。" \
    "$(text_of "$(C)/launcher.txt")"

# The watch for windows sees one: the same failure without /s shows its box.
start_program shown 'D:\SETUP.EXE' '/f2C:\shown.txt'
seen=
for _ in $(seq 100); do seen=$(viewable_windows); [ -n "$seen" ] && break; sleep 0.3; done
[ -n "$seen" ] && ok "without /s the launcher's box is seen" || fail "the launcher's box was not seen"
stop_program shown
return $e2e_failed
