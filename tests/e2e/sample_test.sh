# The sample product installed from the medium makemedia built for this
# tree (sample_medium), as the README's main job installs it: the launcher
# on disk 1 in drive A:, the full installation through the wizard, disk 2
# and disk 1 swapped in while setup asks for them. Then every product file
# is installed with the product's own bytes (expanded from SZDD), the
# uninstall log names them, and the uninstaller is registered.
# Arguments: the medium (DISK1, DISK2), the sample's folder, this directory.
export RUN_MEDIUM=$1 SAMPLE_SCENARIOS=$3/scenarios
sample=$2
. "$3/e2e-common.sh"
. "$sample/../tools/run-sample.sh" || fail "the installation from the sample medium"

installed="$WINEPREFIX/drive_c/Program Files/サンプル製品"
while IFS= read -r file; do
    cmp -s "$sample/product/$file" "$installed/$file" && ok "installed: $file" || fail "not installed as shipped: $file"
done < <(cd "$sample/product" && find . -type f -printf '%P\n' | LC_ALL=C sort)
log=$(iconv -f CP932 -t UTF-8 "$installed/UNINSTAL.INF" 2>/dev/null | tr -d '\r')
for name in README.TXT '文書\操作説明.TXT' '文書\変更履歴.TXT' 'データ\見本.DAT'; do
    want='C:\Program Files\サンプル製品\'"$name" awk -F= '$2 == ENVIRON["want"] { f = 1 } END { exit !f }' <<<"$log" ||
        fail "the uninstall log does not name $name"
done
key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\SampleProduct'
wine_cmd reg query "$key" /v UninstallString 2>/dev/null | iconv -f CP932 -t UTF-8 | grep -q 'VMUNST10.EXE' &&
    ok "the uninstaller is registered" || fail "no UninstallString under $key"
return $e2e_failed
