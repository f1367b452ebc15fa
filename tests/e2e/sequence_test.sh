# The install sequence driven phase by phase: setup's test build runs the real
# application shell with stand-in phase windows that log what they were given
# (testphases.h); the scenarios post the phase messages to the view as the
# real phase windows will, and answer what the view shows.
# Arguments: setup_e2e.exe, this directory.
exe=$1
dir=$2
. "$dir/e2e-common.sh"
scenarios=$dir/scenarios

# The script of most cases: two options, files in every kind of section, one
# INI and one execute item, uninstall support on.
main_inf() {
    write_inf "$1" <<'INF'
[Config]
Product=テスト製品
InstallDir=$ProgramFiles$\テスト
GroupName=テスト グループ
Uninstall=TRUE,TestProduct,アンインストール
[InstallOption]
標準=FL,標準のインストール
最小=FL,最小のインストール
[InstallFiles]
A.TXT=1,,A.TX_,0,,A.TXT,100,1
[Common::InstallFiles]
B.TXT=1,,B.TX_,0,,B.TXT,100,1
[最小::InstallFIles]
C.TXT=1,,C.TX_,0,,C.TXT,100,1
[標準::InstallFIles]
D.TXT=1,,D.TX_,0,,D.TXT,100,1
[IniUpdates]
$WinDir$\TEST.INI=Test,Key,Value,1
[Executes]
$InstDir$\README.EXE=$InstDir$,ASYNC
INF
}

# One script for the lean cases: no file sections, wizard pages turned off.
# $1: the directory, $2: the value of "Uninstall".
lean_inf() {
    write_inf "$1" <<INF
[Config]
Product=小さな製品
InstallDir=C:\\小さな製品
GroupName=小さな グループ
ShowChooseDirPage=FALSE
ShowGroupNamePage=true
Uninstall=$2
[InstallOption]
一つ=FL,ただ一つのオプション
INF
}

# --- Cancelled wizard: the error exit names the product; nothing else runs.
main_inf cancel
run_case cancel cancel cancel.txt "start
wizard start product=テスト製品 dirpage=1 optionpage=1 folderpage=1
wizard close
end 0"

# --- Everything: choices taken over, two shortage questions (check again,
# then go on), copy, update, uninstall registration, closing dialog.
main_inf full
run_case full full full.txt "start
wizard start product=テスト製品 dirpage=1 optionpage=1 folderpage=1
wizard close
diskcheck start files=4 dir=C:\\新しい場所 option=最小 \$InstDir\$=C:\\新しい場所
diskcheck shortage answer=1016
diskcheck close
diskcheck start files=4 dir=C:\\新しい場所 option=最小 \$InstDir\$=C:\\新しい場所
diskcheck shortage answer=9341
diskcheck close
copy start files=4 (A.TXT,B.TXT,C.TXT,VMUNST10.EXE) dir=C:\\新しい場所 option=最小 group=新しい グループ
copy close
update start files=4 ini=1 reg=0 ocx=0 exe=1 group=新しい グループ
register uninstall product=テスト製品 enabled=1 log=C:\\新しい場所\\UNINSTAL.INF
update close
end 0"
# The chosen program folder is written back into the script.
[ "$(inf_value full GroupName)" = "新しい グループ" ] && ok "full: GroupName written back" ||
    fail "full: GroupName in SETUP.INF is '$(inf_value full GroupName)'"

# --- Shortage, and the user aborts: error exit, no copy.
main_inf shortage
run_case shortage shortage shortage-abort.txt "start
wizard start product=テスト製品 dirpage=1 optionpage=1 folderpage=1
wizard close
diskcheck start files=4 dir=C:\\Program Files\\テスト option=標準 \$InstDir\$=C:\\Program Files\\テスト
diskcheck shortage answer=2
diskcheck close
end 0"

# --- Copy aborted: error exit, no system update, no uninstall registration.
main_inf copyabort
run_case copyabort copyabort copy-abort.txt "start
wizard start product=テスト製品 dirpage=1 optionpage=1 folderpage=1
wizard close
diskcheck start files=4 dir=C:\\Program Files\\テスト option=標準 \$InstDir\$=C:\\Program Files\\テスト
diskcheck close
copy start files=4 (A.TXT,B.TXT,D.TXT,VMUNST10.EXE) dir=C:\\Program Files\\テスト option=標準 group=テスト グループ
copy close
end 0"

# --- Nothing to install: the message box, then the end. Hidden wizard pages
# give nothing back, and one option is never selected.
lean_inf nofiles FALSE
run_case nofiles nofiles no-files.txt "start
wizard start product=小さな製品 dirpage=0 optionpage=0 folderpage=0
wizard close
diskcheck start files=0 dir=C:\\小さな製品 option= \$InstDir\$=C:\\小さな製品
diskcheck close
copy deleted unused
end 0"
[ "$(inf_value nofiles GroupName)" = "小さな グループ" ] && ok "nofiles: GroupName unchanged" ||
    fail "nofiles: GroupName in SETUP.INF is '$(inf_value nofiles GroupName)'"

# --- With uninstall support the uninstaller alone is a file: copying runs.
# Ending the program then closes the open copy window.
lean_inf uninstonly TRUE
run_case uninstonly uninstonly uninstaller-only.txt "start
wizard start product=小さな製品 dirpage=0 optionpage=0 folderpage=0
wizard close
diskcheck start files=1 dir=C:\\小さな製品 option= \$InstDir\$=C:\\小さな製品
diskcheck close
copy start files=1 (VMUNST10.EXE) dir=C:\\小さな製品 option= group=小さな グループ
copy close
end 0"

# --- A phase window that cannot be made: the phase does not start and setup
# waits with the background shown, until it is closed.
main_inf nocopy
run_case nocopy nocopy no-copy-window.txt "start
wizard start product=テスト製品 dirpage=1 optionpage=1 folderpage=1
wizard close
diskcheck start files=4 dir=C:\\Program Files\\テスト option=標準 \$InstDir\$=C:\\Program Files\\テスト
diskcheck close
end 0" --no-copy

return $e2e_failed
