# Helpers of the uninstaller's end-to-end tests, sourced by their scripts
# (inside gui-test.sh, so the scenario helpers are there). Arguments of every
# such script: VMUNST10.EXE, the fixture, the test control, this directory.
UNINSTALLER_EXE=$1
FIXTURE_EXE=$2
CONTROL=$3
HERE=$4
shift 4

e2e_failed=0
fail() { echo "FAIL: $*"; e2e_failed=1; }
ok() { echo "ok   $*"; }

# The uninstaller where setup installs it: the system directory, shared by
# every product that uses it.
install_uninstaller() {
    cp "$UNINSTALLER_EXE" "$WINEPREFIX/drive_c/windows/system32/VMUNST10.EXE"
    put tests "$FIXTURE_EXE" "$CONTROL"
}

# fixture NAME: lays out an installation from the commands on standard input
# (UTF-8 here, the ANSI code page for the program).
fixture() {
    local name=$1
    mkdir -p "$WINEPREFIX/drive_c/tests"
    iconv -f UTF-8 -t CP932 > "$WINEPREFIX/drive_c/tests/$name.txt"
    local out
    out=$(wine_cmd 'C:\tests\uninstfixture.exe' "C:\\tests\\$name.txt" | iconv -f CP932 -t UTF-8)
    [ -z "$out" ] || { echo "$out"; fail "fixture $name"; }
}

# The Unix path of a Windows path with the fixture's variables expanded.
unix_path() {
    local w
    w=$(wine_cmd 'C:\tests\uninstfixture.exe' --expand "$1" | iconv -f CP932 -t UTF-8 | tr -d '\r')
    w=${w#C:}
    printf '%s%s' "$WINEPREFIX/drive_c" "${w//\\//}"
}

expect_gone() {
    local p; p=$(unix_path "$1")
    if [ -e "$p" ]; then fail "$1 is still there"; else ok "$1 is gone"; fi
}
expect_there() {
    local p; p=$(unix_path "$1")
    if [ -e "$p" ]; then ok "$1 is still there"; else fail "$1 is gone"; fi
}

# reg query's output as UTF-8, nothing when the key or value is missing
# (then the status is not 0; reg prints that message on standard output).
reg_query() {
    local out
    out=$(wine_cmd reg query "$@" 2>/dev/null) || return 1
    iconv -f CP932 -t UTF-8 <<<"$out" | tr -d '\r'
}

UNINSTALL_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall'
expect_key_gone() {
    if reg_query "$UNINSTALL_KEY\\$1" >/dev/null; then fail "uninstall key $1 is still there"; else ok "uninstall key $1 is gone"; fi
}
expect_key_there() {
    if reg_query "$UNINSTALL_KEY\\$1" >/dev/null; then ok "uninstall key $1 is still there"; else fail "uninstall key $1 is gone"; fi
}

# A value of the test control's registrations (testcontrol.cpp).
control_registered() { reg_query 'HKCU\Software\SetupTests\Controls' /v "$1" >/dev/null; }

# The INI file's text (CP932 on disk) as UTF-8 without CR.
ini_text() { iconv -f CP932 -t UTF-8 "$(unix_path "$1")" | tr -d '\r'; }

# remove_through_wine KEY SCENARIO: Wine's control-panel uninstaller starts
# the product's UninstallString as Windows does; the scenario answers
# VMUNST10.EXE. (Wine's uninstaller waits for the program but does not pass
# its exit code on; tests that start the program directly check that.)
remove_through_wine() {
    start_program wine-uninstaller uninstaller --remove "$1"
    if ! run_scenario "$2" --program VMUNST10.EXE; then
        fail "scenario $(basename "$2")"
        stop_program wine-uninstaller
        return 1
    fi
    wait_program wine-uninstaller 0 || fail "wine uninstaller"
}
