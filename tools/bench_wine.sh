#!/usr/bin/env bash
# Times the real renderer under Wine in a private Xvfb session:
#   - start-up: from launching Kestrine.dll to its window, and to
#     its first buffer swap;
#   - frames per second, the process's CPU time per frame and its share of
#     a core over ~8 s of running, once as it runs, once on Mesa's no-op
#     driver (GALLIUM_NOOP=1: nothing is rasterised, so what is left is the
#     CPU cost of building and submitting the frames, which any GL driver
#     also pays), and both again with two monitors side by side (on
#     Xephyr), the lake on both, and on the no-op driver with four
#     monitors of different sizes (on Xorg's dummy driver). Neither Xvfb
#     nor these servers hold vertical sync, so these runs are paced by the
#     renderer itself;
#   - on the no-op driver, the share of a core over 4 s after the renderer
#     is told that the display is off (as Windows tells it: the window
#     probe of the tests).
# Frames are counted by Wine itself: its "fps" debug channel traces every
# ~1.5 s of wglSwapBuffers calls the rate since the first swap, and the
# "timestamp" channel stamps each trace with the system's millisecond clock.
# The CPU time is the process's own (all its threads: user + system), read
# from /proc every 0.1 s against the same clock. Nothing in the renderer
# changes for the measurement.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck disable=SC1091
. "$root/tools/saver_contract.sh"
win_build=${KESTRINE_WIN_BUILD:-$root/build/win}
renderer=$win_build/renderer/Kestrine.dll
probe_exe=$win_build/tests/win/renderer_probe.exe
[ -f "$renderer" ] || { echo "renderer bench: no $renderer; build first" >&2; exit 1; }
[ -f "$probe_exe" ] || { echo "renderer bench: no $probe_exe; build first" >&2; exit 1; }

# A private session (made and ended by the harness), its prefix a copy of the
# test run's template when there is one.
unset KESTRINE_WINE_SESSION
export KESTRINE_WINE_TEMPLATE=${KESTRINE_WINE_TEMPLATE:-$root/build/native/wine_template}
# shellcheck disable=SC1091
. "$root/tools/wine_harness.sh"
harness_init
session=$KESTRINE_SESSION
"$root/tools/stage_scene_files.sh" "$WINEPREFIX/drive_c" || exit 1

now() { date +%s.%N; }
ticks_per_second=$(getconf CLK_TCK)

# cpu_sample WINE_PID: "uptime ticks" of the process's CPU time so far.
cpu_sample() {
    local uptime stat
    read -r uptime _ < /proc/uptime
    read -r -a stat < "/proc/$1/stat" || return 1
    # After the name in parentheses (one word here): utime is field 14, stime 15.
    echo "$uptime $((stat[13] + stat[14]))"
}

# display_off_share LABEL WINE_PID: tells the renderer the display is off,
# then prints its share of a core over the next 4 s.
display_off_share() {
    local report=$WINEPREFIX/drive_c/bench-probe.txt from to
    harness_run_probe 60 "$report" "$probe_exe" 'C:\bench-probe.txt' display 0
    [ "$HARNESS_CODE" = 0 ] || { echo "renderer bench: the display-off message was not delivered" >&2; return 1; }
    sleep 0.5
    from=$(cpu_sample "$2") || return 1
    sleep 4
    to=$(cpu_sample "$2") || return 1
    echo "$from $to" | awk -v label="$1" -v hz="$ticks_per_second" \
        '{ printf "renderer under Wine%s, display off: %.1f %% of a core\n", label, 100 * ($4 - $2) / hz / ($3 - $1) }'
}

