#!/usr/bin/env bash
# The renderer's pace and rests under the run's 1024 x 768 Xvfb, where the
# swap interval is taken but vertical sync never holds, on Mesa's no-op
# driver (a frame costs next to nothing, so nothing but the pacing holds the
# rate down). Swaps are counted by Wine's fps trace, which reports at the
# first swap 1.5 s after its last report.
#   - It runs at most about 70 frames a second.
#   - Told the display is off, it swaps nothing and takes next to no CPU for
#     seconds; told it is on again, it swaps again at once.
#   - A lock does not rest it; a console disconnect does, until a connect.
#   - Escape while the display is off ends it with code 0, the display mode
#     as it was.
. "$(dirname "$0")/renderer_common.sh"
require_probe
mode_before=$(display_mode)
trace=$(mktemp /tmp/kestrine-pace.XXXXXX)
ticks_per_second=$(getconf CLK_TCK)

swap_reports() { grep -c 'fps:wglSwapBuffers' "$trace"; }
# reported_since COUNT: a swap report has come after the first COUNT.
reported_since() { [ "$(swap_reports)" -gt "$1" ]; }
cpu_ticks() { local stat; read -r -a stat < "/proc/$wine_pid/stat" && echo $((stat[13] + stat[14])); }

# expect_rest WHAT SECONDS: after the last swap report, none comes for
# SECONDS, with at most a tenth of a core's time used meanwhile.
expect_rest() {
    sleep 0.5
    local reports cpu used
    reports=$(swap_reports)
    cpu=$(cpu_ticks)
    sleep "$2"
    used=$(($(cpu_ticks) - cpu))
    [ "$(swap_reports)" = "$reports" ] || harness_fail "$1: the renderer swapped its buffers while at rest"
    [ $((used * 10)) -le $(($2 * ticks_per_second)) ] ||
        harness_fail "$1: $used CPU ticks in $2 s at rest (at most $(($2 * ticks_per_second / 10)))"
    echo "ok: $1: no swap in $2 s, $used CPU ticks"
}

# tell WHAT PROBE_COMMAND...: runs the probe command that tells the renderer
# something; sets reports to the swap reports before it.
tell() {
    local what=$1; shift
    reports=$(swap_reports)
    probe "$@" || harness_fail "$what: $(probe_summary)"
}

# expect_swapping WHAT SECONDS: a swap report comes within SECONDS of the
# last tell.
expect_swapping() {
    harness_until "$2" reported_since "$reports" || harness_fail "$1: no buffer swap within $2 s"
    echo "ok: $1: swapping"
}

GALLIUM_NOOP=1 WINEDEBUG=-all,+fps HARNESS_LOG=$trace harness_start_program renderer_pid "$renderer"
harness_wait_window "$SAVER_RENDERER_CAPTION" 60 >/dev/null || harness_fail "no renderer window within 60 s"
wine_pid=$(harness_wine_pid "$renderer_pid")
harness_until 30 reported_since 2 || harness_fail "fewer than three swap reports within 30 s"
harness_until 30 reported_since 4 || harness_fail "fewer than five swap reports within 30 s"
# Each report after the first gives the rate since the one before.
rates=$(awk '/fps:wglSwapBuffers/ { sub(/.*approx /, ""); sub(/fps.*/, ""); print }' "$trace" | tail -n +2 | paste -sd ' ')
for rate in $rates; do
    awk -v r="$rate" 'BEGIN { exit !(r <= 70) }' || harness_fail "the renderer ran at $rate frames a second (reports: $rates)"
done
echo "ok: paced at $rates frames a second"

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
