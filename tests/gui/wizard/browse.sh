# The directory browser of the install directory page: where it opens, an
# existing directory, a new one (Yes creates it, No keeps the browser open),
# one whose parent is missing, moving through its directory list, and an
# initial directory on a drive that does not exist.
# Arguments: wizardhost.exe, this directory.
host=$1
dir=$2
. "$dir/wizard-common.sh"

pages_inf() {
    write_inf "$1" <<INF
[Config]
Product=テスト製品
InstallDir=$2
ShowGroupNamePage=FALSE
ShowUserNamePage=FALSE
INF
}

# C:\Program Files exists, C:\Program Files\NEWAPP does not.
pages_inf browse 'C:\Program Files\NEWAPP'
run_wizard browse browse.txt "end 1
dir C:\\無い\\新しい
option 
folder none
username "
[ -d "$(cdrive 新しい場所)" ] && ok "Yes made the new directory" || fail "C:\\新しい場所 was not made"
[ -e "$(cdrive 無い)" ] && fail "a directory was made for the missing parent C:\\無い" ||
    ok "no directory made below a missing parent"

# A drive that does not exist: the browser opens all the same, and cancelling
# it leaves the page as it was.
pages_inf nodrive 'Q:\APP'
run_wizard nodrive browse-missing-drive.txt "end 1
dir Q:\\APP
option 
folder none
username "

return $e2e_failed
