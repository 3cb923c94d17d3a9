#!/usr/bin/env bash
# Choosing the music source: a press on a label or a mark moves the selected
# mark and makes the right control usable; any mouse button does it.
. "$(dirname "$0")/dialog_lib.sh"

dialog_ini 0 0 ''
dialog_start
dialog_shot choice_start
expect_marks choice_start 0

# Audio CD by its label: the repeat box becomes usable, the file button not.
click_label 1
dialog_shot choice_cd
expect_marks choice_cd 1
repeat_enabled choice_cd || harness_fail "CD chosen: the repeat box is disabled"
! file_button_enabled choice_cd || harness_fail "CD chosen: the file button is enabled"

# File by its mark: the file button becomes usable, the repeat box not.
click_mark 2
dialog_shot choice_file
expect_marks choice_file 2
file_button_enabled choice_file || harness_fail "file chosen: the file button is disabled"
! repeat_enabled choice_file || harness_fail "file chosen: the repeat box is enabled"

# None by its mark: both disabled.
click_mark 0
dialog_shot choice_none
expect_marks choice_none 0
! file_button_enabled choice_none || harness_fail "none chosen: the file button is enabled"
! repeat_enabled choice_none || harness_fail "none chosen: the repeat box is enabled"

# A right-button press on "MP3、WAV" selects the file source like the left one.
click_label 2 3
dialog_shot choice_right
expect_marks choice_right 2
file_button_enabled choice_right || harness_fail "right press on MP3、WAV: the file button is disabled"

# The middle button on the CD mark.
click_mark 1 2
dialog_shot choice_middle
expect_marks choice_middle 1
repeat_enabled choice_middle || harness_fail "middle press on the CD mark: the repeat box is disabled"

# Cancelling writes nothing, although the choice changed in memory.
rm -f "$DIALOG_INI"
click_cancel
dialog_expect_exit "cancel after choosing"
[ ! -e "$DIALOG_INI" ] || harness_fail "cancel wrote the settings file"
echo "PASS: dialog choice"
