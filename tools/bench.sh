#!/usr/bin/env bash
# `./kestrine bench`: the machine and its load, the native benchmarks (build/native/tools/bench),
# then the real renderer under Wine (tools/bench_wine.sh).
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
native=${KESTRINE_NATIVE_BUILD:-$root/build/native}

echo "== machine"
model=$(lscpu 2>/dev/null | sed -n 's/^Model name:[[:space:]]*//p' | head -n 1)
echo "cpu: ${model:-unknown}, $(nproc) processors available; load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "== native benchmarks ($native/tools/bench)"
bench=$native/tools/bench
status=0
for program in bench_scene bench_water; do
    [ -x "$bench/$program" ] || { echo "not built: $bench/$program"; exit 1; }
done
# The mesh alone on Mesa's no-op driver (no rasterising: the cost of handing
# it to the driver), then on the software rasteriser; the water step; whole
# frames. Each line compares with its reference measured in the same run.
GALLIUM_NOOP=1 "$bench/bench_scene" mesh || status=1
"$bench/bench_scene" mesh || status=1
"$bench/bench_water" || status=1
"$bench/bench_scene" frame || status=1
echo "== renderer under Wine"
"$root/tools/bench_wine.sh" || status=1
exit $status
