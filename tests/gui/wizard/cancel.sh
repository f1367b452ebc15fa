# Cancelling the wizard: the Cancel button, Escape and the close box ask with
# dialog 136 on every page; "再試行(&R)" returns to the same page with its
# contents unchanged, "中止(&X)" ends the wizard as cancelled.
# Arguments: wizardhost.exe, this directory.
host=$1
dir=$2
. "$dir/wizard-common.sh"

inf() {
    write_inf "$1" <<'INF'
[Config]
Product=テスト製品
InstallDir=C:\テスト
GroupName=テスト グループ
ShowUserNamePage=TRUE,1,16
[InstallOption]
標準=FL,標準のファイル
完全=FL,すべてのファイル
INF
}

# Each page asked three times and kept; at last "中止(&X)" by the Cancel button.
inf every
run_wizard every cancel-every-page.txt "end 2
dir C:\\テスト
option 完全
folder 別の グループ
username 名前"

# "中止(&X)" after Escape, and after the close box.
inf escape
run_wizard escape cancel-escape.txt "end 2
dir C:\\テスト
option 標準
folder テスト グループ
username "
inf closebox
run_wizard closebox cancel-close.txt "end 2
dir C:\\テスト
option 標準
folder テスト グループ
username "

return $e2e_failed
