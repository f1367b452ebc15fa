# The "Can not open <%s>!>" box as the user sees it: a test program reads a
# missing file through CReadonlyFileProfile, and boxanswer.exe answers the
# real message boxes from outside. Sourced by wine-test.sh.
# Arguments: openbox_probe.exe boxanswer.exe
put tests "$1" "$2"
start_snapshot_watcher
probe='C:\tests\openbox_probe.exe'
result=0
fail() { echo "FAIL: $*"; result=1; }
# answer TEXT BUTTON [SHOT]: answers the box captioned "Setup" showing TEXT.
answer() { wine_cmd 'C:\tests\boxanswer.exe' Setup "$@" | tr -d '\r'; }
mkdir -p "$WINEPREFIX/drive_c/データ"

# 1. Retry shows the box again; Ignore gives the default. The next read asks again.
missing='C:\データ\無い.INF'
text="Can not open <$missing>!>"
wine_cmd "$probe" read "$missing" Config Title > probe1.out 2>&1 &
pid=$!
buttons=$(answer "$text" retry openbox) || fail "first box not answered: $buttons"
[ "$buttons" = "buttons=3,4,5" ] || fail "expected Abort, Retry, Ignore: $buttons"
answer "$text" ignore >/dev/null || fail "no box after Retry"
answer "$text" ignore >/dev/null || fail "the second read did not ask again"
wait $pid; rc=$?
[ $rc = 0 ] || fail "probe 1 exit code $rc"
[ "$(tr -d '\r' < probe1.out)" = "$(printf 'value=<default>\nsections=0')" ] ||
    fail "probe 1 output: $(cat probe1.out)"

# 2. The file appears while the box is shown; Retry reads it.
later='C:\データ\後で.INF'
text="Can not open <$later>!>"
wine_cmd "$probe" read "$later" Config Title > probe2.out 2>&1 &
pid=$!
answer "$text" none >/dev/null || fail "no box for the later file"
printf '[Config]\r\nTitle=found\r\n' > "$WINEPREFIX/drive_c/データ/後で.INF"
answer "$text" retry >/dev/null || fail "box for the later file not answered"
wait $pid; rc=$?
[ $rc = 0 ] || fail "probe 2 exit code $rc"
[ "$(tr -d '\r' < probe2.out)" = "$(printf 'value=found\nsections=1')" ] ||
    fail "probe 2 output: $(cat probe2.out)"

# 3. Abort ends the program at once with exit code 1.
text="Can not open <$missing>!>"
wine_cmd "$probe" read "$missing" Config Title > probe3.out 2>&1 &
pid=$!
answer "$text" abort >/dev/null || fail "box for Abort not answered"
wait $pid; rc=$?
[ $rc = 1 ] || fail "Abort: exit code $rc, expected 1"
[ ! -s probe3.out ] || fail "Abort: the program went on: $(cat probe3.out)"

# 4. SetLength tells the user that readers cannot change their length.
wine_cmd "$probe" setlength > probe4.out 2>&1 &
pid=$!
buttons=$(answer "Sorry CAsyncMemFile::SetLength() is not implemented" ok setlength) ||
    fail "no SetLength box: $buttons"
[ "$buttons" = "buttons=1" ] || fail "expected only OK: $buttons"
wait $pid; rc=$?
[ "$(tr -d '\r' < probe4.out)" = "setlength=1" ] || fail "probe 4 output: $(cat probe4.out)"

[ $result = 0 ]
