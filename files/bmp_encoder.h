// Writing 24-bit Windows bitmap files: the 14-byte file header, the 40-byte
// info header (no compression, 96 dots per inch), then the rows bottom first,
// each padded to four bytes. The programs, the asset generator and the
// offscreen tools all write their bitmaps with it.
#pragma once
#include <cstdint>
#include <vector>

// How the pixels handed to the encoder lie in memory, top row first, rows
// not padded.
enum class PixelLayout {
    Rgb,   // three bytes a pixel: red, green, blue
    Bgrx,  // four bytes a pixel: blue, green, red, unused
};

// The file's bytes; empty when the size is not positive or there are no pixels.
std::vector<uint8_t> encodeBmp24(const uint8_t* pixels, int width, int height, PixelLayout layout);
