# Sourced by the renderer's wine tests: joins the Wine session the run gives
# the test, or makes a private one of the screen given (a size such as
# 1280x720x24 and any further Xvfb options) when run alone or registered in
# the shared session; finds the renderer and the window probe, and stages
# the scene files.
#   . renderer_common.sh [SCREEN [XVFB_OPTION...]]
KESTRINE_ROOT=${KESTRINE_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
# shellcheck disable=SC1091
. "$KESTRINE_ROOT/tools/wine_harness.sh" || exit 1
# Given a screen, a test registered in the shared session makes its own.
if [ -n "${1:-}" ] && [ "$(basename "${KESTRINE_WINE_SESSION:-}")" = wine_session ]; then
    unset KESTRINE_WINE_SESSION
fi
harness_init "$@"
. "$KESTRINE_ROOT/tests/wine/saver_common.sh"

renderer="$KESTRINE_WIN_BUILD/renderer/Kestrine.dll"
probe_exe="$KESTRINE_WIN_BUILD/tests/win/renderer_probe.exe"
tolvin=$SAVER_STAGED
[ -f "$renderer" ] || harness_fail "renderer program $renderer is not built"

# Puts the scene's pictures and model into the staging folder.
stage_scene() {
    "$KESTRINE_ROOT/tools/stage_scene_files.sh" "$(harness_cdrive)" >/dev/null || harness_fail "staging failed"
}

# The tests that look at the window from another process need the probe.
require_probe() {
    [ -f "$probe_exe" ] || harness_fail "probe program $probe_exe is not built"
}

probe_report="$(harness_cdrive)/krender/probe.txt"
mkdir -p "$(dirname "$probe_report")"

# probe COMMAND: runs renderer_probe (see tests/win/renderer_probe.cpp);
# succeeds when the window was there and every check of the probe passed.
# Its report stays for probe_value and probe_expect.
probe() {
    harness_run_probe 60 "$probe_report" "$probe_exe" 'C:\krender\probe.txt' "$@"
    [ "$HARNESS_CODE" = 0 ]
}

# probe_value KEY: the value of the last probe's first KEY line.
probe_value() { harness_report_value "$probe_report" "$1"; }

# probe_values KEY: the values of all the last probe's KEY lines, one a line.
probe_values() { awk -v key="$1" '$1 == key { sub(/^[^ ]* /, ""); print }' "$probe_report" 2>/dev/null; }

# probe_expect WHAT "KEY VALUE"...: the last probe reported each pair.
probe_expect() {
    local what=$1 fact; shift
    for fact in "$@"; do
        [ "$(probe_value "${fact%% *}")" = "${fact#* }" ] ||
            harness_fail "$what: the probe saw ${fact%% *} '$(probe_value "${fact%% *}")', expected '${fact#* }'"
    done
}

# probe_summary: the last probe's report on one line, for the log.
probe_summary() { paste -sd ' ' "$probe_report" 2>/dev/null; }

# display_mode: the display's mode as WIDTHxHEIGHTxBITS.
display_mode() {
    probe mode
    probe_value mode
}

# expect_mode_unchanged WHAT: the display's mode is mode_before, as the
# script read it at its start.
expect_mode_unchanged() {
    local mode; mode=$(display_mode)
    [ "$mode" = "$mode_before" ] || harness_fail "$1: display mode $mode, was $mode_before"
}

# start_renderer WHAT: starts the renderer, sets renderer_pid and waits for
# its window to show the lake.
start_renderer() {
    harness_start_program renderer_pid "$renderer"
    saver_wait_drawn "$1"
}

# set_session_dpi DPI: programs started from now on see DPI dots per inch,
# as the probe confirms.
set_session_dpi() {
    harness_set_dpi "$1"
    probe mode
    [ "$(probe_value dpi)" = "$1" ] || harness_fail "the screen has $(probe_value dpi) dots per inch, not $1"
}

# probe_failures: the last probe's failed checks, one a line.
probe_failures() { awk '$NF == "FAIL"' "$probe_report" 2>/dev/null; }

# install_saver: the front end, the renderer and the model in C:\ksaver, as
# an install puts them side by side.
install_saver() {
    local folder; folder="$(harness_cdrive)/ksaver"
    mkdir -p "$folder"
    cp "$KESTRINE_WIN_BUILD/frontend/Kestrine.scr" "$folder/" && cp "$renderer" "$folder/$SAVER_RENDERER_PROGRAM" &&
        cp "$KESTRINE_ROOT/assets/Kestrine.data" "$folder/$SAVER_PROGRAM_MODEL" ||
        harness_fail "cannot put the programs into C:\\ksaver"
}

screen_size() { xdpyinfo | awk '/dimensions:/ { print $2 }'; }

# expect_exit_0 PID SECONDS WHAT [escape]: the program started as PID ends
# within SECONDS with exit code 0 (after an Escape pressed where the focus is).
expect_exit_0() {
    local code
    if [ "${4:-}" = escape ]; then code=$(harness_escape "$1" "$2"); else code=$(harness_wait_exit "$1" "$2"); fi
    [ "$code" != timeout ] || harness_fail "$3: the renderer is still running after $2 s"
    [ "$code" = 0 ] || harness_fail "$3: exit code $code, expected 0"
}

stage_scene
