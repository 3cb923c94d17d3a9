#!/usr/bin/env bash
# Cancel, the close box and the keys: nothing is written. Enter and Escape
# neither confirm nor cancel.
. "$(dirname "$0")/dialog_lib.sh"

original=$(saver_ini_text 1 3 '')

dialog_ini 1 3 ''
dialog_start
click_label 0
click_cancel
dialog_expect_exit "cancel"
[ "$(cat "$DIALOG_INI")" = "$original" ] || harness_fail "cancel changed the settings file"

# The close box (the system close command).
dialog_ini 1 3 ''
dialog_start
click_label 2
xdotool key alt+F4
dialog_expect_exit "close box"
[ "$(cat "$DIALOG_INI")" = "$original" ] || harness_fail "the close box changed the settings file"

# Enter and Escape, on the dialog and on a focused button, do nothing.
dialog_ini 1 3 ''
dialog_start
xdotool key Return Escape
dialog_settle
read -r x y <<< "$(dialog_at $((4860 + 577)) $((3000 + 187)))"
# Give the confirm button the focus without releasing over it: press, move off, wait for a hover tick, release.
xdotool mousemove --sync "$x" "$y" mousedown 1
dialog_settle
xdotool mousemove --sync $((DIALOG_X + 100)) $((DIALOG_Y + 5))
sleep 0.5
xdotool mouseup 1
dialog_settle
xdotool key Return space Escape
dialog_settle
harness_wait_window "$SAVER_DIALOG_CAPTION" 1 >/dev/null || harness_fail "a key or a dragged-off press closed the dialog"
[ "$(cat "$DIALOG_INI")" = "$original" ] || harness_fail "a key or a dragged-off press wrote the settings file"
click_cancel
dialog_expect_exit "cancel after keys"
echo "PASS: dialog cancel"
