#!/usr/bin/env bash
# Stages the renderer's four files into the staging folder on DRIVE_C, as the
# front end does at the start of show mode (the names are contract/'s): the
# scene pictures of assets/ (the lake bed 256 x 256, the backdrop 1024 x 256,
# the splash 64 x 64) saved as 24-bit BMPs, as the front end saves them, and
# the model, assets/Kestrine.data.
# Usage: stage_scene_files.sh DRIVE_C
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck disable=SC1091
. "$root/tools/saver_contract.sh"
drive_c=${1:?usage: stage_scene_files.sh DRIVE_C}
folder=${CONTRACT_STAGING_FOLDER#?:\\}
dest=$drive_c/${folder//\\//}
mkdir -p "$dest"

# scene_picture FILE JPEG: the picture, decoded and saved as a 24-bit BMP.
scene_picture() {
    convert "$root/assets/$2" -type TrueColor -define bmp:format=bmp3 "BMP3:$dest/$1"
}
scene_picture "$CONTRACT_LAKE_BED" lake_bed.jpg
scene_picture "$CONTRACT_BACKDROP" backdrop.jpg
scene_picture "$CONTRACT_SPLASH" splash.jpg
cp "$root/assets/Kestrine.data" "$dest/$CONTRACT_MODEL"
