# The platform facts under the Windows versions the installer supports, as
# Wine reports them to a program (AppDefaults of the template prefix name
# probe-win95.exe, probe-nt351.exe and probe-nt40.exe).
probe=$1
failed=0
for row in "win95 Windows95=1 NT=0 version=0x00040000" \
           "nt351 Windows95=0 NT=1 version=0x00030033" \
           "nt40 Windows95=0 NT=1 version=0x00040000"; do
    set -- $row
    version=$1; shift
    expected="$*"
    mkdir -p probe
    cp "$probe" "probe/probe-$version.exe"
    got=$(wine_cmd "C:\\probe\\probe-$version.exe" | tr -d '\r')
    if [ "$got" = "$expected" ]; then
        echo "ok   $version: $got"
    else
        echo "FAIL $version: got '$got', expected '$expected'"
        failed=1
    fi
done
return $failed
