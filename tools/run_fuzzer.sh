#!/usr/bin/env bash
# Runs one libFuzzer target for a bounded time over its seed corpus.
#   run_fuzzer.sh BINARY NAME [SECONDS]   seeds from tests/fuzz/corpus/NAME, findings in build/fuzz-out/NAME;
#                                         SECONDS (default $KESTRINE_FUZZ_SECONDS, else 20): the test run's
#                                         short pass; ./kestrine fuzz makes the long ones
set -u
bin=$1 name=$2
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${3:-${KESTRINE_FUZZ_SECONDS:-20}}
[ -x "$bin" ] || { echo "fuzz target $bin is missing (build/sanitize not built?)" >&2; exit 1; }
work=$root/build/fuzz-out/$name
mkdir -p "$work/corpus"
seeds=$root/tests/fuzz/corpus/$name
cd "$work" || exit 1
exec "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 corpus ${seeds:+$( [ -d "$seeds" ] && echo "$seeds")}
