#!/usr/bin/env bash
# The renderer's window and its ways out, under the run's 1024 x 768 Xvfb:
# a top-level window of the renderer's caption and class "OpenGL" in full-screen style that
# draws the scene; Escape, a close request, Alt+F4, the system's close
# command and a close while minimised each end it with exit code 0 and the
# display mode as it was; the saver and monitor-power commands are swallowed;
# with no pictures staged the start fails and the window is torn down cleanly;
# minimised, it keeps swapping its buffers. On this one monitor it makes no
# other window and stays an ordinary (not topmost) window.
. "$(dirname "$0")/renderer_common.sh"
require_probe
shots=$(mktemp -d /tmp/kestrine-window.XXXXXX)

size_before=$(screen_size)
mode_before=$(display_mode)
[ -n "$mode_before" ] || harness_fail "the probe cannot read the display mode"

# Requires the renderer to have ended with code 0, its window gone and the
# display as it was before it started.
expect_clean_end() {
    expect_exit_0 "$renderer_pid" 20 "$1"
    expect_display_back "$1"
}

# Requires the renderer's window to be gone and the display as it was.
expect_display_back() {
    local what=$1
    harness_window_gone "$SAVER_RENDERER_CAPTION" 5 || harness_fail "$what: the window is still there"
    [ "$(screen_size)" = "$size_before" ] || harness_fail "$what: screen is $(screen_size), was $size_before"
    expect_mode_unchanged "$what"
    echo "ok: $what ends with code 0, display $size_before"
}

start_renderer "Escape"
probe find || harness_fail "the probe does not find the window: $(probe_summary)"
echo "window: $(probe_summary)"
probe_expect "full-screen window" "class OpenGL" "popup 1" "overlapped 0" "appwindow 1" "clip 1" "topmost 0" \
    "client 1024x768" "origin 0,0"
probe monitors || harness_fail "monitors: $(probe_failures)"
probe_expect "one monitor" "monitors 1" "covers 0"
echo "ok: one monitor, no cover window"
harness_screenshot "$shots/frame.png"
# The scene fills the screen: the lower half shows the lit lake, not black.
read -r r g b <<< "$(harness_pixel "$shots/frame.png" 512 700)"
[ $((r + g + b)) -gt 30 ] || harness_fail "the lower middle of the screen is black ($r $g $b)"
echo "ok: the scene is drawn ($r $g $b at 512,700)"

# The odd keys are posted; the saver commands sent after them return once the
# window has handled them too.
probe odd-keys
probe saver-commands || harness_fail "saver commands: $(probe_summary)"
probe_expect "saver commands" "screensave 0" "monitorpower 0"
kill -0 "$renderer_pid" 2>/dev/null || harness_fail "the renderer ended after the saver commands or odd key codes"
harness_wait_window "$SAVER_RENDERER_CAPTION" 1 >/dev/null || harness_fail "the window went away after the saver commands"
echo "ok: SC_SCREENSAVE and SC_MONITORPOWER are swallowed; key codes past 255 are ignored"

expect_exit_0 "$renderer_pid" 20 "a tap of Escape" escape
expect_display_back "a tap of Escape"

start_renderer "held Escape"
xdotool keydown Escape; sleep 0.3; xdotool keyup Escape
expect_clean_end "a held Escape"

start_renderer "close request"
probe close
expect_clean_end "WM_CLOSE"

start_renderer "system close command"
probe sc-close
expect_clean_end "WM_SYSCOMMAND SC_CLOSE"

start_renderer "Alt+F4"
xdotool key alt+F4
expect_clean_end "Alt+F4"

start_renderer "close while minimised"
probe minimise-close || harness_fail "close while minimised: $(probe_failures)"
expect_clean_end "WM_CLOSE while minimised"

rm -rf "$shots"

# No picture at all: the scene cannot start, so the renderer tears its window
# down again, gives the display back and ends with code 0.
rm -f "$tolvin/$SAVER_LAKE_BED" "$tolvin/$SAVER_BACKDROP" "$tolvin/$SAVER_SPLASH"
harness_start_program renderer_pid "$renderer"
expect_clean_end "a start with no pictures"
stage_scene

# Minimised, the loop still swaps the buffers (the blend cycle counts swaps):
# Wine's fps trace of wglSwapBuffers keeps coming while the window is iconic.
# Two more reports after the minimise: the first may count swaps from before.
trace=$(mktemp /tmp/kestrine-swaps.XXXXXX)
WINEDEBUG=-all,+fps HARNESS_LOG=$trace harness_start_program renderer_pid "$renderer"
harness_wait_window "$SAVER_RENDERER_CAPTION" 30 >/dev/null || harness_fail "swap count: no renderer window within 30 s"
probe minimise || harness_fail "the window did not minimise"
swaps_before=$(grep -c 'fps:wglSwapBuffers' "$trace")
swapped_since() { [ "$(grep -c 'fps:wglSwapBuffers' "$trace")" -ge $((swaps_before + 2)) ]; }
harness_until 20 swapped_since ||
    harness_fail "no buffer swaps while minimised ($swaps_before, then $(grep -c 'fps:wglSwapBuffers' "$trace") reports)"
echo "ok: buffers are still swapped while minimised ($swaps_before, then $(grep -c 'fps:wglSwapBuffers' "$trace") swap reports)"
probe restore || harness_fail "the window did not restore"
probe close
expect_clean_end "WM_CLOSE after minimise and restore"
rm -f "$trace"
