#!/usr/bin/env bash
# `./kestrine bench`: the machine, every native benchmark (build/native/tools/bench/bench_*),
# then the real renderer under Wine (tools/bench_wine.sh).
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
native=${KESTRINE_NATIVE_BUILD:-$root/build/native}

echo "== machine"
model=$(lscpu 2>/dev/null | sed -n 's/^Model name:[[:space:]]*//p' | head -n 1)
echo "cpu: ${model:-unknown}, $(nproc) processors available"
echo "== native benchmarks ($native/tools/bench)"
status=0
found=0
for bench in "$native"/tools/bench/bench_*; do
    [ -f "$bench" ] && [ -x "$bench" ] || continue
    found=1
    "$bench" || { echo "FAILED: $(basename "$bench")"; status=1; }
done
[ $found = 1 ] || { echo "no benchmarks built in $native/tools/bench"; status=1; }
echo "== renderer under Wine"
"$root/tools/bench_wine.sh" || status=1
exit $status
