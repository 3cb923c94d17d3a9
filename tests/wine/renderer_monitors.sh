#!/usr/bin/env bash
# Two monitors: Xvfb with Xinerama (and no RandR) gives Wine a 1024 x 768
# primary and an 800 x 600 second monitor, both at 0,0. The saver started
# from the front end with /s shows the lake on the primary and covers the
# second monitor's rectangle with a black, borderless, topmost window of the
# renderer's own that shows no cursor; the lake's window stays above it.
# Escape ends both windows and the front end, pressed in the lake's window
# and pressed in the cover. At 144 dots per inch the windows keep their real
# pixel sizes. Runs in its own Wine session; the X root is white there, so the
# black cover shows against it.
. "$(dirname "$0")/renderer_common.sh" 1024x768x24 +xinerama -extension RANDR -screen 1 800x600x24 -wr
require_probe
shots=$(mktemp -d /tmp/kestrine-monitors.XXXXXX)
saver_folder="$(harness_cdrive)/ksaver"
mkdir -p "$saver_folder"
cp "$KESTRINE_WIN_BUILD/frontend/Kestrine.scr" "$saver_folder/" && cp "$renderer" "$saver_folder/$SAVER_RENDERER_PROGRAM" &&
    cp "$KESTRINE_ROOT/assets/Kestrine.data" "$saver_folder/$SAVER_PROGRAM_MODEL" || harness_fail "cannot put the programs into C:\\ksaver"
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
    harness_until 10 shows_colours "$shot" "$@" || harness_fail "$what: not the colours $* in $shot"
}

# start_saver: the front end with /s; waits for the lake's window.
start_saver() {
    harness_start_program saver 'C:\ksaver\Kestrine.scr' /s
    saver_wait_drawn "$1"
}

# expect_saver_end WHAT: the front end ends with code 0 and nothing of the
# saver is left on the screen: the white root shows everywhere.
expect_saver_end() {
    local code
    code=$(harness_wait_exit "$saver" 30)
    [ "$code" = 0 ] || harness_fail "$1: the front end ended with '$code', expected 0 within 30 s"
    harness_window_gone "$SAVER_RENDERER_CAPTION" 5 || harness_fail "$1: the lake's window is still there"
    harness_screenshot "$shots/end.png"
    [ "$(convert "$shots/end.png" -format '%[fx:minima.r+minima.g+minima.b]' info:)" = 3 ] ||
        harness_fail "$1: something other than the white root is left on the screen"
    expect_mode_unchanged "$1"
    echo "ok: $1 ends the lake, its cover and the front end"
}

start_saver "Escape in the lake"
probe monitors || harness_fail "the cover: $(probe_failures)"
echo "monitors: $(probe_summary)"
probe_expect "two monitors" "monitors 2" "covers 1" "cover 0,0,800,600"
[ "$(probe_values monitor | paste -sd ' ')" = "0,0,1024,768 primary 0,0,800,600 other" ] ||
    harness_fail "Wine lists the monitors as $(probe_values monitor | paste -sd ' ')"
# Inside the second monitor's rectangle the lake shows, above the cover.
expect_colours "$shots/lake.png" "the lake" "400 500 other" "900 700 other"
echo "ok: the lake is drawn on the primary, above the cover"
xdotool key Escape
expect_saver_end "Escape in the lake"

start_saver "Escape in the cover"
# With the lake's window out of the way the cover shows: black over the
# second monitor's rectangle and nowhere else.
probe hide || harness_fail "the lake's window could not be hidden"
expect_colours "$shots/cover.png" "the cover" "0 0 black" "799 599 black" "400 300 black" "800 300 white" \
    "400 600 white" "1023 767 white"
echo "ok: a black window covers the second monitor's 800 x 600"
probe cover-focus || harness_fail "the cover did not take the focus: $(probe_failures)"
xdotool key Escape
expect_saver_end "Escape in the cover"

# At 144 dots per inch the lake still covers the whole primary and the cover
# the second monitor, in real pixels.
set_session_dpi 144
start_renderer "144 dpi"
probe find || harness_fail "144 dpi: the probe does not find the window"
probe_expect "144 dpi" "popup 1" "client 1024x768" "origin 0,0"
probe monitors || harness_fail "144 dpi, the cover: $(probe_failures)"
probe_expect "144 dpi" "covers 1" "cover 0,0,800,600"
harness_screenshot "$shots/scaled.png"
for point in "0 0" "1023 0" "0 767" "1023 767" "400 500"; do
    read -r x y <<< "$point"
    [ "$(colour_at "$shots/scaled.png" "$x" "$y")" != white ] || harness_fail "144 dpi: no lake at ($x, $y)"
done
echo "ok: at 144 dpi the lake covers the whole 1024 x 768 primary, and the cover the 800 x 600 monitor"
expect_exit_0 "$renderer_pid" 30 "144 dpi, Escape" escape
rm -rf "$shots"
