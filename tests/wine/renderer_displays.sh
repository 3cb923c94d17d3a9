#!/usr/bin/env bash
# Monitors that come and go under the running saver, on Xorg's dummy driver
# (real modes; xrandr connects, moves and sizes its outputs). The whole saver
# (Kestrine.scr /s) starts on a 1920 x 1080 primary with a 1280 x 1024
# monitor beside it, and switches the primary to 1024 x 768. Then a monitor
# comes, one goes, one changes size, the primary gets its own mode back, and
# there are four: after each, within 5 s of Wine listing the monitors as X
# has them, the lake's windows are exactly the monitors, and at the end each
# shows the lake drawn for its own shape. Escape ends it with code 0 and the
# primary in its own mode; so it does after a monitor came while the
# saver's 1024 x 768 was on.
. "$(dirname "$0")/renderer_common.sh" --xorg
require_probe
install_saver
shots=$(mktemp -d /tmp/kestrine-displays.XXXXXX)

# layout "OUTPUT WxH+X+Y"...: those outputs on, DUMMY0 the primary, every
# other of DUMMY0 to DUMMY3 off.
layout() {
    local args=() output place on
    for output in DUMMY0 DUMMY1 DUMMY2 DUMMY3; do
        on=""
        for place in "$@"; do [ "${place%% *}" = "$output" ] && on=${place#* }; done
        if [ -z "$on" ]; then
            args+=(--output "$output" --off)
            continue
        fi
        xrandr --addmode "$output" "${on%%+*}" 2>/dev/null
        args+=(--output "$output" --mode "${on%%+*}" --pos "$(echo "${on#*+}" | tr + x)")
    done
    xrandr "${args[@]}" --output DUMMY0 --primary || harness_fail "xrandr cannot lay out $*"
}

# x_monitors: the monitors X has on, as WxH+X+Y, one a line, sorted.
x_monitors() { xrandr --listmonitors | awk 'NR > 1 { print $3 }' | sed 's|/[0-9]*||g' | sort; }

# wine_monitors: the monitors a new Wine program lists, the same way.
wine_monitors() {
    probe mode >/dev/null
    probe_values monitor | awk -F'[, ]' '{ printf "%dx%d+%d+%d\n", $3 - $1, $4 - $2, $1, $2 }' | sort
}

# lakes: the renderer's X windows that are mapped and larger than 1 x 1.
lakes() {
    local window
    for window in $(xdotool search --onlyvisible --class kestrine.dll 2>/dev/null); do
        xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
            /Width:/ { w = $2 } /Height:/ { h = $2 } END { if (w > 1 && h > 1) printf "%dx%d+%d+%d\n", w, h, x, y }'
    done | sort
}

wine_agrees() { [ "$(wine_monitors)" = "$(x_monitors)" ]; }
lakes_are_monitors() { [ "$(lakes)" = "$(x_monitors)" ]; }

# expect_lakes WHAT: once Wine lists the monitors as X has them, the lakes
# cover exactly those within 5 s.
expect_lakes() {
    harness_until 60 wine_agrees || harness_fail "$1: Wine lists $(wine_monitors | paste -sd ' '), X has $(x_monitors | paste -sd ' ')"
    harness_until 5 lakes_are_monitors ||
        harness_fail "$1: lakes at $(lakes | paste -sd ' '), monitors at $(x_monitors | paste -sd ' ')"
    echo "ok: $1: a lake on each of $(x_monitors | paste -sd ' ')"
}

# horizon SHOT WxH+X+Y: where the lake's horizon stands on that monitor, as
# a fraction of its height: the first row below 30 % whose mean green
# passes 40 of 255.
horizon() {
    local height=${2#*x}; height=${height%%+*}
    convert "$1" -crop "$2" +repage -scale "1x$height!" -depth 8 txt:- |
        awk -F'[(,):]' -v h="$height" 'NR > 1 && $2 > 0.3 * h && $5 + 0 > 40 { printf "%.3f\n", $2 / h; exit }'
}

# fresh_wine: a new wineserver, whose list of monitors is X's (an older one
# may keep the list it had when a saver gave a mode back).
fresh_wine() {
    wineserver -k
    wineserver -w
    setsid wineserver -f -p >/dev/null 2>&1 < /dev/null &
    echo $! > "$KESTRINE_SESSION/wineserver.pid"
    # The prefix's services, away from the test's output (wine_session.sh).
    wine cmd /c exit >/dev/null 2>&1 < /dev/null
}

# run_saver WHAT: the whole saver, on a fresh wineserver, with the primary
# switched to 1024 x 768.
run_saver() {
    fresh_wine
    harness_until 60 wine_agrees || harness_fail "$1: Wine does not list the monitors X has"
    mode_before=$(display_mode)
    harness_start_program saver 'C:\ksaver\Kestrine.scr' /s
    harness_wait_window "$SAVER_RENDERER_CAPTION" 60 >/dev/null || harness_fail "$1: no lake's window within 60 s"
    harness_until 30 eval '[ "$(x_monitors | head -n 1)" = 1024x768+0+0 ]' ||
        harness_fail "$1: the primary is not switched to 1024 x 768: $(x_monitors | paste -sd ' ')"
}

# expect_saver_end WHAT: Escape (over the primary) ends the front end with
# code 0, no lake is left, and the primary is in its own mode again.
expect_saver_end() {
    xdotool mousemove 400 300
    local code; code=$(harness_escape "$saver" 30)
    [ "$code" = 0 ] || harness_fail "$1: the front end ended with '$code', expected 0"
    harness_window_gone "$SAVER_RENDERER_CAPTION" 10 || harness_fail "$1: the lake's window is still there"
    [ -z "$(lakes)" ] || harness_fail "$1: lake windows left at $(lakes | paste -sd ' ')"
    harness_until 10 eval '[ "$(x_monitors | grep +0+0)" = 1920x1080+0+0 ]' ||
        harness_fail "$1: the primary is left at $(x_monitors | grep +0+0)"
    expect_mode_unchanged "$1"
    echo "ok: $1: Escape ends the saver, the primary back at $mode_before"
}

layout "DUMMY0 1920x1080+0+0" "DUMMY1 1280x1024+1920+0"
run_saver "two monitors"
expect_lakes "the start"
layout "DUMMY0 1024x768+0+0" "DUMMY1 1280x1024+1024+0" "DUMMY2 800x600+2304+0"
expect_lakes "a monitor added"
layout "DUMMY0 1024x768+0+0" "DUMMY2 800x600+1024+0"
expect_lakes "a monitor removed"
layout "DUMMY0 1024x768+0+0" "DUMMY2 1280x1024+1024+0"
expect_lakes "a monitor resized"
layout "DUMMY0 1920x1080+0+0" "DUMMY2 1280x1024+1920+0"
expect_lakes "the primary's own mode back"
layout "DUMMY0 1920x1080+0+0" "DUMMY2 1280x1024+1920+0" "DUMMY1 1024x768+3200+0" "DUMMY3 800x600+4224+0"
expect_lakes "four monitors"
sleep 1
harness_screenshot "$shots/four.png"
for monitor in $(x_monitors); do
    at=$(horizon "$shots/four.png" "$monitor")
    awk -v at="${at:-0}" 'BEGIN { exit !(at > 0.46 && at < 0.50) }' ||
        harness_fail "the lake on $monitor has its horizon at '$at' of its height, not 0.48"
    echo "ok: the lake on $monitor has its horizon at $at of its height"
done
expect_saver_end "four monitors"

layout "DUMMY0 1920x1080+0+0" "DUMMY1 1280x1024+1920+0"
run_saver "a monitor added in the saver's mode"
layout "DUMMY0 1024x768+0+0" "DUMMY1 1280x1024+1024+0" "DUMMY2 800x600+2304+0"
expect_lakes "a monitor added in the saver's mode"
expect_saver_end "a monitor added in the saver's mode"
rm -rf "$shots"
