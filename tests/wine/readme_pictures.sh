#!/usr/bin/env bash
# `./kestrine pictures` makes the README's three pictures: each a JPEG under
# 200 KB, of the size it shows.
. "${KESTRINE_ROOT:?}/tools/wine_harness.sh" || exit 1
pictures=$(mktemp -d /tmp/kestrine-pictures.XXXXXX)
trap 'rm -rf "$pictures"; harness_cleanup' EXIT
"$KESTRINE_ROOT/tools/make_pictures.sh" "$pictures" || harness_fail "the picture script failed"
for expected in "lake.jpg JPEG 1024x768" "two_monitors.jpg JPEG 1000x417" "settings.jpg JPEG 496x246"; do
    read -r name kind size <<< "$expected"
    [ "$(identify -format '%m %wx%h' "$pictures/$name" 2>/dev/null)" = "$kind $size" ] ||
        harness_fail "$name is not a $size $kind picture"
    [ "$(stat -c %s "$pictures/$name")" -lt 204800 ] || harness_fail "$name is 200 KB or more"
done
echo "PASS: the README's three pictures"
