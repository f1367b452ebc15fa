#!/bin/sh
# szdd.sh IN OUT: OUT is IN compressed as a vendor's medium holds it (SZDD,
# as COMPRESS.EXE and mscompress write it), whatever the names.
# mscompress writes a broken stream for files of fewer than 16 bytes (its
# header is right, its data is not), so every result is expanded again and
# compared: a medium that cannot be made fails here, not in a test.
set -e
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp "$1" "$tmp/f"
mscompress "$tmp/f"
msexpand < "$tmp/f_" > "$tmp/check"
if ! cmp -s "$1" "$tmp/check"; then
    echo "szdd.sh: mscompress cannot compress $1 (fewer than 16 bytes?)" >&2
    exit 1
fi
mv "$tmp/f_" "$2"
