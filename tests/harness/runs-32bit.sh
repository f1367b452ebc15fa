#!/bin/bash
# Does this machine run 32-bit (i386) Linux programs? Wine's 32-bit loader is
# one, so the i686 tests and the wine32 package need it. The answer comes from
# running such a program, never from the kernel's name or configuration (a
# kernel built with IA-32 emulation may still have it switched off, at boot or
# by the hypervisor beneath it): a 96-byte static i386 ELF written here, whose
# only instructions are exit(32) through int 0x80.
#
# Exit status 0 when it ran; otherwise 1, with the reason on standard output.
# SIMULATE_NO_32BIT=1 answers "no" without trying, to exercise the path of a
# machine without 32-bit support.
set -uo pipefail
export LC_ALL=C
if [ -n "${SIMULATE_NO_32BIT:-}" ]; then
    echo "32-bit programs do not run here (simulated: SIMULATE_NO_32BIT is set)"
    exit 1
fi
dir=$(mktemp -d "${TMPDIR:-/tmp}/runs-32bit.XXXXXX") || { echo "cannot create a temporary directory"; exit 1; }
trap 'rm -rf "$dir"' EXIT
elf=(
    # ELF header: 32-bit, little-endian, version 1; executable, machine 3 (i386);
    # entry 0x08048054; program headers at 52; header sizes 52 and 32, one program header.
    7f 45 4c 46 01 01 01 00  00 00 00 00 00 00 00 00
    02 00 03 00 01 00 00 00  54 80 04 08 34 00 00 00
    00 00 00 00 00 00 00 00  34 00 20 00 01 00 00 00
    00 00 00 00
    # PT_LOAD of the whole 96-byte file at 0x08048000, read + execute.
    01 00 00 00 00 00 00 00  00 80 04 08 00 80 04 08
    60 00 00 00 60 00 00 00  05 00 00 00 00 10 00 00
    # mov ebx, 32; mov eax, 1 (exit); int 0x80
    bb 20 00 00 00 b8 01 00  00 00 cd 80
)
printf "$(printf '\\x%s' "${elf[@]}")" > "$dir/probe"
chmod +x "$dir/probe"
[ -n "${KEEP_32BIT_PROBE:-}" ] && cp "$dir/probe" "$KEEP_32BIT_PROBE"
err=$("$dir/probe" 2>&1)
rc=$?
if [ "$rc" = 32 ]; then
    exit 0
fi
err=${err##*: }
if [ -n "$err" ]; then
    echo "32-bit programs do not run here: a static i386 program failed with \"$err\""
else
    echo "32-bit programs do not run here: a static i386 program ended with status $rc, not 32"
fi
exit 1
