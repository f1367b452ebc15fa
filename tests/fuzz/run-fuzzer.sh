#!/bin/bash
# Runs one libFuzzer target for a bounded time on a fresh copy of its seed
# corpus, so that the committed seeds are never changed by a run.
# Usage: run-fuzzer.sh FUZZER SEED_DIR WORK_DIR [libFuzzer options...]
# A crash, a hang beyond -timeout, a sanitizer report or a memory blow-up
# makes libFuzzer exit non-zero, and the test fails with it; the input that
# did it is kept in WORK_DIR/artifacts.
set -euo pipefail
fuzzer=$1 seeds=$2 work=$3
shift 3
rm -rf "$work"
mkdir -p "$work/corpus" "$work/artifacts"
cp -R "$seeds"/. "$work/corpus/"
exec "$fuzzer" "$work/corpus" -artifact_prefix="$work/artifacts/" "$@"
