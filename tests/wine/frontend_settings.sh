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
    fe_report 60 "$drive/$folder/report.txt" "$folder" "C:\\$folder\\frontend_ini.exe" "C:\\$folder\\report.txt" "$@"
    [ "$FE_CODE" = 0 ] || harness_fail "$folder: ended with $FE_CODE"
}

run_in kini write-platform
grep -q "$SAVER_KEY_KIND=2" "$drive/kini/$SAVER_SETTINGS_FILE" || harness_fail "the platform did not write the Shift-JIS kind key"

run_in kini2 write-program
{ saver_ini_text 1 12 $'C:\\kini\\\x89\xb9\x8a\x79\\lake.mp3'; printf 'Long=\r\n'; } > "$drive/kini2/expected.ini"
cmp "$drive/kini2/$SAVER_SETTINGS_FILE" "$drive/kini2/expected.ini" || {
    xxd "$drive/kini2/$SAVER_SETTINGS_FILE" | head -20 >&2
    harness_fail "$SAVER_SETTINGS_FILE written by the program is not the expected bytes"
}

run_in kini3 folder 'C:\kini3'
echo "PASS: Shift-JIS keys read and written through the profile functions; folders are not files"
