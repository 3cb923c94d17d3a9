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
echo "${#files[@]} files identical under GDI and the native converter ($loaded loaded, $refused refused)"

# Every prefix of a few files: the Windows program must survive them all and
# answer as the native one does (the same refusals, the same pixels).
mkdir -p "$work/cut"
"$native/bmp_corpus_writer" "$work/cut" --prefixes || harness_fail "prefix writer failed"
ls "$work/cut" | sort > "$work/cut.names"
cuts=$(wc -l < "$work/cut.names")
[ "$cuts" -ge 500 ] || harness_fail "only $cuts prefixes"
sed "s|^|$work/cut/|" "$work/cut.names" > "$work/cut.list"
winwork="Z:${work//\//\\}"
while read -r name; do printf '%s\\cut\\%s\r\n' "$winwork" "$name"; done < "$work/cut.names" > "$work/cut.winlist"
"$native/bmp_native_reference" "$work/cut.native.txt" "@$work/cut.list" || harness_fail "native reference failed on prefixes"
harness_start_program cutpid "$KESTRINE_WIN_BUILD/tests/win/bmp_reference.exe" "$winwork\\cut.gdi.txt" "@$winwork\\cut.winlist"
harness_wait_exit "$cutpid" 120 > "$work/exit_code"
[ "$(cat "$work/exit_code")" = 0 ] || harness_fail "GDI reference ended with $(cat "$work/exit_code") on prefixes"
tr -d '\r' < "$work/cut.gdi.txt" > "$work/cut.gdi.unix.txt"
[ "$(wc -l < "$work/cut.gdi.unix.txt")" -eq "$cuts" ] || harness_fail "GDI reference answered $(wc -l < "$work/cut.gdi.unix.txt") of $cuts prefixes"
if ! diff "$work/cut.gdi.unix.txt" "$work/cut.native.txt" > "$work/cut.diff.txt"; then
    head -20 "$work/cut.diff.txt" >&2
    harness_fail "prefix results differ (see $work)"
fi
echo "PASS: corpus identical; $cuts prefixes of $(cut -d. -f1 "$work/cut.names" | sort -u | wc -l) files answered identically, $(grep -vc ' error ' "$work/cut.native.txt") of them loading"
