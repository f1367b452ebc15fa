#!/bin/bash
# The i686 run on a machine without 32-bit support: with the probe forced to
# fail (SIMULATE_NO_32BIT), the i686 template and tests end as skipped with
# the reason, before any Wine program runs, and CTest reports them as
# "Skipped"; the x86_64 run does not look at the probe; and a test script's
# own status 77 still counts as a failure, not as a skip.
# Usage: skip_test.sh I686_BUILD_TREE
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tree=$1
tmp=$(mktemp -d "${TMPDIR:-/tmp}/skip-test.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

# expect NAME STATUS PATTERN COMMAND...: COMMAND ends with STATUS and prints a line matching PATTERN.
expect() {
    local what=$1 want=$2 pattern=$3 out rc; shift 3
    out=$("$@" 2>&1); rc=$?
    if [ "$rc" != "$want" ]; then
        fail "$what: ended with $rc, expected $want"; printf '%s\n' "$out" | sed 's/^/  /'
    elif ! grep -qE -- "$pattern" <<<"$out"; then
        fail "$what: no line matching '$pattern' in:"; printf '%s\n' "$out" | sed 's/^/  /'
    else
        echo "ok   $what"
    fi
}

printf 'touch "%s/ran"\n' "$tmp" > "$tmp/marks.sh"
printf 'return 77\n' > "$tmp/seventyseven.sh"
skipped='^SKIPPED \(i686\): 32-bit programs do not run here \(simulated: SIMULATE_NO_32BIT is set\)'

(
    export SIMULATE_NO_32BIT=1
    expect "probe forced to fail" 1 'simulated' "$here/runs-32bit.sh"
    expect "i686 template skipped" 77 "$skipped" "$here/make-template.sh" i686 "$tmp/template"
    [ ! -e "$tmp/template" ] || fail "the skipped template step left $tmp/template"
    expect "i686 test skipped" 77 "$skipped" "$here/wine-test.sh" i686 "$tmp/template" "$tmp/work" t "$tmp/marks.sh"
    [ ! -e "$tmp/ran" ] || fail "the skipped test ran its script"
    [ ! -e "$tmp/work/t" ] || fail "the skipped test made its work directory"
    # x86_64 does not ask the probe: here it goes on to look for its template.
    expect "x86_64 ignores the probe" 1 '^no template prefix in ' \
        "$here/wine-test.sh" x86_64 "$tmp/template" "$tmp/work" t "$tmp/marks.sh"
    # As registered: CTest shows the template and a test of this tree as skipped, not passed.
    out=$(ctest --test-dir "$tree" -R '^(wine_template|harness_test)\.i686$' 2>&1) || fail "ctest failed"
    for t in wine_template harness_test; do
        grep -qE "$t\.i686 \.+\*\*\*Skipped" <<<"$out" || fail "CTest did not report $t.i686 as skipped"
    done
    [ "$failed" = 0 ] && echo "ok   CTest reports the skipped tests" || printf '%s\n' "$out" | sed 's/^/  /'
    exit $failed
) || failed=1

# A script that returns 77 itself has failed: only the harness skips.
mkdir -p "$tmp/fake/pfx/drive_c/windows/system32"
echo "x86_64 stand-in" > "$tmp/fake/ready"
expect "a script's 77 is a failure" 1 '' \
    env KEEP_WINE_TEST= "$here/wine-test.sh" x86_64 "$tmp/fake" "$tmp/work" t77 "$tmp/seventyseven.sh"
exit $failed
