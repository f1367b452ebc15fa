# makemedia.exe, the Win32 build, under Wine: from the sample product (a
# UTF-8 script with Japanese names) it writes the same medium, byte for
# byte, as the build machine's makemedia wrote for this tree (sample_medium).
# Arguments: makemedia.exe, the sample's folder, the tree's sample build folder.
exe=$1; sample=$2; built=$3
put mm "$exe"
C=$WINEPREFIX/drive_c/mm
mkdir -p "$C/product" && cp -r "$sample/product/." "$C/product/" && cp "$sample/SETUP.INF" "$C/" &&
    cp -r "$built/programs" "$C/" || { echo "FAIL: cannot put the sample into the prefix"; return 1; }
rc=0
wine_cmd 'C:\mm\makemedia.exe' --werror --lang en --programs 'C:\mm\programs' 'C:\mm\SETUP.INF' 'C:\mm\product' \
    'C:\mm\out' > "$T/makemedia.out" 2>&1 || rc=$?
cat "$T/makemedia.out"
[ $rc = 0 ] || { echo "FAIL: makemedia.exe ended with $rc"; return 1; }
if diff -r "$C/out" "$built/medium"; then
    echo "ok   the Win32 build wrote the same medium"
else
    echo "FAIL: the media differ"
    return 1
fi
