#!/usr/bin/env bash
# The real renderer's picture under Wine: with the staged pictures, a few
# seconds after start the screen shows the backdrop, and the water over the
# lake bed, where the offscreen render of the same scene code puts them (the
# reference comes from scene_probe_colours on the same pictures; either blend
# mode is accepted, with a tolerance for ripples and rasteriser rounding).
# Escape then ends the renderer with exit code 0.
. "$(dirname "$0")/renderer_common.sh"

reference="${KESTRINE_NATIVE_BUILD:-$KESTRINE_ROOT/build/native}/tests/scene_probe_colours"
[ -x "$reference" ] || harness_fail "reference program $reference is not built"
expected=$("$reference" "$tolvin") || harness_fail "the offscreen reference could not draw the staged scene"
shots=$(mktemp -d /tmp/kestrine-scene.XXXXXX)

# within A B TOLERANCE: |A - B| <= TOLERANCE
within() { local d=$(( $1 - $2 )); [ ${d#-} -le "$3" ]; }

# matches R G B R2 G2 B2 TOLERANCE: every channel close
matches() { within "$1" "$4" "$7" && within "$2" "$5" "$7" && within "$3" "$6" "$7"; }

harness_start_program renderer_pid "$renderer"
saver_wait_drawn "the scene"

# scene_shown: a new screenshot in which every probe shows the colour
# expected and the top left corner is not the green clear colour (the
# backdrop reaches the corners); its verdicts in $shots/verdicts. The
# backdrop does not move, so it is held closely; the water over the bed moves
# by its drift and any ripple that has reached the probe.
scene_shown() {
    local name x y r1 g1 b1 r2 g2 b2 r g b tolerance
    harness_screenshot "$shots/scene.png"
    while read -r name x y r1 g1 b1 r2 g2 b2; do
        case $name in backdrop*) tolerance=10 ;; *) tolerance=24 ;; esac
        read -r r g b <<< "$(harness_pixel "$shots/scene.png" "$x" "$y")"
        if matches "$r" "$g" "$b" "$r1" "$g1" "$b1" "$tolerance"; then
            echo "ok: $name at $x,$y is ($r $g $b), blended water expects ($r1 $g1 $b1)"
        elif matches "$r" "$g" "$b" "$r2" "$g2" "$b2" "$tolerance"; then
            echo "ok: $name at $x,$y is ($r $g $b), opaque water expects ($r2 $g2 $b2)"
        else
            echo "FAIL: $name at $x,$y is ($r $g $b); expected ($r1 $g1 $b1) or ($r2 $g2 $b2) within $tolerance"
        fi
    done <<< "$expected" > "$shots/verdicts"
    read -r r g b <<< "$(harness_pixel "$shots/scene.png" 2 2)"
    [ "$g" -lt 250 ] || echo "FAIL: the top left corner shows the green clear colour" >> "$shots/verdicts"
    ! grep -q '^FAIL' "$shots/verdicts"
}
# Screenshots until one matches (a slow start may still be setting up its
# first frames); the last one's verdicts are printed.
harness_until 20 scene_shown
failures=$(grep -c '^FAIL' "$shots/verdicts")
cat "$shots/verdicts"
kill -0 "$renderer_pid" 2>/dev/null || harness_fail "the renderer ended by itself"

expect_exit_0 "$renderer_pid" 20 "Escape" escape
harness_window_gone "$SAVER_RENDERER_CAPTION" 5 || harness_fail "the window is still there after Escape"
echo "ok: Escape ends the renderer with code 0"

if [ "$failures" -gt 0 ]; then
    cp "$shots/scene.png" /tmp/kestrine-scene-failed.png
    rm -rf "$shots"
    harness_fail "$failures probe(s) differ; the screenshot is /tmp/kestrine-scene-failed.png"
fi
rm -rf "$shots"
echo "PASS"
