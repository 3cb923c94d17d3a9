// Windows icon (.ico) and cursor (.cur) files holding one image each.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

// A palette picture with a transparency mask: index per pixel, top row first.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::array<uint8_t, 3>> palette;  // RGB, at most 256 entries
    std::vector<uint8_t> indices;
    std::vector<bool> transparent;
};

// One 8 bits-per-pixel image (the palette is padded to 256 entries).
std::vector<uint8_t> encodeIcon8(const IndexedPicture& picture);

// A monochrome cursor: each pixel is black, white, transparent or inverted.
enum class CursorPixel : uint8_t { Transparent, Black, White, Invert };
struct MonochromeCursor {
    int width = 32;
    int height = 32;
    int hotX = 0;
    int hotY = 0;
    std::vector<CursorPixel> pixels;  // top row first
};
std::vector<uint8_t> encodeCursor1(const MonochromeCursor& cursor);
