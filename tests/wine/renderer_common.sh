# Sourced by the renderer's wine tests: joins the run's Wine session (or,
# given a screen size such as 1280x720x24, makes a private one of that size),
# finds the renderer and the window probe, and stages the scene files into
# C:\tolvin.
#   . renderer_common.sh [SCREEN]
KESTRINE_ROOT=${KESTRINE_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
# shellcheck disable=SC1091
. "$KESTRINE_ROOT/tools/wine_harness.sh" || exit 1
if [ -n "${1:-}" ]; then
    unset KESTRINE_WINE_SESSION
    harness_init "$1"
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

# probe COMMAND: runs renderer_probe (see tests/win/renderer_probe.cpp) and
# prints its answer.
probe() { wine "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }

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
