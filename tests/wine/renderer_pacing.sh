#!/usr/bin/env bash
# The renderer's pace and rests on Mesa's no-op driver (a frame costs next
# to nothing) under the run's Xvfb, where vertical sync never holds: at most
# about 70 frames a second; told the display is off, no swap and next to no
# CPU for seconds, and swapping again once it is on; a lock does not rest
# it, a console disconnect does until a connect; Escape while the display is
# off ends it with code 0 and the display mode as it was; after a resume from
# sleep it goes on drawing at the same pace. Swaps are counted
# by Wine's fps trace, which reports at the first swap 1.5 s after its last.
. "$(dirname "$0")/renderer_common.sh"
require_probe
mode_before=$(display_mode)
trace=$(mktemp /tmp/kestrine-pace.XXXXXX)

swap_reports() { grep -c 'fps:wglSwapBuffers' "$trace"; }
reported_since() { [ "$(swap_reports)" -gt "$1" ]; }
cpu_ticks() { local stat; read -r -a stat < "/proc/$wine_pid/stat" && echo $((stat[13] + stat[14])); }

# tell WHAT PROBE_COMMAND...: tells the renderer something; reports is the
# count of swap reports before.
tell() {
    local what=$1; shift
    reports=$(swap_reports)
    probe "$@" || harness_fail "$what: $(probe_summary)"
}

# expect_rest WHAT SECONDS: no swap report for SECONDS, with at most a tenth
# of a core's time used.
expect_rest() {
    sleep 0.5
    local cpu; cpu=$(cpu_ticks)
    reports=$(swap_reports)
    sleep "$2"
    local used=$(($(cpu_ticks) - cpu))
    [ "$(swap_reports)" = "$reports" ] || harness_fail "$1: the renderer swapped its buffers while at rest"
    [ $((used * 10)) -le $(($2 * $(getconf CLK_TCK))) ] || harness_fail "$1: $used CPU ticks in $2 s at rest"
    echo "ok: $1: no swap in $2 s, $used CPU ticks"
}

# expect_swapping WHAT SECONDS: a swap report within SECONDS of the last tell.
expect_swapping() {
    harness_until "$2" reported_since "$reports" || harness_fail "$1: no buffer swap within $2 s"
    echo "ok: $1: swapping"
}

GALLIUM_NOOP=1 WINEDEBUG=-all,+fps HARNESS_LOG=$trace harness_start_program renderer_pid "$renderer"
harness_wait_window "$SAVER_RENDERER_CAPTION" 60 >/dev/null || harness_fail "no renderer window within 60 s"
wine_pid=$(harness_wine_pid "$renderer_pid")
harness_until 30 reported_since 4 || harness_fail "fewer than five swap reports within 30 s"
# Each report after the first gives the rate since the one before.
# expect_paced WHAT: every rate reported since report number $1 is at most
# about 70 frames a second.
expect_paced() {
    local rates
    rates=$(awk '/fps:wglSwapBuffers/ { sub(/.*approx /, ""); sub(/fps.*/, ""); print }' "$trace" | tail -n +"$(($2 + 2))" | paste -sd ' ')
    echo "$rates" | awk '{ for (i = 1; i <= NF; i++) if ($i > 70) exit 1 }' || harness_fail "$1: frames a second: $rates"
    echo "ok: $1: paced at $rates frames a second"
}
expect_paced "the start" 0

tell "resume" resume
harness_until 30 reported_since $((reports + 3)) || harness_fail "resume: fewer than three swap reports within 30 s"
expect_paced "after a resume" "$reports"

tell "display off" display 0
expect_rest "display off" 4
tell "display on" display 1
expect_swapping "display on" 2
tell "lock" session 7
expect_swapping "locked" 5
tell "console disconnect" session 2
expect_rest "console disconnect" 3
tell "console connect" session 1
expect_swapping "console connect" 2

tell "display off" display 0
sleep 0.5
expect_exit_0 "$renderer_pid" 20 "Escape while the display is off" escape
expect_mode_unchanged "Escape while the display is off"
echo "ok: Escape while the display is off ends it, display mode $mode_before"
rm -f "$trace"
