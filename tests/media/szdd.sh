#!/bin/sh
# szdd.sh IN OUT: OUT is IN compressed as a vendor's medium holds it (SZDD,
# as COMPRESS.EXE and mscompress write it), whatever the names.
set -e
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp "$1" "$tmp/f"
mscompress "$tmp/f"
mv "$tmp/f_" "$2"
