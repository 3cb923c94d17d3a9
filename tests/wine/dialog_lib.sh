# Shared by the dialog_*.sh wine tests: starts `Kestrine.scr /c` from its own
# folder in the prefix, finds the dialog, clicks its controls at the pixel
# positions the layout gives (twips x DIALOG_DPI / 1440, to the nearest
# pixel: twips / 15 at the usual 96 dots per inch), samples its pixels and
# reads the INI file it writes.
KESTRINE_ROOT=${KESTRINE_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
# shellcheck disable=SC1091
. "$KESTRINE_ROOT/tools/wine_harness.sh"
harness_init
. "$KESTRINE_ROOT/tests/wine/saver_common.sh"

DIALOG_SCR="$KESTRINE_WIN_BUILD/frontend/Kestrine.scr"
[ -f "$DIALOG_SCR" ] || harness_fail "no Kestrine.scr in $KESTRINE_WIN_BUILD"
DIALOG_DIR="$(harness_cdrive)/kdialog"
DIALOG_INI="$DIALOG_DIR/$SAVER_SETTINGS_FILE"
DIALOG_SHOTS="${KESTRINE_NATIVE_BUILD:-/tmp}/tests/dialog_screens"
mkdir -p "$DIALOG_DIR" "$DIALOG_SHOTS"
cp "$DIALOG_SCR" "$DIALOG_DIR/Kestrine.scr"

# The design font is not installed here; the prefix maps it to the IPA
# proportional Gothic so the captions have their designed widths.
dialog_fonts() {
    local reg="$DIALOG_DIR/fonts.reg"
    { printf '\xff\xfe'
      printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"ＭＳ Ｐゴシック"="IPAPGothic"\r\n' |
          iconv -f UTF-8 -t UTF-16LE; } > "$reg"
    wine regedit /s 'C:\kdialog\fonts.reg' >/dev/null 2>&1 < /dev/null
}
dialog_fonts

# The screen's dots per inch the dialog is laid out for, and its client
# area's height in pixels there.
DIALOG_DPI=${DIALOG_DPI:-96}
dialog_px() { echo $(( ($1 * DIALOG_DPI + 720) / 1440 )); }
dialog_height() { DIALOG_H=$(dialog_px 3690); }
dialog_height

# dialog_ini KIND REPEAT FILE: a settings file as the dialog writes it.
dialog_ini() { saver_ini_text "$@" > "$DIALOG_INI"; }

# dialog_start: starts the dialog and sets DIALOG_PID, DIALOG_X, DIALOG_Y (its client origin on screen).
dialog_start() {
    harness_window_gone "$SAVER_DIALOG_CAPTION" 10 || harness_fail "an earlier dialog is still open"
    harness_start_program DIALOG_PID 'C:\kdialog\Kestrine.scr' /c
    DIALOG_WINDOW=$(harness_wait_window "$SAVER_DIALOG_CAPTION" 30) || harness_fail "the dialog did not open"
    dialog_wait_painted
}

# Waits until the dialog is shown where it was placed and painted (the
# background's middle line shows, and the controls drawn over it have
# settled: two screenshots in a row are the same), and sets its client origin.
dialog_wait_painted() {
    dialog_height
    harness_until 40 dialog_painted || harness_fail "the dialog was not painted within 40 s"
    dialog_wait_still
}
dialog_painted() {
    local geometry
    geometry=$(xdotool getwindowgeometry --shell "$DIALOG_WINDOW" 2>/dev/null)
    DIALOG_X=$(echo "$geometry" | sed -n 's/^X=//p')
    DIALOG_Y=$(echo "$geometry" | sed -n 's/^Y=//p')
    [ -n "$DIALOG_X" ] && [ -n "$DIALOG_Y" ] || return 1
    harness_screenshot "$DIALOG_SHOTS/.probe.png"
    [ "$(harness_pixel "$DIALOG_SHOTS/.probe.png" $((DIALOG_X + 3)) $((DIALOG_Y + DIALOG_H / 2)))" = "220 220 250" ]
}

# Waits (up to 5 s) until a screenshot equals the one before it.
dialog_wait_still() {
    local i
    for i in $(seq 1 20); do
        sleep 0.25
        harness_screenshot "$DIALOG_SHOTS/.probe2.png"
        compare -metric AE "$DIALOG_SHOTS/.probe.png" "$DIALOG_SHOTS/.probe2.png" null: 2>/dev/null && return 0
        mv "$DIALOG_SHOTS/.probe2.png" "$DIALOG_SHOTS/.probe.png"
    done
}

# Lets the program handle what it was sent: a round trip through the server.
dialog_settle() { sleep 0.6; }

# Screen position of a point given in twips inside the dialog, or inside the
# panel Pic_C (its client area starts 2 pixels inside its sunken edge).
dialog_at() { echo $(( DIALOG_X + $(dialog_px "$1") )) $(( DIALOG_Y + $(dialog_px "$2") )); }
panel_at() {
    echo $(( DIALOG_X + $(dialog_px 180) + 2 + $(dialog_px "$1") )) $(( DIALOG_Y + $(dialog_px 240) + 2 + $(dialog_px "$2") ))
}

# dialog_click X Y [BUTTON]: presses and releases a mouse button there.
# The pointer arrives with a move, as a hand's would: a button that holds the
# focus without hover (Selected) raises no Click until a move reaches it.
dialog_click() {
    xdotool mousemove --sync $(( $1 - 3 )) "$2" mousemove --sync "$1" "$2"
    sleep 0.1
    xdotool click "${3:-1}"
    dialog_settle
}

# The controls' centres (layout twips: left + width / 2, top + height / 2).
# lbl_BGM(i) and Img_BGM(i) share their row: mark_top; a label's half width: label_half.
mark_top() { case $1 in 0) echo 1140 ;; 1) echo 840 ;; 2) echo 1440 ;; esac; }
label_half() { case $1 in 0) echo 165 ;; 1) echo 322 ;; 2) echo 450 ;; esac; }
click_label() { dialog_click $(panel_at $((660 + $(label_half "$1"))) $(( $(mark_top "$1") + 97 ))) "${2:-1}"; }
click_mark() { dialog_click $(panel_at $((420 + 90)) $(( $(mark_top "$1") + 90 ))) "${2:-1}"; }
click_set() { dialog_click $(dialog_at $((4860 + 577)) $((3000 + 187))); }
click_cancel() { dialog_click $(dialog_at $((6060 + 577)) $((3000 + 187))); }
click_file() { dialog_click $(panel_at $((420 + 307)) $((1740 + 157))); }
click_repeat_text() { dialog_click $(panel_at $((1680 + 150)) $((780 + 150))); }

