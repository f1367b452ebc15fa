# The launcher's four messages, read back from its message boxes with the
# GUI driver, and what each leaves of the staging directory.
# Arguments: launcher.exe, the stand-in installer, this directory.
. "$3/launcher-common.sh"

# expect_message CASE WINPATH TEXT: the launcher started as WINPATH shows
# one message box, captioned "セットアップ", with TEXT (scenario notation: ^n
# is the line break) and an OK button; answered, the launcher ends with exit code 1.
expect_message() {
    local name=$1 exe=$2 text=$3
    cat > "$T/$name.txt" <<SCENARIO
timeout 30000
msgbox "セットアップ" "$text"
text IDOK "OK"
snap $name
click IDOK
gone
SCENARIO
    gui_run "$name" "$T/$name.txt" 1 "$exe" && ok "$name: the message, then exit code 1" ||
        fail "$name: not the message expected"
}

# new_medium NAME FILES...: C:\NAME with the launcher as SETUP.EXE and the
# stand-in's files: _SETUP.EX_ (compressed installer), SETUP.INF (script).
new_medium() {
    local m=$WINEPREFIX/drive_c/$1 f; shift
    mkdir -p "$m"
    cp "$LAUNCHER" "$m/SETUP.EXE"
    for f in "$@"; do
        case $f in
        _SETUP.EX_) compress_to "$STANDIN" "$m/_SETUP.EX_" ;;
        SETUP.INF) printf '[Standin]\r\nRecord=C:\\rec\\%s\r\n' "$1" > "$m/SETUP.INF" ;;
        esac
    done
}

# --- Neither installer name on the medium.
new_medium m1 SETUP.INF
expect_message m1 'C:\m1\SETUP.EXE' '_SETUP.EXE(_SETUP.EX_)ファイルが見つかりません。^nセットアップを中止します。'
expect_no_staging m1

# --- The installer cannot be installed: a file is in the staging directory's
# place, so the directory cannot be made (not reported by itself).
printf 'in the way' > "$STAGING"
new_medium m2 _SETUP.EX_ SETUP.INF
expect_message m2 'C:\m2\SETUP.EXE' '_SETUP.EXE(_SETUP.EX_)のコピーに失敗しました。HDDの空き容量などを確認してください。^nセットアップを中止します。'
[ "$(cat "$STAGING" 2>/dev/null)" = 'in the way' ] && ok "m2: the file in the way is untouched" ||
    fail "m2: the file in the staging directory's place changed"
rm -f "$STAGING"

# --- Neither script name on the medium: the installer was staged already
# and is deleted again.
new_medium m3 _SETUP.EX_
expect_message m3 'C:\m3\SETUP.EXE' 'SETUP.INF(SETUP.IN_)ファイルが見つかりません。^nセットアップを中止します。'
expect_no_staging m3

# --- The script cannot be installed: a read-only SETUP.INF is left in the
# staging directory from an earlier run. It stays, and so does the
# directory; the staged installer is deleted.
mkdir -p "$STAGING"
printf '[Config]\r\n' > "$STAGING/SETUP.INF"
chmod a-w "$STAGING/SETUP.INF"
new_medium m4 _SETUP.EX_ SETUP.INF
expect_message m4 'C:\m4\SETUP.EXE' 'SETUP.INF(SETUP.IN_)のコピーに失敗しました。HDDの空き容量などを確認してください。^nセットアップを中止します。'
got=$(tree_of "$STAGING" | tr '\n' ' ')
[ "$got" = 'SETUP.INF ' ] && ok "m4: only the read-only script is left in the staging directory" ||
    fail "m4: the staging directory holds '$got', expected 'SETUP.INF '"

[ -e "$REC" ] && fail "an installer was started: $(ls "$REC")"
return $failed
