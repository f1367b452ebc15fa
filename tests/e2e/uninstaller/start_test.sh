# VMUNST10.EXE started by hand: without a path (the program folder's
# shortcut) it offers the products registered with it; with a path (unquoted,
# with blanks, as the UninstallString has it) it removes that log's product.
# Also: cancel at the confirmation, a damaged log, and a registration made
# with an empty key name (into the uninstall key itself).
. "$(dirname "${BASH_SOURCE[0]}")/uninst-common.sh"
set_windows_version VMUNST10.EXE nt40
install_uninstaller
UNINSTALLER='C:\windows\system32\VMUNST10.EXE'

# product NAME KEY: a small installation in C:\Program Files\NAME.
product() {
    fixture "$2" <<END
log	C:\\Program Files\\$1\\UNINSTAL.INF
dir	C:\\Program Files\\$1
file	C:\\Program Files\\$1\\$1.EXE
register	$1	$2
END
}
product 'テスト A' TestA
product 'テスト B' TestB
product 'テスト 壊' TestDamaged
product 'テスト 無名' ''

# Without a path: the products to choose from; B chosen, then "no".
start_program choose-b "$UNINSTALLER"
run_scenario "$HERE/scenarios/choose-cancel.txt" --program VMUNST10.EXE || fail "choosing B and saying no"
wait_program choose-b 2 || fail "exit code of a cancelled uninstallation"
expect_there 'C:\Program Files\テスト B\テスト B.EXE'
expect_there 'C:\Program Files\テスト B\UNINSTAL.INF'
expect_key_there TestB

# A chosen with a double click, and removed.
start_program choose-a "$UNINSTALLER"
run_scenario "$HERE/scenarios/choose-remove.txt" --program VMUNST10.EXE || fail "choosing A and removing it"
wait_program choose-a 0 || fail "exit code of a complete uninstallation"
expect_gone 'C:\Program Files\テスト A'
expect_key_gone TestA
expect_there 'C:\Program Files\テスト B\テスト B.EXE'
expect_key_there TestB

# A log cut off in its last line: nothing at all is removed. The path is
# passed unquoted, with its blank, the way the UninstallString has it.
damaged=$(unix_path 'C:\Program Files\テスト 壊\UNINSTAL.INF')
truncate -s -3 "$damaged"
start_program damaged "$UNINSTALLER" 'C:\Program' 'Files\テスト' '壊\UNINSTAL.INF'
run_scenario "$HERE/scenarios/damaged.txt" --program VMUNST10.EXE || fail "the damaged log's message"
wait_program damaged 1 || fail "exit code of a damaged log"
expect_there 'C:\Program Files\テスト 壊\テスト 壊.EXE'
expect_there 'C:\Program Files\テスト 壊\UNINSTAL.INF'
expect_key_there TestDamaged

# Registered with an empty key name: the values sit in the uninstall key
# itself. They go; the key and every other product's registration stay.
uninstall_values() { reg_query "$UNINSTALL_KEY" | grep -c 'UninstallString\|DisplayName'; }
[ "$(uninstall_values)" = 2 ] || fail "the empty key name's registration is not in the uninstall key"
start_program keyitself "$UNINSTALLER" 'C:\Program' 'Files\テスト' '無名\UNINSTAL.INF'
run_scenario "$HERE/scenarios/keyitself.txt" --program VMUNST10.EXE || fail "removing the unnamed registration"
wait_program keyitself 0 || fail "exit code of the unnamed registration's removal"
expect_gone 'C:\Program Files\テスト 無名'
[ "$(uninstall_values)" = 0 ] && ok "the unnamed registration's values are gone" || fail "values left in the uninstall key"
reg_query "$UNINSTALL_KEY" >/dev/null && ok "the uninstall key stays" || fail "the uninstall key is gone"
expect_key_there TestB
expect_key_there TestDamaged
exit $e2e_failed
