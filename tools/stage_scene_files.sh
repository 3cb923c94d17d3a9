#!/usr/bin/env bash
# Stages the renderer's four files into the staging folder on DRIVE_C, as the
# front end does at the start of show mode (the names are contract/'s):
#   the lake bed (256 x 256), the backdrop (1024 x 256), the splash (64 x 64),
#   the model (assets/Kestrine.data when it exists).
# The pictures are the real scene pictures (assets/*.jpg) saved as 24-bit BMPs,
# as the front end saves them; plain test pictures stand in when they are missing.
# Usage: stage_scene_files.sh DRIVE_C
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck disable=SC1091
. "$root/tools/saver_contract.sh"
drive_c=${1:?usage: stage_scene_files.sh DRIVE_C}
folder=${CONTRACT_STAGING_FOLDER#?:\\}
dest=$drive_c/${folder//\\//}
mkdir -p "$dest"

# picture FILE SIZE IMAGEMAGICK-ARGS...
picture() {
    local file=$1 size=$2; shift 2
    convert -size "$size" "$@" -type TrueColor -define bmp:format=bmp3 "BMP3:$dest/$file"
}
# scene_picture FILE JPEG: the real picture, decoded and saved as a 24-bit BMP.
scene_picture() {
    convert "$root/assets/$2" -type TrueColor -define bmp:format=bmp3 "BMP3:$dest/$1"
}
if [ -f "$root/assets/lake_bed.jpg" ] && [ -f "$root/assets/backdrop.jpg" ] && [ -f "$root/assets/splash.jpg" ]; then
    scene_picture "$CONTRACT_LAKE_BED" lake_bed.jpg
    scene_picture "$CONTRACT_BACKDROP" backdrop.jpg
    scene_picture "$CONTRACT_SPLASH" splash.jpg
else
# Lake bed: sandy gradient with a cross, so texture orientation is visible.
picture "$CONTRACT_LAKE_BED" 256x256 "gradient:#c8a060-#605030" -fill none -stroke "#403020" \
    -draw "line 0,128 255,128" -draw "line 128,0 128,255"
# Backdrop: sky over green hills.
picture "$CONTRACT_BACKDROP" 1024x256 "gradient:#6080c0-#204020"
# Splash sprite: a soft white disc on black.
picture "$CONTRACT_SPLASH" 64x64 "radial-gradient:white-black"
fi

if [ -f "$root/assets/Kestrine.data" ]; then
    cp "$root/assets/Kestrine.data" "$dest/$CONTRACT_MODEL"
else
    # Smallest valid MilkShape 3D file: signature, version 4, and zero
    # vertices, triangles, groups and materials.
    printf 'MS3D000000\x04\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00' > "$dest/$CONTRACT_MODEL"
fi
