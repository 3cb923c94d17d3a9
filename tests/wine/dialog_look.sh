#!/usr/bin/env bash
# The settings dialog as it opens: placement, the sine-lit background, the
# tiled panel, the marks, the buttons' faces and the source-dependent
# controls, for the CD source with track 5 and for no music.
. "$(dirname "$0")/dialog_lib.sh"

dialog_ini 1 5 ''
dialog_start
dialog_shot look_cd

# Placed at (screen - dialog) / 2 across: the 496-pixel client of a
# fixed-frame window on the 1024-pixel screen.
left=$(xdotool getwindowgeometry --shell "$DIALOG_WINDOW" | sed -n 's/^X=//p')
[ $(( left - (1024 - 496) / 2 )) -ge -4 ] && [ $(( left - (1024 - 496) / 2 )) -le 4 ] ||
    harness_fail "dialog left edge at $left, not centred"

# Background lines: (0, 0, 30) at the top, (220, 220, 250) at mid-height.
expect_pixel() {   # SHOT X Y "R G B" WHAT
    local got
    got=$(dialog_pixel "$1" "$2" "$3")
    [ "$got" = "$4" ] || harness_fail "$5: $got at ($2, $3), expected $4"
}
expect_pixel look_cd $((DIALOG_X + 3)) "$DIALOG_Y" "0 0 30" "top line colour"
expect_pixel look_cd $((DIALOG_X + 3)) $((DIALOG_Y + 123)) "220 220 250" "middle line colour"
expect_pixel look_cd $((DIALOG_X + 490)) $((DIALOG_Y + 123)) "220 220 250" "line across the whole width"

# The panel is covered with the metal tile, not its plain light grey (224, 224, 224).
read -r x y <<< "$(panel_at 6000 100)"
[ "$(dialog_pixel look_cd "$x" "$y")" != "224 224 224" ] || harness_fail "panel not tiled at the top right"
read -r x y <<< "$(panel_at 6900 2350)"
[ "$(dialog_pixel look_cd "$x" "$y")" != "224 224 224" ] || harness_fail "panel not tiled at the bottom right"

expect_state look_cd 1 1 0

# The confirm button's Normal face: dark blue frame, white at the top of the
# gradient, lavender grey (198, 197, 215) towards the bottom.
read -r x y <<< "$(dialog_at $((4860 + 577)) 3000)"
read -r r g b <<< "$(dialog_pixel look_cd "$x" "$y")"
[ "$b" -gt $((r + 40)) ] || harness_fail "confirm button frame is not dark blue ($r $g $b)"
read -r r g b <<< "$(dialog_pixel look_cd "$x" $((y + 5)))"
[ "$r" -ge 240 ] || harness_fail "gradient top is not white ($r $g $b)"
read -r r g b <<< "$(dialog_pixel look_cd "$x" $((y + 20)))"
[ "$r" -lt 215 ] && [ "$b" -gt "$r" ] || harness_fail "gradient bottom is not lavender grey ($r $g $b)"

# The cancel button in each look. Hovering draws HighLight (the gradient
# inverted: lavender grey at the top); moving away ends it at the next hover
# tick; a press draws Pressed (it also takes the focus); dragged off until a
# tick it shows Selected and the release raises no Click; hovered again while
# focused it shows HighLightSelect.
read -r x y <<< "$(dialog_at $((6060 + 577)) $((3000 + 187)))"
top_red() {   # SHOT: red of the cancel button's gradient near its top
    local r g b
    dialog_shot "$1"
    read -r r g b <<< "$(dialog_pixel "$1" "$x" $((DIALOG_Y + 200 + 5)))"
    echo "$r"
}
hover_drawn() { [ "$(top_red look_hover)" -lt 235 ]; }
hover_ended() { [ "$(top_red look_unhover)" -ge 240 ]; }
xdotool mousemove --sync $((x - 3)) "$y" mousemove --sync "$x" "$y"
dialog_until "hovering the cancel button keeps the white top" hover_drawn
xdotool mousemove --sync $((DIALOG_X + 100)) $((DIALOG_Y + 5))
dialog_until "the hover did not end" hover_ended

button_crop() {   # SHOT: signature of the cancel button's pixels
    convert "$DIALOG_SHOTS/$1.png" -crop 77x25+$((DIALOG_X + 404))+$((DIALOG_Y + 200)) +repage -format '%#' info:
}
seen=("$(button_crop look_cd)" "$(button_crop look_hover)")
# new_look SHOT: the button shows a face not seen in the looks before.
new_look() {
    local signature old
    dialog_shot "$1"
    signature=$(button_crop "$1")
    for old in "${seen[@]}"; do [ "$signature" != "$old" ] || return 1; done
    seen+=("$signature")
}
xdotool mousemove --sync $((x - 3)) "$y" mousemove --sync "$x" "$y" mousedown 1
dialog_until "no Pressed look" new_look look_pressed
xdotool mousemove --sync $((DIALOG_X + 100)) $((DIALOG_Y + 5))
dialog_until "no Selected look after the drag off" new_look look_selected
xdotool mouseup 1
xdotool mousemove --sync $((x - 3)) "$y" mousemove --sync "$x" "$y"
dialog_until "no HighLightSelect look" new_look look_highlight_select
harness_wait_window "$SAVER_DIALOG_CAPTION" 1 >/dev/null || harness_fail "a dragged-off press closed the dialog"
xdotool mousemove --sync $((DIALOG_X + 100)) $((DIALOG_Y + 5))

xdotool key alt+F4
dialog_expect_exit "close after look"

# No music: the none mark, both controls disabled, the repeat box empty.
dialog_ini 0 0 ''
dialog_start
expect_state look_none 0 0 0
xdotool key alt+F4
dialog_expect_exit "close after none"
echo "PASS: dialog look (screenshots in $DIALOG_SHOTS)"
