#!/usr/bin/env bash
# Loads the generated BMP corpus through the real GDI conversion (under Wine)
# and through the native converter, and requires identical results for every
# file: the same pixels, or the same refusal message.
. "$KESTRINE_ROOT/tools/wine_harness.sh"
harness_init
native=${KESTRINE_NATIVE_BUILD:?}/tests
work=$KESTRINE_SESSION/bmp_differential
rm -rf "$work"; mkdir -p "$work/corpus"
"$native/bmp_corpus_writer" "$work/corpus" || harness_fail "corpus writer failed"
files=("$work"/corpus/*.bmp)
[ ${#files[@]} -ge 40 ] || harness_fail "corpus has only ${#files[@]} files"

"$native/bmp_native_reference" "$work/native.txt" "${files[@]}" || harness_fail "native reference failed"

winfiles=()
for f in "${files[@]}"; do winfiles+=("Z:${f//\//\\}"); done
harness_start_program refpid "$KESTRINE_WIN_BUILD/tests/win/bmp_reference.exe" "Z:${work//\//\\}\\gdi.txt" "${winfiles[@]}"
# Waited for in this shell (not a subshell), so its exit code can be read.
harness_wait_exit "$refpid" 60 > "$work/exit_code"
code=$(cat "$work/exit_code")
[ "$code" = 0 ] || harness_fail "GDI reference ended with $code"
[ "$(wc -l < "$work/gdi.txt")" -eq ${#files[@]} ] || harness_fail "GDI reference wrote $(wc -l < "$work/gdi.txt") of ${#files[@]} results"

tr -d '\r' < "$work/gdi.txt" > "$work/gdi.unix.txt"
if ! diff "$work/gdi.unix.txt" "$work/native.txt" > "$work/diff.txt"; then
    cat "$work/diff.txt" >&2
    harness_fail "native converter differs from GDI (see $work)"
fi
loaded=$(grep -vc ' error ' "$work/native.txt")
refused=$(grep -c ' error ' "$work/native.txt")
echo "PASS: ${#files[@]} files identical under GDI and the native converter ($loaded loaded, $refused refused)"
