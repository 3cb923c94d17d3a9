# Sourced by the renderer's wine tests: joins the run's Wine session (or,
# given a screen size such as 1280x720x24 and any further Xvfb options, makes
# a private one of that screen), finds the renderer and the window probe, and
# stages the scene files into C:\tolvin.
#   . renderer_common.sh [SCREEN [XVFB_OPTION...]]
KESTRINE_ROOT=${KESTRINE_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
# shellcheck disable=SC1091
. "$KESTRINE_ROOT/tools/wine_harness.sh" || exit 1
if [ -n "${1:-}" ]; then
    unset KESTRINE_WINE_SESSION
    harness_init "$@"
else
    harness_init
fi

renderer="$KESTRINE_WIN_BUILD/renderer/Kestrine.dll"
probe_exe="$KESTRINE_WIN_BUILD/tests/win/renderer_probe.exe"
tolvin="$(harness_cdrive)/tolvin"
[ -f "$renderer" ] || harness_fail "renderer program $renderer is not built"

# Puts the scene's pictures and model into C:\tolvin.
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
    rm -f "$probe_report"
    timeout 60 wine "$probe_exe" 'C:\krender\probe.txt' "$@" > /dev/null 2>&1 < /dev/null
}

# probe_value KEY: the value of the last probe's first KEY line.
probe_value() { probe_values "$1" | head -n 1; }

# probe_values KEY: the values of all the last probe's KEY lines, one a line.
probe_values() {
    tr -d '\r' < "$probe_report" 2>/dev/null | awk -v key="$1" '$1 == key { sub(/^[^ ]* /, ""); print }'
}

# probe_expect WHAT "KEY VALUE"...: the last probe reported each pair.
probe_expect() {
    local what=$1 fact; shift
    for fact in "$@"; do
        [ "$(probe_value "${fact%% *}")" = "${fact#* }" ] ||
            harness_fail "$what: the probe saw ${fact%% *} '$(probe_value "${fact%% *}")', expected '${fact#* }'"
    done
}

# probe_summary: the last probe's report on one line, for the log.
probe_summary() { tr -d '\r' < "$probe_report" 2>/dev/null | paste -sd ' '; }

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
# its window and a few frames.
start_renderer() {
    harness_start_program renderer_pid "$renderer"
    harness_wait_window Solvane_VC 30 > /dev/null || harness_fail "$1: no Solvane_VC window within 30 s"
    sleep 1
}

# set_session_dpi DPI: programs started from now on see DPI dots per inch,
# as the probe confirms.
set_session_dpi() {
    harness_set_dpi "$1"
    probe mode
    [ "$(probe_value dpi)" = "$1" ] || harness_fail "the screen has $(probe_value dpi) dots per inch, not $1"
}

# probe_failures: the last probe's failed checks, one a line.
probe_failures() { tr -d '\r' < "$probe_report" 2>/dev/null | awk '$NF == "FAIL"'; }

screen_size() { xdpyinfo | awk '/dimensions:/ { print $2 }'; }

# expect_exit_0 PID SECONDS WHAT: the program started as PID ends within
# SECONDS with exit code 0.
expect_exit_0() {
    local code
    code=$(harness_wait_exit "$1" "$2")
    [ "$code" != timeout ] || harness_fail "$3: the renderer is still running after $2 s"
    [ "$code" = 0 ] || harness_fail "$3: exit code $code, expected 0"
}

stage_scene