# open_chooser: clicks the file button until the chooser shows. The button
# gets the focus back when a chooser closes and then needs a pointer move
# before a press clicks it (Selected raises no Click); a move that reaches the
# dialog before it is enabled again is lost, so a second try is a user's.
open_chooser() {
    local attempt
    for attempt in 1 2 3; do
        click_file
        if chooser=$(harness_wait_window "ﾌｧｲﾙを開く" 8); then
            [ "$attempt" = 1 ] || echo "the chooser opened on try $attempt"
            # Once it is drawn and still, keys typed reach its name box.
            harness_screenshot "$DIALOG_SHOTS/.probe.png"
            dialog_wait_still
            return 0
        fi
        xdotool mousemove --sync $((DIALOG_X + 100)) $((DIALOG_Y + 5))
    done
    harness_fail "no chooser titled ﾌｧｲﾙを開く"
}

dialog_shot() { harness_screenshot "$DIALOG_SHOTS/$1.png"; }

# dialog_pixel SHOT X Y: "R G B" at a screen position of a screenshot.
dialog_pixel() { harness_pixel "$DIALOG_SHOTS/$1.png" "$2" "$3"; }

# Whether the mark Img_BGM(i) shows the selected look (a dark centre dot).
mark_selected() {
    local x y r g b
    read -r x y <<< "$(panel_at $((420 + 90)) $(( $(mark_top "$2") + 90 )))"
    read -r r g b <<< "$(dialog_pixel "$1" "$x" "$y")"
    [ $(( r + g + b )) -lt 300 ]
}

# state_is SHOT MARK REPEAT FILE: takes a screenshot and tells whether mark
# MARK alone shows as selected, and whether the repeat box and the file
# button are enabled (1) or disabled (0).
state_is() {
    local i
    dialog_shot "$1"
    for i in 0 1 2; do
        if [ "$i" = "$2" ]; then mark_selected "$1" "$i" || return 1
        else ! mark_selected "$1" "$i" || return 1; fi
    done
    if [ "$3" = 1 ]; then repeat_enabled "$1" || return 1; else ! repeat_enabled "$1" || return 1; fi
    if [ "$4" = 1 ]; then file_button_enabled "$1" || return 1; else ! file_button_enabled "$1" || return 1; fi
}

# dialog_until WHAT COMMAND...: repeats COMMAND (which takes its own
# screenshot) until it succeeds, so a slow machine only makes it wait;
# fails with WHAT after 30 seconds.
dialog_until() {
    local what=$1
    shift
    harness_until 30 "$@" || harness_fail "$what"
}

# expect_state SHOT MARK REPEAT FILE
expect_state() {
    dialog_until "$1: not mark $2 alone selected, repeat box $3, file button $4" state_is "$@"
}

# Whether Cmd_File draws an enabled face: its frame is dark blue, the
# disabled face's frame is beige grey.
file_button_enabled() {
    local x y r g b
    read -r x y <<< "$(panel_at $((420 + 307)) 1740)"
    read -r r g b <<< "$(dialog_pixel "$1" "$x" "$y")"
    [ "$b" -gt $(( r + 40 )) ]
}

# Whether the repeat box is enabled: its text area is white, light grey when
# disabled (sampled right of a short number).
repeat_enabled() {
    local x y r g b
    read -r x y <<< "$(panel_at $((1680 + 270)) $((780 + 150)))"
    read -r r g b <<< "$(dialog_pixel "$1" "$x" "$y")"
    [ "$r" -ge 250 ] && [ "$g" -ge 250 ] && [ "$b" -ge 250 ]
}

# dialog_expect_exit: the program ends once the dialog has closed.
dialog_expect_exit() {
    local code
    code=$(harness_wait_exit "$DIALOG_PID" 20)
    [ "$code" != timeout ] || harness_fail "$1: the program did not end"
    harness_window_gone "$SAVER_DIALOG_CAPTION" 10 || harness_fail "$1: the dialog is still shown"
}

# dialog_expect_ini WHAT KIND REPEAT FILE: the INI holds exactly these bytes.
dialog_expect_ini() {
    local what=$1; shift
    if ! cmp -s <(saver_ini_text "$@") "$DIALOG_INI"; then
        echo "expected:"; saver_ini_text "$@" | od -c | head -20
        echo "got:"; od -c "$DIALOG_INI" | head -20
        harness_fail "$what: the settings file is not as expected"
    fi
}
