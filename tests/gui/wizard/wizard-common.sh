# Helpers of the wizard's GUI tests (sourced by their scripts inside
# gui-test.sh, so the scenario helpers are there). $host is wizardhost.exe,
# $dir this directory.

wizard_failed=0
fail() { echo "FAIL: $*"; wizard_failed=1; }
ok() { echo "ok   $*"; }

# write_inf CASE: writes C:\w\CASE\SETUP.INF from standard input, UTF-8 with
# LF in, Shift-JIS with CR LF out, as a vendor's script would be.
write_inf() {
    mkdir -p "$WINEPREFIX/drive_c/w/$1"
    sed 's/$/\r/' | iconv -f UTF-8 -t CP932 > "$WINEPREFIX/drive_c/w/$1/SETUP.INF"
}

# run_wizard CASE SCENARIO EXPECTED_OUTPUT: the wizard on C:\w\CASE\SETUP.INF
# through the scenario; then what the host printed at the wizard's end.
run_wizard() {
    local name=$1 scenario=$2 expected=$3
    if gui_run "$name" "$dir/$scenario" 0 "$host" "C:\\w\\$name\\SETUP.INF"; then
        ok "$name: $scenario passed"
    else
        fail "$name: $scenario"
        return
    fi
    expect_output "$name" "$expected" && ok "$name: results" || wizard_failed=1
}

# A Unix path of the prefix's C: drive.
cdrive() { printf '%s/drive_c/%s' "$WINEPREFIX" "$1"; }
