#!/usr/bin/env bash
# A clean clone of this tree's commit, at another path and built later with
# only what dist/ needs, assembles the very dist/ ./kestrine build left here.
set -u
root=${KESTRINE_ROOT:?}
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -f "$root/dist/SHA256SUMS" ] || fail "no dist/SHA256SUMS (./kestrine build makes it)"
work=$(mktemp -d /tmp/kestrine-second-build.XXXXXX) && trap 'rm -rf "$work"' EXIT && clone=$work/another/place || exit 1
git clone -q --no-checkout "$root" "$clone" && git -C "$clone" checkout -q "$(git -C "$root" rev-parse HEAD)" ||
    fail "cannot clone $root"
cmake -S "$clone" -B "$clone/build/win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$clone/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release > "$work/build.log" 2>&1 &&
    cmake --build "$clone/build/win" --target kestrine_frontend kestrine_renderer >> "$work/build.log" 2>&1 &&
    "$clone/tools/assemble_dist.sh" "$clone/build/win" "$clone/dist" >> "$work/build.log" 2>&1 ||
    fail "the second build failed: $(tail -n 20 "$work/build.log")"
if ! diff -r "$root/dist" "$clone/dist" >&2; then
    git -C "$root" diff --quiet HEAD || echo "(this tree has changes not committed; the clone has only the commit)" >&2
    fail "dist/ differs between two builds of commit $(git -C "$root" rev-parse --short HEAD)"
fi
echo "PASS: a second build at $clone gives the same dist/: $(cd "$clone/dist" && find . -type f | wc -l) files"
