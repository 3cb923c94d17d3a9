#!/usr/bin/env bash
# Assembles dist/ from a Windows build: dist/Kestrine/ (the three files and
# README.txt), the zip and the setup (installer/package.sh), and SHA256SUMS
# over all of them. The same commit gives the same bytes: file dates come
# from SOURCE_DATE_EPOCH, the last commit's time when it is not set. With
# KESTRINE_SIGN_PFX and KESTRINE_SIGN_PASSWORD set, the programs, the
# uninstaller and the setup are signed before anything is packed or summed.
#   assemble_dist.sh WIN_BUILD DIST
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
win=${1:?Windows build folder}
out=$(mkdir -p "${2:?dist folder}" && cd "$2" && pwd) || exit 1
# shellcheck disable=SC1091
. "$root/installer/release_date.sh" || exit 1

dist=$out/Kestrine
rm -rf "$dist" "$out"/Kestrine-*-win64.zip "$out"/Kestrine-*-setup.exe "$out/SHA256SUMS"
mkdir -p "$dist"
cp "$win/frontend/Kestrine.scr" "$win/renderer/Kestrine.dll" \
    "$root/assets/Kestrine.data" "$root/tools/dist/README.txt" "$dist/" || exit 1
echo "== dist/Kestrine: $(cd "$dist" && ls | tr '\n' ' ')"

if [ -n "${KESTRINE_SIGN_PFX:-}" ] && [ -n "${KESTRINE_SIGN_PASSWORD:-}" ]; then
    echo "== signing with $KESTRINE_SIGN_PFX${KESTRINE_SIGN_TIMESTAMP_URL:+, time stamped by $KESTRINE_SIGN_TIMESTAMP_URL}"
    for f in Kestrine.scr Kestrine.dll; do
        "$root/installer/sign.sh" "$dist/$f" || exit 1
    done
else
    echo "== not signed: set KESTRINE_SIGN_PFX and KESTRINE_SIGN_PASSWORD to sign the programs and the setup"
fi

# The packages carry the version of the CMake project, as the programs do.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$win/CMakeCache.txt")
[ -n "$version" ] || { echo "no project version in $win" >&2; exit 1; }
"$root/installer/package.sh" "$version" "$dist" "$out" || exit 1

(cd "$out" && sha256sum "Kestrine-$version-setup.exe" "Kestrine-$version-win64.zip" \
    Kestrine/Kestrine.scr Kestrine/Kestrine.dll Kestrine/Kestrine.data Kestrine/README.txt > SHA256SUMS) || exit 1
echo "== dist: $(cd "$out" && ls -d Kestrine-"$version"-* SHA256SUMS | tr '\n' ' ')"
