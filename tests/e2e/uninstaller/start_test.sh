# VMUNST10.EXE started by hand: without a path (the program folder's
# shortcut) it offers the products registered with it; with a path (unquoted,
# with blanks, as the UninstallString has it) it removes that log's product.
# Also: no product to offer, cancel at the confirmation, a log left by two
# installations into the same directory, a damaged and a missing log, and a
# registration made with an empty key name (into the uninstall key itself).
. "$(dirname "${BASH_SOURCE[0]}")/uninst-common.sh"
set_windows_version VMUNST10.EXE nt40
install_uninstaller
UNINSTALLER='C:\windows\system32\VMUNST10.EXE'

# Nothing registered with it yet.
start_program none "$UNINSTALLER"
run_scenario "$HERE/scenarios/no-products.txt" --program VMUNST10.EXE || fail "no products"
wait_program none 1 || fail "exit code without products"

# product NAME KEY: a small installation in C:\Program Files\NAME.
product() {
    fixture "$2" <<END
log	C:\\Program Files\\$1\\UNINSTAL.INF
dir	C:\\Program Files\\$1
file	C:\\Program Files\\$1\\$1.EXE
register	$1	$2
END
}
# A installed twice into the same directory. The second installation's
# records overwrite the first one's key by key (its file takes key 0, its
# log key 1) and leave the rest, which still count: 3.DLL (key 2), the log
# again (key 3) and both directories. 1.DLL and 2.DLL are no longer named.
fixture TestA-first <<END
log	C:\\Program Files\\テスト A\\UNINSTAL.INF
dir	C:\\Program Files\\テスト A
dir	C:\\Program Files\\テスト A\\OLD
file	C:\\Program Files\\テスト A\\OLD\\1.DLL
file	C:\\Program Files\\テスト A\\OLD\\2.DLL
file	C:\\Program Files\\テスト A\\OLD\\3.DLL
register	テスト A 0.9	TestA
END
fixture TestA-second <<END
log	C:\\Program Files\\テスト A\\UNINSTAL.INF
file	C:\\Program Files\\テスト A\\テスト A.EXE
register	テスト A	TestA
END
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

# A chosen with a double click, and removed as far as its log names it.
start_program choose-a "$UNINSTALLER"
run_scenario "$HERE/scenarios/choose-remove.txt" --program VMUNST10.EXE || fail "choosing A and removing it"
wait_program choose-a 3 || fail "exit code of an uninstallation that left items"
for p in 'C:\Program Files\テスト A\テスト A.EXE' 'C:\Program Files\テスト A\OLD\3.DLL' \
         'C:\Program Files\テスト A\UNINSTAL.INF'; do
    expect_gone "$p"
done
expect_there 'C:\Program Files\テスト A\OLD\1.DLL'
expect_there 'C:\Program Files\テスト A\OLD\2.DLL'
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

# A log that is not there: nothing to do.
start_program missing "$UNINSTALLER" 'C:\NOWHERE\UNINSTAL.INF'
run_scenario "$HERE/scenarios/missing.txt" --program VMUNST10.EXE || fail "the missing log's message"
wait_program missing 1 || fail "exit code of a missing log"

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
