#!/usr/bin/env bash
# Monitors that come and go under the running saver, on Xorg's dummy driver:
# the whole saver starts on a 1920 x 1080 primary beside a 1280 x 1024
# monitor and switches the primary to 1024 x 768; then a monitor comes, one
# goes, one changes size, the primary gets its own mode back, and there are
# four. After each, within 5 s of Wine listing the monitors as X has them,
# the lake's windows are exactly the monitors; at the end each shows the lake
# drawn for its own shape. Escape ends it with code 0 and the primary in its
# own mode, also after a monitor came while the saver's mode was on and the
# system took that mode as the user's own.
. "$(dirname "$0")/renderer_common.sh" --xorg
require_probe
install_saver

# layout "OUTPUT WxH+X+Y"...: those outputs on (DUMMY0 the primary), the
# rest of DUMMY0 to DUMMY3 off.
layout() {
    local args=() output on
    for output in DUMMY0 DUMMY1 DUMMY2 DUMMY3; do
        on=$(printf '%s\n' "$@" | awk -v o="$output" '$1 == o { print $2 }')
        [ -n "$on" ] || { args+=(--output "$output" --off); continue; }
        xrandr --addmode "$output" "${on%%+*}" 2>/dev/null
        args+=(--output "$output" --mode "${on%%+*}" --pos "$(echo "${on#*+}" | tr + x)")
    done
    xrandr "${args[@]}" --output DUMMY0 --primary || harness_fail "xrandr cannot lay out $*"
    # The dummy server makes its list of what is on anew only when asked;
    # Wine reads the list as it stands.
    xrandr --listmonitors >/dev/null
}

# The monitors as X has them, as a new Wine program lists them, and the
# renderer's mapped X windows larger than 1 x 1: WxH+X+Y a line, sorted.
x_monitors() { xrandr --listmonitors | awk 'NR > 1 { gsub(/\/[0-9]+/, "", $3); print $3 }' | sort; }
wine_monitors() {
    probe mode
    probe_values monitor | awk -F'[, ]' '{ printf "%dx%d+%d+%d\n", $3 - $1, $4 - $2, $1, $2 }' | sort
}
lakes() {
    local window
    for window in $(xdotool search --onlyvisible --class kestrine.dll 2>/dev/null); do
        xwininfo -id "$window" | awk '/upper-left X/ { x = $4 } /upper-left Y/ { y = $4 } /Width:/ { w = $2 }
            /Height:/ { h = $2 } END { if (w > 1 && h > 1) printf "%dx%d+%d+%d\n", w, h, x, y }'
    done | sort
}
wine_agrees() { [ "$(wine_monitors)" = "$(x_monitors)" ]; }
lakes_are_monitors() { [ "$(lakes)" = "$(x_monitors)" ]; }
primary_is() { [ "$(x_monitors | grep '+0+0$')" = "$1+0+0" ]; }

expect_lakes() {
    harness_until 60 wine_agrees || harness_fail "$1: Wine lists $(wine_monitors | paste -sd ' ')"
    harness_until 5 lakes_are_monitors ||
        harness_fail "$1: lakes at $(lakes | paste -sd ' '), monitors at $(x_monitors | paste -sd ' ')"
    echo "ok: $1: a lake on each of $(x_monitors | paste -sd ' ')"
}

# run_saver LAYOUT...: the whole saver on a new wineserver that lists the
# monitors as X has them (an older one may keep those it had when a saver
# gave a mode back), the primary switched to 1024 x 768.
run_saver() {
    layout "$@"
    harness_until 60 eval 'harness_new_wineserver && sleep 1 && wine_agrees' ||
        harness_fail "Wine does not list the monitors X has"
    mode_before=$(display_mode)
    harness_start_program saver 'C:\ksaver\Kestrine.scr' /s
    harness_until 60 primary_is 1024x768 || harness_fail "the primary is not switched to 1024 x 768"
}

# Escape over the primary (without a window manager the keys go where the
# pointer is): the front end ends with code 0, no lake is left, the primary
# is back in its own mode.
expect_saver_end() {
    xdotool mousemove 400 300
    [ "$(harness_escape "$saver" 30)" = 0 ] || harness_fail "$1: the front end did not end with code 0"
    harness_until 10 eval '[ -z "$(lakes)" ] && primary_is 1920x1080' ||
        harness_fail "$1: lakes at $(lakes | paste -sd ' '), monitors at $(x_monitors | paste -sd ' ')"
    expect_mode_unchanged "$1"
    echo "ok: $1: Escape ends the saver, the primary back at $mode_before"
}

run_saver "DUMMY0 1920x1080+0+0" "DUMMY1 1280x1024+1920+0"
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
# The horizon: the first row below 30 % of the height whose mean green
# passes 40 of 255, at 0.48 of the height for a lake drawn for its shape.
sleep 1
harness_screenshot "$KESTRINE_SESSION/four.png"
for monitor in $(x_monitors); do
    height=${monitor#*x} && height=${height%%+*}
    at=$(convert "$KESTRINE_SESSION/four.png" -crop "$monitor" +repage -scale "1x$height!" -depth 8 txt:- |
        awk -F'[(,):]' -v h="$height" 'NR > 1 && $2 > 0.3 * h && $5 + 0 > 40 { printf "%.3f", $2 / h; exit }')
    awk -v at="${at:-0}" 'BEGIN { exit !(at > 0.46 && at < 0.50) }' ||
        harness_fail "the lake on $monitor has its horizon at '$at' of its height, not 0.48"
    echo "ok: the lake on $monitor has its horizon at $at of its height"
done
expect_saver_end "four monitors"

# The system may take the saver's mode up as the user's own when a monitor
# comes: the restore alone would then leave the primary at 1024 x 768.
run_saver "DUMMY0 1920x1080+0+0" "DUMMY1 1280x1024+1920+0"
layout "DUMMY0 1024x768+0+0" "DUMMY1 1280x1024+1024+0" "DUMMY2 800x600+2304+0"
expect_lakes "a monitor added in the saver's mode"
probe keep-mode || harness_fail "the saver's mode cannot be made the user's own: $(probe_summary)"
expect_saver_end "a monitor added in the saver's mode, taken as the user's own"
