# The sample product installed from the medium makemedia built for this
# tree (sample_medium), as the README's main job installs it: the launcher
# on disk 1 in drive A:, the full installation through the wizard, disk 2
# and disk 1 swapped in while setup asks for them, then the removal through
# Wine's control-panel uninstaller. Every product file was installed with
# the product's own bytes (expanded from SZDD) and the uninstall log named
# it; the uninstaller was registered; after the removal the install
# directory, the shortcut and the uninstall key are gone.
# Arguments: the medium (DISK1, DISK2), the sample's folder, this directory.
export RUN_MEDIUM=$1 SAMPLE_SCENARIOS=$3/scenarios SAMPLE_KEEP_INSTALL=$T/installed
sample=$2
. "$3/e2e-common.sh"
. "$sample/../tools/run-sample.sh" || fail "the installation from the sample medium"

installed=$SAMPLE_KEEP_INSTALL
while IFS= read -r file; do
    cmp -s "$sample/product/$file" "$installed/$file" && ok "installed: $file" || fail "not installed as shipped: $file"
done < <(cd "$sample/product" && find . -type f -printf '%P\n' | LC_ALL=C sort)
log=$(iconv -f CP932 -t UTF-8 "$installed/UNINSTAL.INF" 2>/dev/null | tr -d '\r')
for name in README.TXT '文書\操作説明.TXT' '文書\変更履歴.TXT' 'データ\見本.DAT'; do
    want='C:\Program Files\サンプル製品\'"$name" awk -F= '$2 == ENVIRON["want"] { f = 1 } END { exit !f }' <<<"$log" ||
        fail "the uninstall log does not name $name"
done
grep -q '^    UninstallString    REG_SZ    C:\\windows\\system32\\VMUNST10.EXE C:\\Program Files\\サンプル製品\\UNINSTAL.INF$' \
    "$SHOTS/summary.txt" && ok "the uninstaller was registered" || fail "no UninstallString after the installation"
grep -q '^Profiles/.*/サンプル製品/アンインストール.lnk$' "$SHOTS/summary.txt" && ok "the shortcut was made" ||
    fail "no shortcut アンインストール.lnk after the installation"
after=$(sed -n '/^##### after the removal/,$p' "$SHOTS/summary.txt")
[ "$after" = "##### after the removal through the control panel's uninstaller
== files in C:\Program Files\サンプル製品
== shortcuts of the program group サンプル製品
== uninstall key HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\SampleProduct" ] &&
    ok "the removal left nothing" || fail "after the removal: $after"
[ -e "$WINEPREFIX/drive_c/Program Files/サンプル製品" ] && fail "the install directory is still there"
return $e2e_failed