# run LABEL [ENV...]: one run of the renderer; prints its lines. With
# rest=1 it also measures the renderer at rest.
run() {
    local label=$1; shift
    local log=$session/fps.log samples=$session/cpu.samples
    : > "$samples"
    local start window_at="" swap_at=""
    local assignment pid wine_pid
    for assignment in "$@"; do export "${assignment?}"; done
    start=$(now)
    WINEDEBUG=-all,+fps,+timestamp HARNESS_LOG=$log harness_start_program pid "$renderer"
    for assignment in "$@"; do unset "${assignment%%=*}"; done
    for _ in $(seq 1 600); do
        [ -z "$window_at" ] && [ -n "$(xdotool search --name "^$CONTRACT_RENDERER_CAPTION\$" 2>/dev/null)" ] && window_at=$(now)
        [ -z "$swap_at" ] && grep -q 'fps:wglSwapBuffers' "$log" && swap_at=$(now)
        [ -n "$window_at" ] && [ -n "$swap_at" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    [ -n "$swap_at" ] || { echo "renderer bench: the renderer never swapped its buffers" >&2; return 1; }
    # The Wine process keeps its id through the loader's exec: its /proc
    # entry is the renderer's.
    wine_pid=$(harness_wine_pid "$pid")
    for _ in $(seq 1 80); do
        cpu_sample "$wine_pid" >> "$samples" || break
        sleep 0.1
    done
    local rest_line=""
    if [ -n "${rest:-}" ]; then rest_line=$(display_off_share "${label%, no-op driver}" "$wine_pid") || return 1; fi
    # With no window manager the keys go to the window under the pointer:
    # the primary's.
    xdotool mousemove 400 300
    [ "$(harness_escape "$pid" 10)" != timeout ] || { echo "renderer bench: still running after Escape" >&2; return 1; }

    if [ -z "$label" ]; then
        awk -v s="$start" -v w="$window_at" -v f="$swap_at" \
            'BEGIN { printf "renderer start-up under Wine: %.2f s to the window, %.2f s to the first swap\n", w - s, f - s }'
    fi
    # Wine's count starts at its first trace (the first swap); each later trace
    # gives the rate since then, so frames up to a trace = rate x time since
    # the first. Frames and CPU time are taken between the first and the last
    # trace inside the sampled time, the CPU time interpolated between samples.
    awk -v label="$label" -v hz="$ticks_per_second" -v swaps="${swaps_per_frame:-1}" '
        FNR == NR { t[n] = $1; c[n] = $2; n++; next }
        /fps:wglSwapBuffers/ {
            stamp = $1; sub(/:.*/, "", stamp); stamp += 0
            rate = $0; sub(/.*total /, "", rate); sub(/fps.*/, "", rate); rate += 0
            if (!started) { started = 1; origin = stamp; next }
            if (stamp < t[0] || stamp > t[n - 1]) next
            if (!from) { from = stamp; fromFrames = rate * (stamp - origin) }
            to = stamp; toFrames = rate * (stamp - origin)
        }
        function cpuAt(when,   i) {
            for (i = 1; i < n - 1 && t[i] < when; i++) {}
            return c[i - 1] + (c[i] - c[i - 1]) * (when - t[i - 1]) / (t[i] - t[i - 1])
        }
        END {
            frames = (toFrames - fromFrames) / swaps
            if (n < 2 || to <= from || frames < 1) { print "renderer bench: too few frame traces" > "/dev/stderr"; exit 1 }
            cpu = (cpuAt(to) - cpuAt(from)) / hz
            printf "renderer under Wine%s: %.1f frames/s, %.2f ms of CPU per frame, %.1f %% of a core\n", label,
                frames / (to - from), 1000 * cpu / frames, 100 * cpu / (to - from)
        }' "$samples" "$log" || return 1
    [ -z "$rest_line" ] || echo "$rest_line"
}

run "" || exit 1
rest=1 run ", no-op driver" GALLIUM_NOOP=1 || exit 1

# Two monitors side by side, 1024 x 768 and 800 x 600, on Xephyr: every pass
# swaps both windows' buffers, and Wine counts each swap.
"$root/tools/wine_session.sh" stop "$session" >/dev/null
"$root/tools/wine_session.sh" start "$session" 1824x768x24 --xephyr -screen 1024x768 -screen 800x600 +xinerama \
    -extension RANDR >/dev/null || { echo "renderer bench: no Wine session on two monitors" >&2; exit 1; }
# shellcheck disable=SC1091
. "$session/env"
swaps_per_frame=2 run ", two monitors" || exit 1
swaps_per_frame=2 rest=1 run ", two monitors, no-op driver" GALLIUM_NOOP=1 || exit 1

# Four monitors of different sizes on Xorg's dummy driver, side by side; the
# primary is already in the renderer's 1024 x 768.
# A new prefix: one that has run on other servers keeps their monitors.
"$root/tools/wine_session.sh" stop "$session" >/dev/null
rm -rf "$session/prefix"
"$root/tools/wine_session.sh" start "$session" --xorg >/dev/null ||
    { echo "renderer bench: no Wine session on Xorg's dummy driver" >&2; exit 1; }
# shellcheck disable=SC1091
. "$session/env"
"$root/tools/stage_scene_files.sh" "$WINEPREFIX/drive_c" || exit 1
for output in DUMMY1:1280x1024 DUMMY2:800x600 DUMMY3:1920x1080; do xrandr --addmode "${output%:*}" "${output#*:}"; done
xrandr --output DUMMY0 --mode 1024x768 --pos 0x0 --primary --output DUMMY1 --mode 1280x1024 --pos 1024x0 \
    --output DUMMY2 --mode 800x600 --pos 2304x0 --output DUMMY3 --mode 1920x1080 --pos 3104x0 ||
    { echo "renderer bench: xrandr cannot lay out four monitors" >&2; exit 1; }
# The dummy server's own list of what is on is made anew only when asked;
# Wine reads it as it stands.
xrandr --listmonitors >/dev/null
# A new Wine may list the monitors it had before: a newer one, until one
# lists the four.
wine_lists_four() {
    local report=$WINEPREFIX/drive_c/bench-probe.txt
    harness_new_wineserver
    sleep 1
    harness_run_probe 60 "$report" "$probe_exe" 'C:\bench-probe.txt' mode
    [ "$(grep -c '^monitor ' "$report")" = 4 ]
}
harness_until 60 wine_lists_four || { echo "renderer bench: Wine does not list the four monitors" >&2; exit 1; }
swaps_per_frame=4 run ", four monitors, no-op driver" GALLIUM_NOOP=1 || exit 1
