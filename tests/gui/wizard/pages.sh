# The wizard's pages through the GUI driver: which pages a script gives, their
# texts, the Back and Next buttons after each action, the user name's length
# rules with Japanese input, and what the pages hold at the end.
# Arguments: wizardhost.exe, this directory.
host=$1
dir=$2
. "$dir/wizard-common.sh"

# --- Every page. A product name with % and %s is inserted as it is; three
# options; a user name of 3 to 8 bytes.
write_inf all <<'INF'
[Config]
Product=100%s製品 %d
InstallDir=C:\Program Files\テスト
GroupName=テスト グループ
ShowUserNamePage=TRUE,3,8
[InstallOption]
標準=FL,よく使うファイルをインストールします。
最小=FL,最小限のファイルをインストールします。
カスタム=GRP,選んだファイルをインストールします。
INF
run_wizard all all-pages.txt "end 1
dir C:\\Program Files\\テスト
option 最小
folder 別のテスト グループ
username 山いうab"

# --- Only the welcome page (every page off, one option): Next ends at once.
write_inf welcome <<'INF'
[Config]
Product=小さな製品
InstallDir=C:\小さな製品
GroupName=小さな グループ
ShowChooseDirPage=FALSE
ShowGroupNamePage=true
ShowUserNamePage=FALSE,3,8
[InstallOption]
一つ=FL,ただ一つのオプション
INF
run_wizard welcome welcome-only.txt "end 1
dir none
option 
folder none
username "

# --- The user-name page right after the welcome page, without a minimum:
# it sets no button state, so Back stays as the welcome page left it.
write_inf minzero <<'INF'
[Config]
Product=製品
InstallDir=C:\製品
ShowChooseDirPage=FALSE
ShowGroupNamePage=FALSE
INF
run_wizard minzero no-minimum.txt "end 1
dir none
option 
folder none
username 山田 太郎"

# --- Two options and the list left alone: the first one is the result. No
# proposed folder name: the list's first line is empty, and Next waits for a
# name.
write_inf nofolder <<'INF'
[Config]
Product=製品
InstallDir=C:\製品
ShowChooseDirPage=FALSE
ShowUserNamePage=FALSE
[InstallOption]
標準=FL,標準のファイル
完全=FL,すべてのファイル
INF
run_wizard nofolder empty-folder.txt "end 1
dir none
option 標準
folder 新しい フォルダー
username "

return $e2e_failed
