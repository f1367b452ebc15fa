# Helpers of the end-to-end tests of setup (sourced by their test scripts,
# inside gui-test.sh, so the scenario helpers are there).

# The desktop directory of the test user, where setup makes and deletes its
# throw-away shortcut x.lnk (Wine's CSIDL_DESKTOPDIRECTORY).
DESKTOP=$WINEPREFIX/drive_c/users/$USER/Desktop
SHORTCUT=$DESKTOP/x.lnk
SETUPTMP=$WINEPREFIX/drive_c/windows/SetupTmp

e2e_failed=0
fail() { echo "FAIL: $*"; e2e_failed=1; }
ok() { echo "ok   $*"; }

# write_inf DIR: writes DIR/SETUP.INF (under C:\) from standard input,
# UTF-8 with LF in, Shift-JIS with CR LF out, as a vendor's script would be.
write_inf() {
    mkdir -p "$WINEPREFIX/drive_c/$1"
    sed 's/$/\r/' | iconv -f UTF-8 -t CP932 > "$WINEPREFIX/drive_c/$1/SETUP.INF"
}

# install_setup EXE DIR [NAME]: copies the program into C:\DIR as NAME (setup.exe).
install_setup() {
    mkdir -p "$WINEPREFIX/drive_c/$2"
    cp "$1" "$WINEPREFIX/drive_c/$2/${3:-setup.exe}"
}

# A shell link file begins with its header size, 0x4C, as a 32-bit number.
is_shell_link() { [ "$(head -c 4 "$1" | od -An -tx1 | tr -d ' ')" = 4c000000 ]; }

expect_no_shortcut() {
    if [ -e "$SHORTCUT" ]; then fail "$1: x.lnk is left on the desktop"; else ok "$1: no x.lnk left"; fi
}

# For the scripts that run setup's test build: $exe is setup_e2e.exe, $scenarios
# the folder of the scenarios.
# run_case NAME DIR SCENARIO EXPECTED_LOG [SETUP ARGS...]: runs setup from
# C:\DIR (its SETUP.INF already written) through the scenario, expects exit
# code 0, then compares the phase log.
run_case() {
    local name=$1 d=$2 scenario=$3 expected=$4; shift 4
    install_setup "$exe" "$d"
    if gui_run "$name" "$scenarios/$scenario" 0 "C:\\$d\\setup.exe" "$@"; then
        ok "$name: scenario passed, exit code 0"
    else
        fail "$name: scenario or exit code"
    fi
    local got
    got=$(iconv -f CP932 -t UTF-8 "$WINEPREFIX/drive_c/$d/phases.log" | tr -d '\r')
    if [ "$got" = "$expected" ]; then
        ok "$name: phase log"
    else
        fail "$name: phase log differs (expected, then found):"
        diff <(printf '%s\n' "$expected") <(printf '%s\n' "$got") | sed 's/^/  /'
    fi
    expect_no_shortcut "$name"
}

# inf_value DIR KEY: a value of the section "Config" of C:\DIR\SETUP.INF.
inf_value() {
    iconv -f CP932 -t UTF-8 "$WINEPREFIX/drive_c/$1/SETUP.INF" | tr -d '\r' |
        sed -n "s/^$2=//p"
}
