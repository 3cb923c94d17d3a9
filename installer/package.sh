#!/usr/bin/env bash
# Makes the two packages of one version from a folder holding Kestrine.scr,
# Kestrine.dll, Kestrine.data and README.txt:
#   OUT/Kestrine-VERSION-win64.zip   the folder as Kestrine/, for a hand install
#   OUT/Kestrine-VERSION-setup.exe   the installer (installer/kestrine.nsi)
# Usage: package.sh VERSION FOLDER OUT
set -u
version=${1:?version}
files=$(cd "${2:?folder}" && pwd) || exit 1
out=$(mkdir -p "${3:?output folder}" && cd "$3" && pwd) || exit 1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

for f in Kestrine.scr Kestrine.dll Kestrine.data README.txt; do
    [ -f "$files/$f" ] || { echo "package.sh: $files/$f is missing" >&2; exit 1; }
done

zip=$out/Kestrine-$version-win64.zip
stage=$(mktemp -d /tmp/kestrine-zip.XXXXXX) || exit 1
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/Kestrine"
cp "$files"/Kestrine.scr "$files"/Kestrine.dll "$files"/Kestrine.data "$files"/README.txt "$stage/Kestrine/"
rm -f "$zip"
(cd "$stage" && cmake -E tar cf "$zip" --format=zip Kestrine) || exit 1

makensis -V2 -DVERSION="$version" -DFILES="$files" -DOUTFILE="$out/Kestrine-$version-setup.exe" \
    "$here/kestrine.nsi" || exit 1
