# The copy benchmark inside a Wine test prefix (sourced by wine-test.sh;
# tools/bench-copy runs it). Generates compressed media, copies each through
# copy_bench.exe, prints one line per medium.
# Arguments: copy_bench.exe, szdd.sh, then the media as NAME:COUNT:BYTES.
bench=$1
szdd=$2
shift 2
put tests "$bench"
failed=0
for medium in "$@"; do
    IFS=: read -r name count size <<<"$medium"
    src=$WINEPREFIX/drive_c/bench/$name
    rm -rf "$src"; mkdir -p "$src"
    # Text-like contents (they compress as product files do), one file per
    # item, compressed in batches: mscompress takes many files at once.
    python3 - "$src" "$count" "$size" <<'PY'
import os, random, sys
src, count, size = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
words = [b"setup", b"install", b"file", b"medium", b"\x83t\x83@\x83C\x83\x8b", b"copy", b"disk", b"version"]
rnd = random.Random(1997)
block = b" ".join(rnd.choice(words) for _ in range(4096)) + b"\r\n"
for i in range(count):
    data = (block * (size // len(block) + 1))[:size - 8] + b"%08d" % i
    with open(os.path.join(src, "F%06d.TXT" % i), "wb") as f:
        f.write(data)
PY
    (cd "$src" && find . -name '*.TXT' -print0 | xargs -0 -n 500 mscompress && find . -name '*.TXT' -delete)
    python3 -c 'import os, sys
for f in os.listdir(sys.argv[1]):
    if f.endswith(".TXT_"):
        os.rename(os.path.join(sys.argv[1], f), os.path.join(sys.argv[1], f[:-5] + ".TX_"))' "$src"
    rm -rf "$WINEPREFIX/drive_c/benchinst/$name"
    WINE_TIMEOUT=3600 wine_cmd 'C:\tests\copy_bench.exe' "$name" "C:\\bench\\$name" "$count" "$size" \
        "C:\\benchinst\\$name" || failed=1
    rm -rf "$src" "$WINEPREFIX/drive_c/benchinst/$name"
done
return $failed
