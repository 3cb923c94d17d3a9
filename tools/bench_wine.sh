#!/usr/bin/env bash
# Times the real renderer under Wine in a private Xvfb session:
#   - start-up: from launching Kestrine.dll to its "Solvane_VC" window, and to
#     its first buffer swap;
#   - frames per second over ~5 s of running.
# Frames are counted by Wine itself: its "fps" debug channel traces every
# wglSwapBuffers call with the rate since the last report and since the first
# swap. Nothing in the renderer changes for the measurement.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
win_build=${KESTRINE_WIN_BUILD:-$root/build/win}
renderer=$win_build/renderer/Kestrine.dll
[ -f "$renderer" ] || { echo "renderer bench: no $renderer; build first" >&2; exit 1; }

session=$(mktemp -d /tmp/kestrine-bench.XXXXXX)
pid=""
finish() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    "$root/tools/wine_session.sh" stop "$session" >/dev/null
    rm -rf "$session"
}
trap finish EXIT

"$root/tools/wine_session.sh" start "$session" >/dev/null || { echo "renderer bench: no Wine session" >&2; exit 1; }
# shellcheck disable=SC1091
. "$session/env"
"$root/tools/stage_scene_files.sh" "$WINEPREFIX/drive_c" || exit 1

now() { date +%s.%N; }
log=$session/fps.log
start=$(now)
WINEDEBUG=-all,+fps wine "$renderer" > /dev/null 2> "$log" < /dev/null &
pid=$!

window_at="" swap_at=""
for _ in $(seq 1 600); do
    [ -z "$window_at" ] && [ -n "$(xdotool search --name '^Solvane_VC$' 2>/dev/null)" ] && window_at=$(now)
    [ -z "$swap_at" ] && grep -q 'fps:wglSwapBuffers' "$log" && swap_at=$(now)
    [ -n "$window_at" ] && [ -n "$swap_at" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
done
[ -n "$swap_at" ] || { echo "renderer bench: the renderer never swapped its buffers" >&2; exit 1; }
sleep 5
xdotool key Escape
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && { echo "renderer bench: still running after Escape" >&2; exit 1; }
wait "$pid"; pid=""

last=$(grep 'fps:wglSwapBuffers' "$log" | tail -n 1)
total=$(sed -n 's/.*total \([0-9.]*\)fps.*/\1/p' <<< "$last")
recent=$(sed -n 's/.*approx \([0-9.]*\)fps.*/\1/p' <<< "$last")
awk -v s="$start" -v w="$window_at" -v f="$swap_at" \
    'BEGIN { printf "renderer under Wine: start-up %.2f s to the window, %.2f s to the first swap\n", w - s, f - s }'
echo "renderer under Wine: ${total:-?} frames per second over the run (last interval ${recent:-?}), 1024 x 768, Xvfb software GL"
