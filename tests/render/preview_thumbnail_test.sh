#!/usr/bin/env bash
# The committed preview thumbnail is the frame the preview generator renders
# from the committed scene pictures and model: rendering it again gives the
# same picture (compared as decoded pixels).
# Usage: preview_thumbnail_test.sh PREVIEWGEN ASSETS_FOLDER
set -eu
previewgen=${1:?previewgen program}
assets=${2:?assets folder}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$assets/lake_bed.jpg" "$assets/backdrop.jpg" "$assets/splash.jpg" "$assets/Kestrine.data" "$work/"
"$previewgen" "$work"
[ "$(identify -format '%m %wx%h' "$work/preview.jpg")" = "JPEG 152x112" ] || { echo "FAIL: not a 152x112 JPEG"; exit 1; }
differing=$(compare -metric AE "$work/preview.jpg" "$assets/preview.jpg" null: 2>&1 || true)
if [ "$differing" != 0 ]; then
    echo "FAIL: $differing pixels differ from assets/preview.jpg: regenerate with assets/regenerate.sh"
    exit 1
fi
# The thumbnail shows the lake: a dark band above the water and lit water below.
mean_grey() { convert "$assets/preview.jpg" -crop "$1" +repage -colorspace Gray -format '%[fx:mean]' info:; }
upper=$(mean_grey 152x20+0+40)
lower=$(mean_grey 152x30+0+75)
awk -v u="$upper" -v l="$lower" 'BEGIN { exit !(l > u + 0.1) }' || { echo "FAIL: water ($lower) not brighter than the far shore ($upper)"; exit 1; }
echo "ok: preview thumbnail reproduced; far shore $upper, water $lower"
