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
