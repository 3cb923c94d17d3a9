#!/usr/bin/env bash
# The settings file through the real profile functions: keys written by the
# platform as Shift-JIS bytes are read by LoadSettings; the keys and values
# that WriteSetting writes read back the same and sit in the file as the
# expected bytes; a folder named as the music file does not count as a file.
. "${KESTRINE_ROOT:?}/tests/wine/frontend_common.sh" || exit 1
drive=$FE_DRIVE
program=$FE_TESTS/frontend_ini.exe

run_in() {
    local folder=$1; shift
    rm -rf "${drive:?}/$folder"; mkdir -p "$drive/$folder"
    cp "$program" "$drive/$folder/frontend_ini.exe"
    fe_run 60 "C:\\$folder\\frontend_ini.exe" "C:\\$folder\\report.txt" "$@"
    tr -d '\r' < "$drive/$folder/report.txt" | sed "s/^/  $folder: /"
    [ "$FE_CODE" = 0 ] || harness_fail "$folder: ended with $FE_CODE"
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
