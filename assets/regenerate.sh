#!/usr/bin/env bash
# Rebuilds the generator natively and rewrites the pictures and model file in
# assets/. The output is deterministic: an unchanged generator reproduces the
# committed files.
set -eu
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${1:-$ROOT/build/native}
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja >/dev/null
fi
cmake --build "$BUILD" --target assets
if cmake --build "$BUILD" --target help 2>/dev/null | grep -q "^preview_thumbnail:"; then
    cmake --build "$BUILD" --target preview_thumbnail
fi
