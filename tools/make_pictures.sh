#!/usr/bin/env bash
# Makes the README's pictures from the real programs under Wine, as
# `./kestrine pictures` does after the build, into FOLDER (default docs/):
#   lake.jpg          the saver's lake (dist/Kestrine's Kestrine.scr /s) on the primary monitor
#   two_monitors.jpg  the same run on both monitors, 1024 x 768 and 800 x 600 side by side
#   settings.jpg      the settings dialog (Kestrine.scr /c), set to play an MP3 file
# All three come from one Wine session with the two monitors side by side
# (Xephyr, tools/wine_session.sh): the script's own, or the one
# KESTRINE_WINE_SESSION names (the test's).
# Usage: make_pictures.sh [FOLDER]
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:-$root/docs}
mkdir -p "$out" && out=$(cd "$out" && pwd) || exit 1

if [ -z "${KESTRINE_WINE_SESSION:-}" ]; then
    session=$(mktemp -d /tmp/kestrine-pictures.XXXXXX)
    trap '"$root/tools/wine_session.sh" stop "$session" >/dev/null; rm -rf "$session"' EXIT
    KESTRINE_WINE_TEMPLATE=${KESTRINE_WINE_TEMPLATE:-$root/build/native/wine_template} \
        "$root/tools/wine_session.sh" start "$session" 1824x768x24 --xephyr -screen 1024x768 -screen 800x600 \
        +xinerama -extension RANDR >/dev/null || { echo "cannot start a Wine session" >&2; exit 1; }
    KESTRINE_WINE_SESSION=$session "$0" "$out"
    exit
fi

# The harness, the contract's names, and the dialog's folder and fonts.
# shellcheck disable=SC1091
. "$root/tests/wine/dialog_lib.sh"
[ "$(xdpyinfo | awk '/dimensions:/ { print $2 }')" = 1824x768 ] ||
    harness_fail "the session's screen is not two monitors side by side (1824x768)"
DIALOG_SHOTS=$(mktemp -d /tmp/kestrine-pictures.XXXXXX)
trap 'rm -rf "$DIALOG_SHOTS"; harness_cleanup' EXIT
[ -f "$root/dist/Kestrine/Kestrine.scr" ] || harness_fail "no dist/Kestrine: ./kestrine build makes it"

# jpeg SOURCE TARGET IMAGEMAGICK-ARGS...: a JPEG made of SOURCE, well under 200 KB.
jpeg() {
    local source=$1 target=$2; shift 2
    convert "$source" "$@" -strip -interlace JPEG -sampling-factor 4:2:0 -quality 85 "$target" &&
        echo "$target: $(identify -format '%wx%h' "$target"), $(($(stat -c %s "$target") / 1024)) KB"
}

# The saver as the system starts it, from the folder a user copies; the
# pictures a few seconds in, once the first ripples have spread.
rm -rf "$(harness_cdrive)/Kestrine"
cp -r "$root/dist/Kestrine" "$(harness_cdrive)/Kestrine" || harness_fail "cannot copy dist/Kestrine into the prefix"
harness_start_program saver 'C:\Kestrine\Kestrine.scr' /s
saver_wait_drawn "the saver"
sleep 6
harness_screenshot "$DIALOG_SHOTS/lake.png"
[ "$(harness_escape "$saver" 30)" = 0 ] || harness_fail "the saver did not end on Escape"
jpeg "$DIALOG_SHOTS/lake.png" "$out/lake.jpg" -crop 1024x768+0+0 +repage
# The two monitors as the display settings arrange them: side by side, a
# little apart, their tops in line.
jpeg "$DIALOG_SHOTS/lake.png" "$out/two_monitors.jpg" \( -clone 0 -crop 1024x768+0+0 +repage \) \
    \( -size 16x1 xc:white \) \( -clone 0 -crop 800x600+1024+0 +repage \) -delete 0 -background white +append \
    -resize 1000x

# The dialog with a music file chosen. Wine leaves the frame to a window
# manager, which the session has none of: the picture is the dialog's own
# client area.
mkdir -p "$(harness_cdrive)/Music" && : > "$(harness_cdrive)/Music/Lake.mp3"
dialog_ini 2 0 'C:\Music\Lake.mp3'
dialog_start
dialog_shot settings
size=$(xdotool getwindowgeometry "$DIALOG_WINDOW" | awk '/Geometry:/ { print $2 }')
xdotool key alt+F4
dialog_expect_exit "the dialog"
jpeg "$DIALOG_SHOTS/settings.png" "$out/settings.jpg" -crop "$size+$DIALOG_X+$DIALOG_Y" +repage
