# The whole-install benchmark inside a Wine prefix (sourced by wine-test.sh;
# tools/bench-install runs it). For each payload: one generated medium
# (files compressed as SZDD) and one NSIS installer of the same files, then
# RUNS rounds of the bare copy-call loop, this installer's copy and NSIS's
# silent install, each into an empty directory. Prints one line a run and a
# table of medians and ratios.
# Arguments: RUNS copyloop_bench.exe copy_bench.exe MAKENSIS(or "") then the
# payloads as NAME:COUNT:BYTES.
runs=$1 loop=$2 copy=$3 makensis=$4
shift 4
put tests "$loop" "$copy"
host=$T/media
results=$T/results
: > "$results"
now() { date +%s.%N; }
# Wall time of one Wine program, in seconds, its output to $T/last.out.
timed() { local t0 t1; t0=$(now); WINE_TIMEOUT=3600 wine_cmd "$@" > "$T/last.out" 2>&1; local rc=$?; t1=$(now); echo "$t0 $t1" | awk '{printf "%.3f", $2 - $1}'; return $rc; }
fresh() { rm -rf "$WINEPREFIX/drive_c/benchinst"; mkdir -p "$WINEPREFIX/drive_c/benchinst"; }

# What starting a Windows program costs here, measured with the loop over no
# file; it is taken off every wall time below (each tool is one program).
mkdir -p "$WINEPREFIX/drive_c/bench/empty"
starts=()
for _ in 1 2 3 4 5; do fresh; starts+=("$(timed 'C:\tests\copyloop_bench.exe' 'C:\bench\empty' 0 'C:\benchinst\x')"); done
start=$(printf '%s\n' "${starts[@]}" | sort -n | sed -n 3p)
echo "program start under Wine: $start s (median of 5, taken off every time below)"

failed=0
for payload in "$@"; do
    IFS=: read -r name count size <<<"$payload"
    plain=$host/$name
    medium=$WINEPREFIX/drive_c/bench/$name
    rm -rf "$plain" "$medium"; mkdir -p "$plain" "$medium"
    # Text-like contents (they compress as product files do), as bench-copy makes them.
    python3 - "$plain" "$count" "$size" <<'PY'
import os, random, sys
plain, count, size = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
words = [b"setup", b"install", b"file", b"medium", b"\x83t\x83@\x83C\x83\x8b", b"copy", b"disk", b"version"]
rnd = random.Random(1997)
block = b" ".join(rnd.choice(words) for _ in range(4096)) + b"\r\n"
data = block * (size // len(block) + 1)
for i in range(count):
    with open(os.path.join(plain, "F%06d.TXT" % i), "wb") as f:
        f.write(data[:size - 8] + b"%08d" % i)
PY
    cp "$plain"/* "$medium"/
    (cd "$medium" && find . -name '*.TXT' -print0 | xargs -0 -n 500 mscompress && find . -name '*.TXT' -delete)
    python3 -c 'import os, sys
for f in os.listdir(sys.argv[1]):
    if f.endswith(".TXT_"):
        os.rename(os.path.join(sys.argv[1], f), os.path.join(sys.argv[1], f[:-5] + ".TX_"))' "$medium"
    nsis=
    if [ -n "$makensis" ]; then
        # The same files in the same directories (100 a directory), NSIS's
        # default compression, its 64-bit stub (this machine runs no 32-bit code).
        python3 - "$plain" "$count" "$WINEPREFIX/drive_c/bench/$name-nsis.exe" > "$host/$name.nsi" <<'PY'
import sys
plain, count, out = sys.argv[1], int(sys.argv[2]), sys.argv[3]
print('Target amd64-unicode\nName "bench"\nOutFile "%s"\nInstallDir "C:\\benchinst\\nsis"\n'
      'RequestExecutionLevel user\nSection' % out)
for i in range(count):
    if i % 100 == 0:
        print('SetOutPath "$INSTDIR\\D%04d"' % (i // 100))
    print('File "%s/F%06d.TXT"' % (plain, i))
print('SectionEnd')
PY
        if "$makensis" -V1 "$host/$name.nsi"; then nsis="C:\\bench\\$name-nsis.exe"; else echo "makensis failed for $name"; failed=1; fi
    fi
    rm -rf "$plain"
    for run in $(seq 1 "$runs"); do
        fresh
        tl=$(timed 'C:\tests\copyloop_bench.exe' "C:\\bench\\$name" "$count" 'C:\benchinst\loop') || { echo "loop failed:"; cat "$T/last.out"; failed=1; }
        fresh
        ti=$(timed 'C:\tests\copy_bench.exe' "$name" "C:\\bench\\$name" "$count" "$size" 'C:\benchinst\setup') ||
            { echo "installer failed:"; cat "$T/last.out"; failed=1; }
        cp "$T/last.out" "$T/$name.split"
        tn=-
        if [ -n "$nsis" ]; then
            fresh
            tn=$(timed "$nsis" /S '/D=C:\benchinst\nsis') || { echo "nsis failed"; failed=1; }
            installed=$(find "$WINEPREFIX/drive_c/benchinst/nsis" -type f 2>/dev/null | wc -l)
            [ "$installed" = "$count" ] || { echo "nsis installed $installed of $count files"; failed=1; }
        fi
        echo "$name run $run: loop $tl s, installer $ti s, NSIS $tn s (wall, with the program start)"
        echo "$name $count $size $tl $ti $tn" >> "$results"
    done
    echo "$name: the installer's split (last run):"; sed 's/^/    /' "$T/$name.split"
    rm -rf "$medium" "$WINEPREFIX/drive_c/bench/$name-nsis.exe"
    fresh
done
python3 - "$results" "$start" <<'PY'
import statistics, sys
rows, start = {}, float(sys.argv[2])
order = []
for line in open(sys.argv[1]):
    name, count, size, *t = line.split()
    if name not in rows:
        rows[name] = (int(count), int(size), [])
        order.append(name)
    rows[name][2].append([None if x == "-" else float(x) - start for x in t])
med = {}
print("\nmedians of the runs, program start (%.2f s) taken off:" % start)
print("%-12s %7s %8s %10s %10s %10s %12s %10s %12s" % ("payload", "files", "bytes", "loop s", "setup s", "NSIS s",
      "setup/loop", "setup/NSIS", "setup ms/file"))
for name in order:
    count, size, t = rows[name]
    m = [statistics.median([r[i] for r in t]) if t[0][i] is not None else None for i in range(3)]
    med[name] = (count, m)
    ratio = lambda a, b: "%.2f" % (a / b) if a is not None and b else "-"
    fmt = lambda x: "%.2f" % x if x is not None else "-"
    print("%-12s %7d %8d %10s %10s %10s %12s %10s %12.2f" % (name, count, size, fmt(m[0]), fmt(m[1]), fmt(m[2]),
          ratio(m[1], m[0]), ratio(m[1], m[2]), m[1] * 1000 / count))
small = [n for n in order if med[n][0] == 2000]
large = [n for n in order if med[n][0] == 10000]
if small and large:
    a, b = med[small[0]][1], med[large[0]][1]
    print("10,000 against 2,000 files: installer %.2f x, copy loop %.2f x" % (b[1] / a[1], b[0] / a[0]))
PY
return $failed
