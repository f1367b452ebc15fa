# A product installed, registered the way setup registers it, and removed
# through Wine's control-panel uninstaller, under one Windows version
# (nt40, win95 or nt351) given to VMUNST10.EXE.
. "$(dirname "${BASH_SOURCE[0]}")/uninst-common.sh"
version=$1
set_windows_version VMUNST10.EXE "$version"
install_uninstaller

APP='C:\Program Files\テスト アプリ'
KEY='TestApp-アプリ'
case $version in
    win95) PROGRAMS='$Programs$' ;;
    *) PROGRAMS='$NtPrograms$' ;;
esac

# What was there before the installation: the programs folder, an INI file.
fixture before <<END
mkdir	$PROGRAMS
ini	TESTCOMM.INI	Common	Existing	1
END
# The installation: directories, files (one read-only, one to be in use),
# two shared files, controls (the last one takes the progress screenshot),
# INI entries of every kind, the program folder's shortcuts (Program
# Manager's group on Windows NT 3.51), and the registration.
if [ "$version" = nt351 ]; then
    menu="group	テスト アプリ	$APP\\アプリ.EXE	テスト アプリ"
else
    menu="shortcut	$PROGRAMS\\テスト アプリ\\テスト アプリ.lnk	$APP\\アプリ.EXE
shortcut	$PROGRAMS\\テスト アプリ\\アンインストール.lnk	\$SysDir\$\\VMUNST10.EXE"
fi
fixture install <<END
log	$APP\\UNINSTAL.INF
dir	$APP
dir	$APP\\BIN
dir	$APP\\BIN\\ヘルプ
file	$APP\\アプリ.EXE
file	$APP\\README.TXT	readonly
file	$APP\\BIN\\使用中.DLL
file	$APP\\BIN\\ヘルプ\\アプリ.HLP
file	\$SysDir\$\\テスト共有.DLL
file	\$WinDir\$\\テスト.HLP
control	$APP\\BIN\\grid1.ocx
control	$APP\\BIN\\grid2.ocx
control	$APP\\BIN\\grid3.ocx
control	$APP\\BIN\\snapview.ocx
file	$APP\\BIN\\grid1.ocx
file	$APP\\BIN\\grid2.ocx
file	$APP\\BIN\\grid3.ocx
file	$APP\\BIN\\snapview.ocx
inikey	TESTCOMM.INI	Common	テスト	1
inisection	TESTCOMM.INI	Sec,tion	k	v
inivalue	TESTCOMM.INI	Common	Existing	2
inisection	WIN.INI	テストアプリ設定	Path	$APP
inifile	$APP\\APP.INI	設定	Size	10
$menu
register	テスト アプリ 1.0	$KEY
END

[ "$version" = nt351 ] && expect_there '$Programs$\テスト アプリ\テスト アプリ.lnk'

# Wine's control-panel uninstaller lists the product.
list=$(wine_cmd uninstaller --list | iconv -f CP932 -t UTF-8 | tr -d '\r')
if grep -qxF "$KEY|||テスト アプリ 1.0" <<<"$list"; then ok "wine uninstaller --list shows the product"
else fail "wine uninstaller --list: $list"; fi

# The file in use stays open while the uninstaller runs.
release='C:\tests\release'
wine_cmd 'C:\tests\uninstfixture.exe' --lock "$APP\\BIN\\使用中.DLL" "$release" > "$T/locker.out" &
locker=$!
for _ in $(seq 100); do grep -q locked "$T/locker.out" 2>/dev/null && break; sleep 0.1; done
grep -q locked "$T/locker.out" || fail "the file could not be held open: $(cat "$T/locker.out")"

remove_through_wine "$KEY" "$HERE/scenarios/remove-$version.txt"
touch "$WINEPREFIX/drive_c/tests/release"
wait "$locker"

# What the installation made is gone; what it did not make, and what the
# user kept, is there.
for p in "$APP\\アプリ.EXE" "$APP\\README.TXT" "$APP\\BIN\\ヘルプ" "$APP\\BIN\\grid1.ocx" \
         "$APP\\BIN\\snapview.ocx" "$APP\\APP.INI" "$APP\\UNINSTAL.INF" '$WinDir$\テスト.HLP'; do
    expect_gone "$p"
done
expect_there '$SysDir$\テスト共有.DLL'
expect_there "$PROGRAMS"
for c in grid1.ocx grid2.ocx grid3.ocx snapview.ocx; do
    if control_registered "$c"; then fail "$c is still registered"; else ok "$c is unregistered"; fi
done
expect_key_gone "$KEY"
common=$(ini_text '$WinDir$\TESTCOMM.INI')
# The key that was there before stays with the value the installation gave
# it (the old one was never recorded); the installation's own entries go.
[ "$common" = $'[Common]\nExisting=2' ] && ok "TESTCOMM.INI is back to its own entry" || fail "TESTCOMM.INI: $common"
if grep -q 'テストアプリ設定\|VemorSetupDeleteDirectory' <(ini_text '$WinDir$\win.ini'); then
    fail "WIN.INI still has the installation's sections"; else ok "WIN.INI has none of the installation's sections"; fi

pending=$(reg_query 'HKLM\System\CurrentControlSet\Control\Session Manager' /v PendingFileRenameOperations)
case $version in
    win95)
        # Windows 95: WININIT.INI deletes the file at the restart; the
        # directories that hold it stay (the report lists them).
        expect_there "$APP\\BIN\\使用中.DLL"
        wininit=$(ini_text '$WinDir$\WININIT.INI')
        # One line, with the file's short name (no blanks: WININIT needs 8.3 names).
        if [ "$(sed -n 1p <<<"$wininit")" = '[rename]' ] && [ "$(wc -l <<<"$wininit")" = 2 ] &&
           sed -n 2p <<<"$wininit" | grep -q '^NUL=C:\\[^ ]*\.DLL$'; then
            ok "WININIT.INI: $wininit"
        else
            fail "WININIT.INI: $wininit"
        fi
        [ -z "$pending" ] && ok "no MoveFileEx entries" || fail "MoveFileEx used on Windows 95: $pending"
        expect_there "$APP\\BIN"
        ;;
    *)
        # Windows NT: MoveFileEx enters the file, then its directories.
        expect_there "$APP\\BIN\\使用中.DLL"
        [[ "$pending" == *'使用中.DLL'* && "$pending" == *'テスト アプリ\BIN'* ]] &&
            ok "entered for the restart: $pending" || fail "PendingFileRenameOperations: $pending"
        ls "$WINEPREFIX/drive_c/windows" | grep -qix wininit.ini && fail "WININIT.INI written on Windows NT" || ok "no WININIT.INI"
        ;;
esac
# On Windows NT 3.51 the group is Program Manager's; Wine's shell keeps it
# as a folder of the same name in the shell's programs folder.
case $version in
    nt351) expect_gone '$Programs$\テスト アプリ' ;;
    *) expect_gone "$PROGRAMS\\テスト アプリ" ;;
esac
exit $e2e_failed
