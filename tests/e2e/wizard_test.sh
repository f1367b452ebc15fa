# setup's own wizard inside the installer: in the test build, whose later
# phases are stand-ins that log what the view gives them, the wizard's choices
# reach the document, "$InstDir$", "$UserName$", the uninstall log path and
# SETUP.INF; a wizard of the welcome page alone leads to "nothing to install";
# and setup as shipped shows the wizard over its background, ends it, and
# breaks off with the error exit when the user cancels. The screenshots of
# the shipped run are the README's.
# Arguments: setup.exe, setup_e2e.exe, this directory.
setup=$1
exe=$2
dir=$3
scenarios=$dir/scenarios
. "$dir/e2e-common.sh"

product_inf() {
    write_inf "$1" <<'INF'
[Config]
Product=テスト製品
InstallDir=$ProgramFiles$\テスト
GroupName=テスト グループ
ShowUserNamePage=TRUE,1,32
Uninstall=TRUE,TestProduct,アンインストール
[InstallOption]
標準=FL,標準のインストール
最小=FL,最小のインストール
[Common::InstallFiles]
B.TXT=1,,B.TX_,0,,B.TXT,100,1
[最小::InstallFIles]
C.TXT=1,,C.TX_,0,,C.TXT,100,1
[Logo]
LT=T,240,ＭＳ Ｐゴシック,テスト製品 1.0
RB=T,140,ＭＳ Ｐゴシック,Copyright (C) テスト株式会社
INF
}

# --- Every page answered: a new directory made in the browser, the second
# option, another folder, a user name; then the stand-in phases to the end.
product_inf choices
run_case choices choices wizard-choices.txt "start
wizard start
wizard close \$UserName\$=山田 太郎
diskcheck start files=3 dir=C:\\新しい場所 option=最小 \$InstDir\$=C:\\新しい場所
diskcheck close
copy start files=3 (B.TXT,C.TXT,VMUNST10.EXE) dir=C:\\新しい場所 option=最小 group=新しい グループ
copy close
update start files=3 ini=0 reg=0 ocx=0 exe=0 group=新しい グループ
register uninstall product=テスト製品 enabled=1 log=C:\\新しい場所\\UNINSTAL.INF
update close
end 0" --real-wizard
[ "$(inf_value choices GroupName)" = "新しい グループ" ] && ok "choices: GroupName written back" ||
    fail "choices: GroupName in SETUP.INF is '$(inf_value choices GroupName)'"
[ -d "$WINEPREFIX/drive_c/新しい場所" ] && ok "choices: the browser made the new directory" ||
    fail "choices: C:\\新しい場所 was not made"

# --- The welcome page alone, and nothing to install: Next ends the wizard at
# once, and after the disk check the view says there is nothing to install.
write_inf welcome <<'INF'
[Config]
Product=小さな製品
InstallDir=C:\小さな製品
GroupName=小さな グループ
ShowChooseDirPage=FALSE
ShowGroupNamePage=FALSE
ShowUserNamePage=FALSE
Uninstall=FALSE
INF
run_case welcome welcome wizard-welcome-only.txt "start
wizard start
wizard close \$UserName\$=
diskcheck start files=0 dir=C:\\小さな製品 option= \$InstDir\$=C:\\小さな製品
diskcheck close
copy deleted unused
end 0" --real-wizard
[ "$(inf_value welcome GroupName)" = "小さな グループ" ] && ok "welcome: GroupName unchanged" ||
    fail "welcome: GroupName in SETUP.INF is '$(inf_value welcome GroupName)'"

# --- setup as shipped: every page over the background (the README's
# screenshots), the browser, the cancel question; "再試行(&R)" goes on, and
# Next on the last page ends the wizard. The disk check that follows is not
# built yet, so setup then waits with its background until it is closed.
product_inf shipped
install_setup "$setup" shipped
# As on Windows 95, with two program folders of other products in the Start menu.
set_windows_version setup.exe win95
programs=$WINEPREFIX/drive_c/users/$USER/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs
mkdir -p "$programs/アクセサリ" "$programs/サンプル ツール"
start_program shipped 'C:\shipped\setup.exe'
run_scenario "$scenarios/wizard-shipped.txt" --program setup.exe || fail "shipped: the wizard"
run_scenario "$scenarios/close-frame.txt" || fail "shipped: closing the main frame"
wait_program shipped 0 && ok "shipped: exit code 0" || e2e_failed=1
[ "$(inf_value shipped GroupName)" = "新しい グループ" ] && ok "shipped: GroupName written back" ||
    fail "shipped: GroupName in SETUP.INF is '$(inf_value shipped GroupName)'"
expect_no_shortcut shipped

# --- setup as shipped, cancelled on the last page: the error exit names the
# product, and setup ends.
product_inf cancelled
install_setup "$setup" cancelled
if gui_run cancelled "$scenarios/wizard-cancel.txt" 0 'C:\cancelled\setup.exe'; then
    ok "cancelled: error exit, exit code 0"
else
    fail "cancelled: scenario or exit code"
fi

return $e2e_failed
