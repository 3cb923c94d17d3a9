#!/usr/bin/env bash
# The settings file through the real profile functions: keys written by the
# platform as Shift-JIS bytes are read by LoadSettings; the keys and values
# that WriteSetting writes read back the same and sit in the file as the
# expected bytes; a folder named as the music file does not count as a file.
. "${KESTRINE_ROOT:?}/tools/wine_harness.sh" || exit 1
harness_init
drive=$(harness_cdrive)
[ -d "$drive" ] || harness_fail "no Wine drive"
program=$KESTRINE_WIN_BUILD/tests/win/frontend_ini.exe

run_in() {
    local folder=$1; shift
    rm -rf "${drive:?}/$folder"; mkdir -p "$drive/$folder"
    cp "$program" "$drive/$folder/frontend_ini.exe"
    local inipid
    harness_start_program inipid "C:\\$folder\\frontend_ini.exe" "C:\\$folder\\report.txt" "$@"
    harness_wait_exit "$inipid" 60 > "$drive/$folder/code"
    tr -d '\r' < "$drive/$folder/report.txt" | sed "s/^/  $folder: /"
    [ "$(cat "$drive/$folder/code")" = 0 ] || harness_fail "$folder: ended with $(cat "$drive/$folder/code")"
}

run_in kini write-platform
grep -q $'BGM\x8b\xe6\x95\xaa=2' "$drive/kini/Kestrine.ini" || harness_fail "the platform did not write the Shift-JIS kind key"

run_in kini2 write-program
printf '[Section]\r\nBGM\x8b\xe6\x95\xaa=1\r\nBGM\xd8\xcb\xdf\xb0\xc4=12\r\nBGM\xcc\xa7\xb2\xd9=C:\\kini\\\x89\xb9\x8a\x79\\lake.mp3\r\nLong=\r\n' \
    > "$drive/kini2/expected.ini"
cmp "$drive/kini2/Kestrine.ini" "$drive/kini2/expected.ini" || {
    xxd "$drive/kini2/Kestrine.ini" | head -20 >&2
    harness_fail "Kestrine.ini written by the program is not the expected bytes"
}

run_in kini3 folder 'C:\kini3'
echo "PASS: Shift-JIS keys read and written through the profile functions; folders are not files"
