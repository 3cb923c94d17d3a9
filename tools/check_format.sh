#!/usr/bin/env bash
# Every C++ source of the project in the style of .clang-format; lists the
# files that are not and fails. Run by `./kestrine test` through CTest.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
command -v clang-format >/dev/null || { echo "clang-format is not installed" >&2; exit 1; }
mapfile -d '' sources < <(find . \( -path ./build -o -path ./dist -o -path ./out -o -path ./.git \) -prune \
    -o -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
[ ${#sources[@]} -gt 0 ] || { echo "no C++ sources found under $root" >&2; exit 1; }
bad=()
for f in "${sources[@]}"; do
    clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -gt 0 ]; then
    echo "not formatted (clang-format -i FILE...):"
    printf '  %s\n' "${bad[@]}"
    exit 1
fi
echo "${#sources[@]} C++ sources formatted"
