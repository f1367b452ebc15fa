# Helpers for tests that drive a program's windows with the GUI driver.
# Sourced by gui-test.sh inside wine-test.sh (so $T, $WINE, put, winpath and
# the snapshot watcher are there); expects GUIDRIVER to name guidriver.exe.
#
#   start_program NAME EXE [ARGS...]   EXE: a Unix path (copied to C:\tests) or a Windows path
#   run_scenario FILE [DRIVER OPTIONS] runs the driver with FILE (copied to C:\scenarios);
#                                      options: --timeout MS, --program NAME.EXE (fail fast once it ended)
#   wait_program NAME [EXIT]           waits for the program's end, checks its exit code
#   stop_program NAME                  ends a program that is still running
#   program_output NAME                what the program printed (UTF-8, LF line ends)
#   expect_output NAME TEXT            the program printed exactly TEXT (a final newline is ignored)
#   gui_run NAME SCENARIO EXIT EXE [ARGS...]
#                                      all of it: start, drive, wait for EXIT
#
# A program runs for at most $PROGRAM_TIMEOUT seconds (default 120); its
# standard output and error are kept in $T/NAME.out and $T/NAME.err.

declare -gA gui_pid=() gui_exe=()

start_program() {
    local name=$1 exe=$2; shift 2
    if [ -f "$exe" ]; then
        put tests "$exe"
        exe="C:\\tests\\$(basename "$exe")"
    fi
    timeout "${PROGRAM_TIMEOUT:-120}" "$WINE" "$exe" "$@" >"$T/$name.out" 2>"$T/$name.err" &
    gui_pid[$name]=$!
    gui_exe[$name]=${exe##*\\}
}

run_scenario() {
    local file=$1; shift
    [ -f "$file" ] || { echo "run_scenario: no scenario $file"; return 2; }
    [ -n "${watcher_pid:-}" ] || start_snapshot_watcher
    put scenarios "$file"
    put tests "$GUIDRIVER"
    local log; log=$T/driver-$(basename "$file" .txt).log
    local rc=0
    wine_cmd 'C:\tests\guidriver.exe' "$@" "C:\\scenarios\\$(basename "$file")" > "$log" 2>"$log.err" || rc=$?
    cat "$log"
    [ -s "$log.err" ] && sed 's/^/  stderr: /' "$log.err"
    return $rc
}

program_output() {
    iconv -f CP932 -t UTF-8 "$T/$1.out" | tr -d '\r'
}

wait_program() {
    local name=$1 want=${2:-}
    local pid=${gui_pid[$name]:-}
    [ -n "$pid" ] || { echo "wait_program: $name was not started"; return 1; }
    local rc=0
    wait "$pid" || rc=$?
    unset "gui_pid[$name]"
    if [ "$rc" = 124 ]; then
        echo "FAIL: $name did not end within ${PROGRAM_TIMEOUT:-120} s"
    elif [ -n "$want" ] && [ "$rc" != "$want" ]; then
        echo "FAIL: $name ended with exit code $rc, expected $want"
    else
        return 0
    fi
    echo "--- output of $name:"; program_output "$name"
    echo "--- errors of $name:"; cat "$T/$name.err"
    return 1
}

stop_program() {
    local pid=${gui_pid[$1]:-}
    [ -n "$pid" ] || return 0
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    unset "gui_pid[$1]"
    return 0
}

expect_output() {
    local name=$1 want=$2 got
    got=$(program_output "$name")
    if [ "$got" != "${want%$'\n'}" ]; then
        echo "FAIL: output of $name differs (expected, then found):"
        diff <(printf '%s\n' "${want%$'\n'}") <(printf '%s\n' "$got") | sed 's/^/  /'
        return 1
    fi
}

gui_run() {
    local name=$1 scenario=$2 want=$3; shift 3
    start_program "$name" "$@"
    if ! run_scenario "$scenario" --program "${gui_exe[$name]}"; then
        echo "FAIL: scenario $(basename "$scenario") did not pass against $name"
        stop_program "$name"
        echo "--- output of $name:"; program_output "$name"
        return 1
    fi
    wait_program "$name" "$want"
}
