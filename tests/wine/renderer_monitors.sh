#!/usr/bin/env bash
# Two monitors side by side: Xephyr with Xinerama (and no RandR) gives Wine a
# 1024 x 768 primary at 0,0 and an 800 x 600 second monitor at 1024,0. The
# saver started from the front end with /s shows the lake on the primary and
# on the second monitor, in a borderless, topmost window of the renderer's
# own at that monitor's size that shows no cursor, below the lake's window.
# Escape ends both windows and the front end, pressed after a click on the
# second monitor and pressed with the second monitor's window in front. At
# 144 dots per inch the windows keep their real pixel sizes. A refused
# picture shows its box once. Runs in its own Wine session; the X root is
# white there, so anything left shows against it.
. "$(dirname "$0")/renderer_common.sh" 1824x768x24 --xephyr -screen 1024x768 -screen 800x600 +xinerama \
    -extension RANDR -wr
require_probe
shots=$(mktemp -d /tmp/kestrine-monitors.XXXXXX)
install_saver
mode_before=$(display_mode)

# colour_at SHOT X Y: "black", "white" or "other".
colour_at() {
    local r g b
    read -r r g b <<< "$(harness_pixel "$1" "$2" "$3")"
    if [ $((r + g + b)) -eq 0 ]; then
        echo black
    elif [ "$r$g$b" = 255255255 ]; then
        echo white
    else
        echo other
    fi
}

# shows_colours SHOT "X Y COLOUR"...: a new screenshot SHOT has those colours there.
shows_colours() {
    local shot=$1 point x y colour; shift
    harness_screenshot "$shot"
    for point in "$@"; do
        read -r x y colour <<< "$point"
        [ "$(colour_at "$shot" "$x" "$y")" = "$colour" ] || return 1
    done
}

# expect_colours SHOT WHAT "X Y COLOUR"...: screenshots until one shows them.
expect_colours() {
    local shot=$1 what=$2; shift 2
    harness_until 30 shows_colours "$shot" "$@" || harness_fail "$what: not the colours $* in $shot"
}

# start_saver: the front end with /s; waits for the lake's window.
start_saver() {
    harness_start_program saver 'C:\ksaver\Kestrine.scr' /s
    saver_wait_drawn "$1"
}

# water_line SHOT X HEIGHT: the first row, from the top down to HEIGHT, of
# column X where the teal water shows: green and blue well above red, and
# green about as high as blue (the sky is bluer).
water_line() {
    convert "$1" -crop "1x$3+$2+0" +repage -depth 8 txt:- |
        awk -F'[(,)]' 'NR > 1 && $4 > $3 + 10 && $5 > $3 + 10 && $4 + 5 >= $5 { split($2, at, ":"); print at[1] + 0; exit }'
}

# expect_two_lakes SHOT WHAT: within 30 s the screen shows the lake on both
# monitors: sky and mountains above, water below, the second monitor's water
# line where the primary's is for its height (the same view at its own
# size, neither cut nor stretched).
two_lakes_shown() {
    harness_screenshot "$1"
    primary=$(water_line "$1" 500 768)
    second=$(water_line "$1" 1424 600)
    # The two rows compared at 768 rows a monitor: within 2 rows.
    off=$((${second:-9999} * 768 - ${primary:-0} * 600))
    [ "${off#-}" -le 1536 ]
}

expect_two_lakes() {
    local primary second off
    harness_until 30 two_lakes_shown "$1" ||
        harness_fail "$2: water from row '$second' of 600 on the second monitor, from row '$primary' of 768 on the primary"
    expect_colours "$1" "$2" "500 30 other" "1424 30 other" "1424 500 other" "1823 599 other" "1024 0 other"
    echo "ok: $2: the lake on both monitors, the water line at row $primary of 768 and row $second of 600"
}

# expect_saver_end WHAT: the front end ends with code 0 and nothing of the
# saver is left on the screen: the white root shows everywhere.
expect_saver_end() {
    local code
    code=$(harness_wait_exit "$saver" 30)
    [ "$code" = 0 ] || harness_fail "$1: the front end ended with '$code', expected 0 within 30 s"
    harness_window_gone "$SAVER_RENDERER_CAPTION" 5 || harness_fail "$1: the lake's window is still there"
    harness_screenshot "$shots/end.png"
    # Only the monitors: Xephyr's root holds no defined picture outside them.
    local monitor
    for monitor in 1024x768+0+0 800x600+1024+0; do
        [ "$(convert "$shots/end.png" -crop "$monitor" -format '%[fx:minima.r+minima.g+minima.b]' info:)" = 3 ] ||
            harness_fail "$1: something other than the white root is left on the monitor $monitor"
    done
    expect_mode_unchanged "$1"
    echo "ok: $1 ends the lake on both monitors and the front end"
}

start_saver "Escape after a click on the second monitor"
expect_two_lakes "$shots/lakes.png" "the saver"
probe monitors || harness_fail "the second monitor's window: $(probe_failures)"
echo "monitors: $(probe_summary)"
probe_expect "two monitors" "monitors 2" "covers 1" "cover 1024,0,1824,600"
[ "$(probe_values monitor | paste -sd ' ')" = "0,0,1024,768 primary 1024,0,1824,600 other" ] ||
    harness_fail "Wine lists the monitors as $(probe_values monitor | paste -sd ' ')"
# A click on the second monitor leaves the keys with the lake's window.
xdotool mousemove 1424 300 click 1
xdotool key Escape
expect_saver_end "Escape after a click on the second monitor"

start_saver "Escape in the second monitor's window"
expect_two_lakes "$shots/lakes.png" "the saver again"
probe cover-focus || harness_fail "the second monitor's window did not take the focus: $(probe_failures)"
xdotool key Escape
expect_saver_end "Escape in the second monitor's window"

# At 144 dots per inch the lake still covers the whole primary and the
# second monitor, in real pixels.
set_session_dpi 144
start_renderer "144 dpi"
expect_two_lakes "$shots/scaled.png" "144 dpi"
probe find || harness_fail "144 dpi: the probe does not find the window"
probe_expect "144 dpi" "popup 1" "client 1024x768" "origin 0,0"
probe monitors || harness_fail "144 dpi, the cover: $(probe_failures)"
probe_expect "144 dpi" "covers 1" "cover 1024,0,1824,600"
expect_colours "$shots/scaled.png" "144 dpi" "0 0 other" "1023 0 other" "0 767 other" "1023 767 other"
echo "ok: at 144 dpi the lake covers the whole 1024 x 768 primary and the whole 800 x 600 monitor"
expect_exit_0 "$renderer_pid" 30 "144 dpi, Escape" escape

# A picture the loader refuses ("BM", then a 124-byte header of zeros) shows
# its box once, not once for each monitor; then the lake runs on both.
{ printf 'BM\x8e\0\0\0\0\0\0\0\x8a\0\0\0\x7c\0\0\0'; head -c 124 /dev/zero; } > "$tolvin/$SAVER_SPLASH"
harness_start_program renderer_pid "$renderer"
box=$(harness_wait_window Error 60) || harness_fail "a refused picture: no Error box"
xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus --sync "$box"
xdotool key --window "$box" Return
expect_two_lakes "$shots/refused.png" "after the box"
[ -z "$(xdotool search --name '^Error$' 2>/dev/null)" ] || harness_fail "a refused picture: a second Error box"
expect_exit_0 "$renderer_pid" 30 "a refused picture, Escape" escape
rm -rf "$shots"
