#!/usr/bin/env bash
# Loads BMP files through the real GDI conversion (the Windows reference under
# Wine) and through the native converter, and requires identical results for
# every file: the same pixels, or the same refusal message. Four sets:
#   corpus    the hand-made corpus: every format, core and info headers, with
#             and without file header, odd widths, short palettes, refusals
#   cut       every non-empty proper prefix of ten files of different kinds
#   mut       fixed pseudo-random variants of the corpus (header fields,
#             pixel and table bytes, lengths)
#   rand      made-up files: random run-length code streams, random masks
. "$KESTRINE_ROOT/tools/wine_harness.sh"
harness_init
native=${KESTRINE_NATIVE_BUILD:?}/tests
exe=$KESTRINE_WIN_BUILD/tests/win/bmp_reference.exe
[ -x "$exe" ] || harness_fail "missing $exe"
work=$KESTRINE_SESSION/bmp_differential
rm -rf "$work"; mkdir -p "$work"
winwork="Z:${work//\//\\}"

# compare_set NAME MINIMUM WRITER-ARGS...: writes the set, runs both
# programs over it and compares their answers line by line.
compare_set() {
    local set=$1 minimum=$2; shift 2
    mkdir -p "$work/$set"
    "$native/bmp_corpus_writer" "$work/$set" "$@" || harness_fail "$set: writer failed"
    ls "$work/$set" | sort > "$work/$set.names"
    local count; count=$(wc -l < "$work/$set.names")
    [ "$count" -ge "$minimum" ] || harness_fail "$set: only $count files"
    sed "s|^|$work/$set/|" "$work/$set.names" > "$work/$set.list"
    local name
    while read -r name; do printf '%s\\%s\\%s\r\n' "$winwork" "$set" "$name"; done < "$work/$set.names" > "$work/$set.winlist"
    "$native/bmp_native_reference" "$work/$set.native.txt" "@$work/$set.list" || harness_fail "$set: native reference failed"
    local refpid
    harness_start_program refpid "$exe" "$winwork\\$set.gdi.txt" "@$winwork\\$set.winlist"
    # Waited for in this shell (not a subshell), so its exit code can be read.
    harness_wait_exit "$refpid" 240 > "$work/$set.exit_code"
    [ "$(cat "$work/$set.exit_code")" = 0 ] || harness_fail "$set: GDI reference ended with $(cat "$work/$set.exit_code")"
    harness_unix_lines "$work/$set.gdi.txt"
    local answered; answered=$(grep -vc '^failures ' "$work/$set.gdi.txt")
    [ "$answered" -eq "$count" ] || harness_fail "$set: GDI reference answered $answered of $count files"
    if ! diff "$work/$set.gdi.txt" "$work/$set.native.txt" > "$work/$set.diff.txt"; then
        head -20 "$work/$set.diff.txt" | cut -c1-300 >&2
        harness_fail "$set: native converter differs from GDI (see $work)"
    fi
    echo "$set: $count files identical ($(grep -vc ' error ' "$work/$set.native.txt") loaded, $(grep -c ' error ' "$work/$set.native.txt") refused)"
}

compare_set corpus 80
compare_set cut 4000 --prefixes
compare_set mut 6000 --mutations 40
compare_set rand 4000 --random 3000
echo "PASS: every set identical under GDI and the native converter"
