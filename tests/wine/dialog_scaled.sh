#!/usr/bin/env bash
# The settings dialog at 96, then 120, 144 and 192 dots per inch, in a Wine
# session of its own (the prefix's LogPixels changes here, which the other
# wine tests must not see). At each scale: the client area is the layout's
# twips at that scale; the sine-lined background reaches the window's right
# and bottom edges; the metal tiles cover the panel to its edges without
# gaps; the captions are drawn larger than at 96. At 144 also: the scaled
# "MP3、WAV" chooses the file source and the confirm button writes it; and
# the forms runtime's own checks at that scale (tests/win/ui_forms_probe).
. "$(dirname "$0")/dialog_lib.sh"

# dialog_set_dpi DPI: programs started from now on see DPI dots per inch,
# and the dialog helpers place their clicks and samples at that scale.
dialog_set_dpi() {
    harness_set_dpi "$1"
    DIALOG_DPI=$1
}

# The height in pixels of the ink of "MP3、WAV": the dark pixels of
# lbl_BGM(2)'s box and a quarter of its height below (where the text may
# reach), short of the file button and name below.
mp3_ink_height() {
    local x y w h
    read -r x y <<< "$(panel_at 660 1440)"
    w=$(dialog_px 900)
    h=$(( $(dialog_px 195) * 5 / 4 ))
    convert "$DIALOG_SHOTS/$1.png" -crop "${w}x${h}+${x}+${y}" +repage -colorspace gray -threshold 40% \
        -negate -trim -format '%h' info: 2>/dev/null
}

# expect_no_gap SHOT X Y WIDTH HEIGHT WHAT: no pixel of the strip is lighter
# than the metal tile (215): a white gap or the panel's plain grey shows.
expect_no_gap() {
    local light
    light=$(convert "$DIALOG_SHOTS/$1.png" -crop "$4x$5+$2+$3" +repage -colorspace gray -threshold 84.5% \
        -format '%[fx:round(mean*w*h)]' info:)
    [ "$light" = 0 ] || harness_fail "$1: $light pixels unpainted along $6"
}

# expect_line SHOT X Y: the background line at client row Y, at client column X.
expect_line() {
    local v expected got
    v=$(awk -v y="$3" -v h="$DIALOG_H" 'BEGIN { v = sin(y / (h / 3.142)) * 220; if (v < 0) v = -v; printf "%d", v + 0.5 }')
    expected="$v $v $((v + 30))"
    got=$(dialog_pixel "$1" $((DIALOG_X + $2)) $((DIALOG_Y + $3)))
    # The rounding of a half may differ by one from the program's.
    read -r r g b <<< "$got"
    [ $(( r - v )) -ge -1 ] && [ $(( r - v )) -le 1 ] && [ $(( b - v - 30 )) -ge -1 ] && [ $(( b - v - 30 )) -le 1 ] ||
        harness_fail "$1: background $got at ($2, $3), expected $expected"
}

# scale_checks SHOT: the client size, the background to the edges, the panel
# covered to its edges; prints the ink height of "MP3、WAV".
scale_checks() {
    local shot=$1 geometry width height x y inner_w inner_h edge=2
    geometry=$(xdotool getwindowgeometry --shell "$DIALOG_WINDOW")
    width=$(echo "$geometry" | sed -n 's/^WIDTH=//p')
    height=$(echo "$geometry" | sed -n 's/^HEIGHT=//p')
    [ "$width" = "$(dialog_px 7440)" ] && [ "$height" = "$DIALOG_H" ] ||
        harness_fail "$shot: client ${width}x${height}, expected $(dialog_px 7440)x$DIALOG_H"
    dialog_shot "$shot"
    for y in 0 $((DIALOG_H / 4)) $((DIALOG_H / 2)) $((DIALOG_H - 1)); do
        expect_line "$shot" $((width - 1)) "$y"
    done
    for x in 0 $((width / 2)) $((width - 1)); do expect_line "$shot" "$x" $((DIALOG_H - 1)); done
    # The panel's inside: its four edges and a column right of the file name.
    inner_w=$(( $(dialog_px $((180 + 7035))) - $(dialog_px 180) - 2 * edge ))
    inner_h=$(( $(dialog_px $((240 + 2475))) - $(dialog_px 240) - 2 * edge ))
    read -r x y <<< "$(panel_at 0 0)"
    expect_no_gap "$shot" "$x" "$y" "$inner_w" 1 "the panel's top"
    expect_no_gap "$shot" "$x" $((y + inner_h - 1)) "$inner_w" 1 "the panel's bottom"
    expect_no_gap "$shot" "$x" "$y" 1 "$inner_h" "the panel's left"
    expect_no_gap "$shot" $((x + inner_w - 1)) "$y" 1 "$inner_h" "the panel's right"
    expect_no_gap "$shot" $((x + $(dialog_px 6800))) "$y" 1 "$inner_h" "a column across the tiles"
}

# At 96 dots per inch (the fresh prefix's), as a measure for the others.
dialog_ini 0 0 ''
dialog_start
scale_checks scaled_96
ink96=$(mp3_ink_height scaled_96)
echo "  96 dpi: client $(dialog_px 7440)x$DIALOG_H, \"MP3、WAV\" ink $ink96 pixels high"
xdotool key alt+F4
dialog_expect_exit "close at 96"

for dpi in 120 144 192; do
    dialog_set_dpi "$dpi"
    dialog_ini 0 0 ''
    dialog_start
    scale_checks "scaled_$dpi"
    ink=$(mp3_ink_height "scaled_$dpi")
    echo "  $dpi dpi: client $(dialog_px 7440)x$DIALOG_H, \"MP3、WAV\" ink $ink pixels high"
    # Crisp text at its point size: as much taller as the scale, give or take a pixel.
    [ $(( ink * 96 )) -ge $(( (ink96 - 1) * dpi )) ] || harness_fail "$dpi dpi: text $ink pixels high against $ink96 at 96"
    if [ "$dpi" = 144 ]; then
        expect_state scaled_144_none 0 0 0
        click_label 2
        expect_state scaled_144_file 2 0 1
        rm -f "$DIALOG_INI"
        click_set
        dialog_expect_exit "confirm at 144"
        dialog_expect_ini "the file source chosen at 144 dpi" 2 0 ''
    else
        xdotool key alt+F4
        dialog_expect_exit "close at $dpi"
    fi
done

# The forms runtime in-process at 144 dots per inch.
dialog_set_dpi 144
probe="$KESTRINE_WIN_BUILD/tests/win/ui_forms_probe.exe"
cp "$probe" "$DIALOG_DIR/" || harness_fail "no ui_forms_probe.exe"
harness_run_probe 120 "$DIALOG_DIR/probe.txt" 'C:\kdialog\ui_forms_probe.exe' 'C:\kdialog\probe.txt' 144
grep -E 'dpi|scale|rescaled|hand|mark|FAIL' "$DIALOG_DIR/probe.txt" | sed 's/^/  probe: /'
[ "$HARNESS_CODE" = 0 ] || harness_fail "ui_forms_probe at 144 dpi ended with $HARNESS_CODE"
echo "PASS: dialog scaled (screenshots in $DIALOG_SHOTS)"
