#!/usr/bin/env bash
# Makes the two packages of one version from a folder holding Kestrine.scr,
# Kestrine.dll, Kestrine.data and README.txt:
#   OUT/Kestrine-VERSION-win64.zip   the folder as Kestrine/, for a hand install
#   OUT/Kestrine-VERSION-setup.exe   the installer (installer/kestrine.nsi)
# Both are the same bytes for the same files and SOURCE_DATE_EPOCH (the last
# commit's time when it is not set): every file is dated then, in a fixed
# order. With KESTRINE_SIGN_PFX and KESTRINE_SIGN_PASSWORD set, the
# uninstaller and the setup are signed (sign.sh) as makensis makes them.
# Usage: package.sh VERSION FOLDER OUT
set -u
version=${1:?version}
files=$(cd "${2:?folder}" && pwd) || exit 1
out=$(mkdir -p "${3:?output folder}" && cd "$3" && pwd) || exit 1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck disable=SC1091
. "$here/release_date.sh" || exit 1

names=(Kestrine.scr Kestrine.dll Kestrine.data README.txt)
for f in "${names[@]}"; do
    [ -f "$files/$f" ] || { echo "package.sh: $files/$f is missing" >&2; exit 1; }
done

stage=$(mktemp -d /tmp/kestrine-package.XXXXXX) || exit 1
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/Kestrine"
for f in "${names[@]}"; do
    cp "$files/$f" "$stage/Kestrine/" || exit 1
done
chmod 644 "$stage"/Kestrine/*
touch -d "@$SOURCE_DATE_EPOCH" "$stage"/Kestrine/*

# zip keeps local times: in UTC, with no extra attributes (-X) nor folder
# entries (-D), the entries in the order named.
zip=$out/Kestrine-$version-win64.zip
rm -f "$zip"
(cd "$stage" && TZ=UTC0 zip -X -D -q "$zip" "${names[@]/#/Kestrine/}") || exit 1

sign=()
if [ -n "${KESTRINE_SIGN_PFX:-}" ] && [ -n "${KESTRINE_SIGN_PASSWORD:-}" ]; then
    sign=(-DSIGN_COMMAND="$here/sign.sh")
fi
makensis -V2 -DVERSION="$version" -DFILES="$stage/Kestrine" -DOUTFILE="$out/Kestrine-$version-setup.exe" \
    "${sign[@]}" "$here/kestrine.nsi" || exit 1
