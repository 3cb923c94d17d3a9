# Sourced by the packaging scripts: SOURCE_DATE_EPOCH, the date every file of
# a release carries; the last commit's time when it is not set, and for a
# tree without its history the time of its CMakeLists.txt.
release_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$release_root" log -1 --format=%ct 2>/dev/null ||
    stat -c %Y "$release_root/CMakeLists.txt")}
