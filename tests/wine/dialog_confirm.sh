#!/usr/bin/env bash
# Confirming writes the three keys, in order, with the repeat text rounded
# half to even; nothing else closes the dialog with a write.
. "$(dirname "$0")/dialog_lib.sh"

# Kind 1, track 5 loaded; confirming at once writes them back; the file key
# is written although empty.
dialog_ini 1 5 ''
dialog_start
rm -f "$DIALOG_INI"
click_set
dialog_expect_exit "confirm unchanged"
dialog_expect_ini "confirm unchanged" 1 5 ''

# Choosing none and confirming still writes the old track and file.
touch "$DIALOG_DIR/song.mp3"
dialog_ini 2 7 'C:\kdialog\song.mp3'
dialog_start
click_label 0
click_set
dialog_expect_exit "confirm none"
dialog_expect_ini "confirm none" 0 7 'C:\kdialog\song.mp3'

# Text typed into the repeat box (empty at load for track 0).
for case in "abc 0" "12 12" "2.5 2" "3.5 4" "99999 32767"; do
    read -r typed expected <<< "$case"
    dialog_ini 1 0 ''
    dialog_start
    click_repeat_text
    xdotool type --delay 50 "$typed"
    dialog_settle
    click_set
    dialog_expect_exit "confirm repeat $typed"
    dialog_expect_ini "repeat text $typed" 1 "$expected" ''
done

# The file source with no file chosen: kind 2 and an empty file.
dialog_ini 0 0 ''
dialog_start
click_label 2
click_set
dialog_expect_exit "confirm file without a file"
dialog_expect_ini "file source without a file" 2 0 ''
echo "PASS: dialog confirm"
