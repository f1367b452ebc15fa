# The GUI driver against its own test program (args: the program, this directory).
app=$1
dir=$2
fail=0

# Every step kind, and what the program saw of it.
gui_run app "$dir/selftest.txt" 1 "$app" || fail=1
expect_output app "list select 1
list select 2
list select 0
list open 0
combo select 1
nested 2
nested 1
nested 2
question 7
question 6
view 1034 2 -5
view 1025 1 0
edit 置き換え
short abcd
check 1
result 1" || fail=1
[ -s "$SHOTS/selftest.png" ] || { echo "FAIL: no screenshot selftest.png"; fail=1; }

# expect_fail SCENARIO EXIT PATTERN...: the driver ends with EXIT and its log has every pattern.
expect_fail() {
    local scenario=$1 want=$2; shift 2
    local out rc=0
    out=$(run_scenario "$dir/$scenario") || rc=$?
    if [ "$rc" != "$want" ]; then
        echo "FAIL: $scenario: driver exit code $rc, expected $want"; echo "$out"; fail=1; return
    fi
    local p
    for p in "$@"; do
        if ! grep -qF -- "$p" <<<"$out"; then
            echo "FAIL: $scenario: the driver's report lacks: $p"; echo "$out"; fail=1; return
        fi
    done
}

start_program app "$app"
expect_fail fail-text.txt 1 \
    "fail-text.txt:6: FAILED" \
    "step:     text 65535 \"別の テキスト\"" \
    "expected: control 65535: \"別の テキスト\"" \
    "found:    control 65535: \"固定の表示テキスト\"" \
    "caption \"ドライバー試験\"" \
    "id  9201 Static     \"\"" \
    "id  9208 Button     \"無効\" disabled" \
    "id     1 Button     \"OK\" default" \
    "dialog 9200"
[ -s "$SHOTS/guidriver-failure-line6.png" ] || { echo "FAIL: no failure screenshot"; fail=1; }
stop_program app

start_program app "$app"
expect_fail fail-box.txt 1 \
    "fail-box.txt:5: FAILED" \
    "expected: a window of dialog 9210" \
    "a message box instead:" \
    "caption \"遅延\"" \
    "message \"予期しない質問です。\""
stop_program app

start_program app "$app"
expect_fail fail-disabled.txt 1 "fail-disabled.txt:2: FAILED" "the button is disabled"
stop_program app

# Malformed scenarios are refused before any step runs.
expect_fail bad-syntax.txt 2 "bad-syntax.txt:2: a quoted text is not closed"
expect_fail bad-verb.txt 2 "bad-verb.txt:4: unknown step \"frobnicate\""

return $fail
