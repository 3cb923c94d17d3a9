#!/usr/bin/env bash
# The windowed fallback: on a 1280 x 720 screen the renderer's change to
# 1024 x 768 is refused, so it opens an overlapped window of client size
# 1024 x 768 at (0, 0) instead, draws into it, leaves the display alone and
# still ends on Escape with exit code 0; on this one monitor nothing else is
# made. At 144 dots per inch the client area keeps its width in real pixels.
# Runs in its own Wine session with that screen size, not in the run's
# shared one.
. "$(dirname "$0")/renderer_common.sh" 1280x720x24
. "$(dirname "$0")/failure_log_lib.sh"
require_probe
shot=$(mktemp /tmp/kestrine-windowed.XXXXXX.png)

[ "$(screen_size)" = 1280x720 ] || harness_fail "the session's screen is $(screen_size), not 1280x720"
mode_before=$(display_mode)

clear_failure_log
start_renderer "the windowed fallback"
expect_logged "windowed fallback" Kestrine.dll \
    'display mode 1024x768x32 refused, running in a window: DISP_CHANGE_BADMODE (-2)'
probe find || harness_fail "the probe does not find the window: $(probe_summary)"
echo "window: $(probe_summary)"
probe_expect "windowed fallback" "class OpenGL" "popup 0" "overlapped 1" "appwindow 1" "windowedge 1" "clip 1" \
    "topmost 0" "origin 0,0"
# The window asks for a 1024 x 768 client area; the system keeps a framed
# window within the screen's height, so on a 720-line screen it is shorter.
IFS=x read -r client_w client_h <<< "$(probe_value client)"
[ "$client_w" = 1024 ] || harness_fail "client width $client_w, expected 1024"
[ "$client_h" -gt 600 ] && [ "$client_h" -le 768 ] || harness_fail "client height $client_h, expected 601 ... 768"
probe monitors || harness_fail "monitors: $(probe_failures)"
probe_expect "one monitor" "monitors 1" "covers 0"
expect_mode_unchanged "the windowed fallback"
[ "$(screen_size)" = 1280x720 ] || harness_fail "the screen changed to $(screen_size)"
echo "ok: refused mode change gives an overlapped window; display left at $mode_before"

harness_screenshot "$shot"
# Beyond the window's right edge the screen stays black; inside it the lake shows.
read -r r g b <<< "$(harness_pixel "$shot" 512 600)"
[ $((r + g + b)) -gt 30 ] || harness_fail "nothing drawn inside the window ($r $g $b at 512,600)"
read -r r g b <<< "$(harness_pixel "$shot" 1200 600)"
[ $((r + g + b)) -eq 0 ] || harness_fail "the screen right of the window is not black ($r $g $b)"
echo "ok: the scene is drawn inside the window only"

expect_exit_0 "$renderer_pid" 20 "Escape" escape
[ "$(screen_size)" = 1280x720 ] || harness_fail "the screen is $(screen_size) after the end"
echo "ok: Escape ends the windowed renderer with code 0"

# At 144 dots per inch the frame is drawn larger, and the client area stays
# 1024 pixels wide, drawn to its right edge.
set_session_dpi 144
start_renderer "144 dpi"
probe find || harness_fail "144 dpi: the probe does not find the window"
echo "window at 144 dpi: $(probe_summary)"
probe_expect "144 dpi" "popup 0" "overlapped 1" "origin 0,0"
IFS=x read -r client_w client_h <<< "$(probe_value client)"
[ "$client_w" = 1024 ] || harness_fail "144 dpi: client width $client_w, expected 1024"
harness_screenshot "$shot"
read -r r g b <<< "$(harness_pixel "$shot" 1000 600)"
[ $((r + g + b)) -gt 30 ] || harness_fail "144 dpi: nothing drawn near the client's right edge ($r $g $b at 1000,600)"
echo "ok: at 144 dpi the windowed client area is 1024 pixels wide and drawn"
rm -f "$shot"
expect_exit_0 "$renderer_pid" 20 "144 dpi, Escape" escape
