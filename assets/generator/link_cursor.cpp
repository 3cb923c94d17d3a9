// The web-address label's pointing hand; the hot spot is the index fingertip.
#include <string>

#include "assets/generator/dialog_pictures.h"

namespace {

// '.' transparent, 'X' black outline, 'o' white; 32 x 32, top row first.
// clang-format off
const char* const kHand[32] = {
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "...........XXX..................",
    "..........XoooX.................",
    "..........XoooX.................",
    "..........XoooX.................",
    "..........XoooX.................",
    "..........XoooXXXX..............",
    "..........XoooXoooXXXX..........",
    "..........XoooXoooXoooXXX.......",
    ".....XX...XoooXoooXoooXooX......",
    "....XooX..XoooXoooXoooXooX......",
    "....XoooX.XooooooooooooooX......",
    ".....XoooXXooooooooooooooX......",
    ".....XoooooooooooooooooooX......",
    "......XooooooooooooooooooX......",
    ".......XoooooooooooooooooX......",
    ".......XoooooooooooooooooX......",
    "........XooooooooooooooooX......",
    "........XoooooooooooooooX.......",
    ".........XooooooooooooooX.......",
    ".........XooooooooooooooX.......",
    ".........XXXXXXXXXXXXXXXX.......",
    "................................",
};
// clang-format on

}  // namespace

MonochromeCursor makeLinkCursor() {
    MonochromeCursor cursor;
    cursor.hotX = 12;
    cursor.hotY = 10;
    cursor.pixels.assign(32 * 32, CursorPixel::Transparent);
    for (int y = 0; y < 32; ++y) {
        const std::string row = kHand[y];
        for (int x = 0; x < 32 && x < static_cast<int>(row.size()); ++x) {
            if (row[x] == 'X') cursor.pixels[y * 32 + x] = CursorPixel::Black;
            if (row[x] == 'o') cursor.pixels[y * 32 + x] = CursorPixel::White;
        }
    }
    return cursor;
}
