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
echo "$cuts prefixes of $(cut -d. -f1 "$work/cut.names" | sort -u | wc -l) files answered identically, $(grep -vc ' error ' "$work/cut.native.txt") of them loading"

# Thousands of fixed pseudo-random variants: changed header fields, pixel and
# table bytes, lengths. They probe the converters' corners (gappy masks,
# broken run-length streams, odd sizes) far beyond the hand-made corpus.
mkdir -p "$work/mut"
"$native/bmp_corpus_writer" "$work/mut" --mutations 40 || harness_fail "mutation writer failed"
ls "$work/mut" | sort > "$work/mut.names"
mutants=$(wc -l < "$work/mut.names")
sed "s|^|$work/mut/|" "$work/mut.names" > "$work/mut.list"
while read -r name; do printf '%s\\mut\\%s\r\n' "$winwork" "$name"; done < "$work/mut.names" > "$work/mut.winlist"
"$native/bmp_native_reference" "$work/mut.native.txt" "@$work/mut.list" || harness_fail "native reference failed on variants"
harness_start_program mutpid "$KESTRINE_WIN_BUILD/tests/win/bmp_reference.exe" "$winwork\\mut.gdi.txt" "@$winwork\\mut.winlist"
harness_wait_exit "$mutpid" 240 > "$work/exit_code"
[ "$(cat "$work/exit_code")" = 0 ] || harness_fail "GDI reference ended with $(cat "$work/exit_code") on variants"
tr -d '\r' < "$work/mut.gdi.txt" > "$work/mut.gdi.unix.txt"
[ "$(wc -l < "$work/mut.gdi.unix.txt")" -eq "$mutants" ] || harness_fail "GDI reference answered $(wc -l < "$work/mut.gdi.unix.txt") of $mutants variants"
if ! diff "$work/mut.gdi.unix.txt" "$work/mut.native.txt" > "$work/mut.diff.txt"; then
    head -20 "$work/mut.diff.txt" | cut -c1-300 >&2
    harness_fail "variant results differ (see $work)"
fi
echo "PASS: corpus, $cuts prefixes and $mutants variants ($(grep -vc ' error ' "$work/mut.native.txt") loading) identical under GDI and the native converter"
