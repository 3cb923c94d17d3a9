#!/usr/bin/env bash
# Choosing the music source: a press on a label or a mark moves the selected
# mark and makes the right control usable; any mouse button does it.
. "$(dirname "$0")/dialog_lib.sh"

dialog_ini 0 0 ''
dialog_start
expect_state choice_start 0 0 0

# Audio CD by its label: the repeat box becomes usable, the file button not.
click_label 1
expect_state choice_cd 1 1 0

# File by its mark: the file button becomes usable, the repeat box not.
click_mark 2
expect_state choice_file 2 0 1

# None by its mark: both disabled.
click_mark 0
expect_state choice_none 0 0 0

# A right-button press on "MP3、WAV" selects the file source like the left one.
click_label 2 3
expect_state choice_right 2 0 1

# The middle button on the CD mark.
click_mark 1 2
expect_state choice_middle 1 1 0

# Cancelling writes nothing, although the choice changed in memory.
rm -f "$DIALOG_INI"
click_cancel
dialog_expect_exit "cancel after choosing"
[ ! -e "$DIALOG_INI" ] || harness_fail "cancel wrote the settings file"
echo "PASS: dialog choice"
