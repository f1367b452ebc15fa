# Helpers of the wizard's GUI tests (sourced by their scripts inside
# gui-test.sh, so the scenario helpers are there). $host is wizardhost.exe,
# $dir this directory. The end-to-end tests' helpers serve here too: write_inf
# (a vendor's script in C:\CASE), ok and fail (which sets e2e_failed).
. "$dir/../../e2e/e2e-common.sh"

# run_wizard CASE SCENARIO EXPECTED_OUTPUT: the wizard on C:\CASE\SETUP.INF
# through the scenario; then what the host printed at the wizard's end.
run_wizard() {
    local name=$1 scenario=$2 expected=$3
    if gui_run "$name" "$dir/$scenario" 0 "$host" "C:\\$name\\SETUP.INF"; then
        ok "$name: $scenario passed"
    else
        fail "$name: $scenario"
        return
    fi
    expect_output "$name" "$expected" && ok "$name: results" || e2e_failed=1
}

# A Unix path of the prefix's C: drive.
cdrive() { printf '%s/drive_c/%s' "$WINEPREFIX" "$1"; }
