# setup's start-up and shut-down, run as shipped: the settings file beside
# the program, the throw-away shortcut, the working directory, the painted
# background, the About box, and the exit code.
# Arguments: setup.exe, this directory.
setup=$1
dir=$2
. "$dir/e2e-common.sh"

# --- No SETUP.INF beside the program: one message box, then the end.
install_setup "$setup" empty
start_program nofile 'C:\empty\setup.exe'
run_scenario "$dir/scenarios/missing-inf.txt" || fail "missing SETUP.INF: no message box"
if is_shell_link "$SHORTCUT"; then ok "x.lnk is on the desktop while setup runs"; else fail "no x.lnk while setup runs"; fi
run_scenario "$dir/scenarios/answer-ok.txt" || fail "missing SETUP.INF: the box could not be answered"
wait_program nofile 1 && ok "failed start: exit code 1" || e2e_failed=1
expect_no_shortcut "failed start"
[ -e "$SETUPTMP" ] && fail "failed start created SetupTmp" || ok "failed start: no SetupTmp"

# --- A script beside the program; a leftover x.lnk from an earlier run. The
# wizard has the welcome page alone; once it has ended, the copy finds
# nothing of the product's on this medium and waits with its message box in
# the middle of the background.
write_inf inst <<'INF'
[Config]
Product=テスト製品
InstallDir=$ProgramFiles$\テスト
ShowChooseDirPage=FALSE
ShowGroupNamePage=FALSE
ShowUserNamePage=FALSE
[Logo]
LT=T,180,ＭＳ Ｐゴシック,テスト製品
RB=T,240,Tahoma,Version 1.0
INF
install_setup "$setup" inst
printf 'not a shortcut' > "$SHORTCUT"
start_program background 'C:\inst\setup.exe'
run_scenario "$dir/scenarios/frame.txt" || fail "the main frame did not come up"
run_scenario "$dir/scenarios/welcome-next.txt" || fail "the wizard did not end on Next"
# The view paints when it is first erased; the last of a few screenshots counts.
for i in 1 2 3 4 5; do
    printf 'snap background%d\n' "$i" > "$T/snap.txt"
    run_scenario "$T/snap.txt" >/dev/null || break
    if python3 "$dir/check_background.py" "$SHOTS/background$i.png" > "$T/background.txt"; then
        break
    fi
    sleep 0.5
done
cat "$T/background.txt"
grep -q '^FAIL' "$T/background.txt" && fail "background painting differs (shots/background$i.png)"
if is_shell_link "$SHORTCUT"; then ok "the leftover x.lnk was replaced"; else fail "the leftover x.lnk was not replaced"; fi
[ -d "$SETUPTMP" ] && ok "SetupTmp made in the Windows directory" || fail "no SetupTmp in the Windows directory"
run_scenario "$dir/scenarios/about.txt" || fail "About box"
run_scenario "$dir/scenarios/close-frame.txt" || fail "closing the main frame"
wait_program background 0 && ok "normal end: exit code 0" || e2e_failed=1
expect_no_shortcut "normal end"
# The working directory stays: only the system update removes it.
[ -d "$SETUPTMP" ] && ok "SetupTmp kept at shut-down" || fail "SetupTmp removed at shut-down"

# --- Program paths the script must be found beside.
# A module path longer than 256 bytes (fewer than 260 characters).
long=L$(printf 'a%.0s' $(seq 1 121))\\M$(printf 'b%.0s' $(seq 1 121))
unix_long=$(printf '%s' "$long" | tr '\\' '/')
write_inf "$unix_long" < <(printf '[Config]\nProduct=Long\n')
install_setup "$setup" "$unix_long"
start_program longpath "C:\\$long\\setup.exe"
run_scenario "$dir/scenarios/frame.txt" && run_scenario "$dir/scenarios/close-frame.txt" ||
    fail "setup at a path of $(( ${#long} + 13 )) bytes did not find its script"
wait_program longpath 0 && ok "setup found its script from a $(( ${#long} + 13 ))-byte path" || e2e_failed=1

# A program name whose second byte is a backslash (表 is 0x95 0x5C).
write_inf 'ソフト' < <(printf '[Config]\nProduct=Soft\n')
install_setup "$setup" 'ソフト' '表.exe'
start_program dbcs 'C:\ソフト\表.exe'
run_scenario "$dir/scenarios/frame.txt" && run_scenario "$dir/scenarios/close-frame.txt" ||
    fail "setup named 表.exe did not find its script"
wait_program dbcs 0 && ok "setup named 表.exe found its script" || e2e_failed=1

return $e2e_failed
