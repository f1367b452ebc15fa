# The program folder page's list of existing folders, where each Windows
# version keeps them: the Start menu's programs folder on Windows 95, the
# user's and then All Users' profile on Windows NT 4.0, the program manager's
# groups in the registry on Windows NT 3.51. Folders of directories are left
# out when a line already begins with their name (letter case aside); groups
# are listed as they are, twice when both keys hold them.
# Arguments: wizardhost.exe, this directory.
host=$1
dir=$2
. "$dir/wizard-common.sh"

# folders_case CASE VERSION LINES...: the folder page under VERSION holds these lines.
folders_case() {
    local name=$1 version=$2; shift 2
    write_inf "$name" <<'INF'
[Config]
Product=テスト製品
InstallDir=C:\テスト
GroupName=Access Tools
ShowChooseDirPage=FALSE
ShowUserNamePage=FALSE
INF
    {
        echo "# The existing folders under $version."
        echo "timeout 30000"
        echo "wait page 130"
        echo "click 0x3024"
        echo "wait page 149"
        printf 'lines 1006'; printf ' "%s"' "$@"; echo
        echo "click 0x3024"
        echo "gone"
    } > "$T/folders-$name.txt"
    set_windows_version wizardhost.exe "$version"
    if gui_run "$name" "$T/folders-$name.txt" 0 "$host" "C:\\$name\\SETUP.INF"; then
        ok "$name: the folder list under $version"
    else
        fail "$name: the folder list under $version"
    fi
}

# mkdirs DIR NAMES...: makes DIR afresh with these subdirectories.
mkdirs() {
    local d=$1; shift
    rm -rf "$d"; mkdir -p "$d"
    for n in "$@"; do mkdir -p "$d/$n"; done
}

# Windows 95: the Start menu's programs folder (Wine names it as NT 6 does).
programs=$WINEPREFIX/drive_c/users/$USER/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs
mkdirs "$programs" Access 'Access Tools' Accessories .hidden
touch "$programs/Accessories.lnk"
folders_case win95 win95 "Access Tools" "Accessories"

# Windows NT 4.0: the user's own folders first, then All Users'.
profiles=$WINEPREFIX/drive_c/windows/Profiles
mkdirs "$profiles/$USER/ｽﾀｰﾄ ﾒﾆｭｰ/ﾌﾟﾛｸﾞﾗﾑ" Access Office
mkdirs "$profiles/All Users/ｽﾀｰﾄ ﾒﾆｭｰ/ﾌﾟﾛｸﾞﾗﾑ" office ゲーム
folders_case nt40 nt40 "Access Tools" "Office" "ゲーム"

# Windows NT 3.51: the machine's groups, then the user's.
reg_add 'HKLM\SOFTWARE\Program Groups\Main'
reg_add 'HKLM\SOFTWARE\Program Groups\アクセサリ'
reg_add 'HKCU\UNICODE Program Groups\Access'
reg_add 'HKCU\UNICODE Program Groups\アクセサリ'
folders_case nt351 nt351 "Access Tools" "Main" "アクセサリ" "Access" "アクセサリ"

return $e2e_failed
