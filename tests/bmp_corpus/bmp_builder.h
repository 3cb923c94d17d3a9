// Builds BMP files byte by byte for the loader's tests, the differential
// corpus and the fuzz seeds: any header kind, palette, masks and pixel bytes,
// including inconsistent ones.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

struct BmpRecipe {
    bool fileHeader = true;
    bool core = false;        // 12-byte core header instead of the 40-byte info header
    uint32_t headerSize = 0;  // 0: 12 or 40 by `core`; otherwise written as given (padded with zeros)
    int32_t width = 1;
    int32_t height = 1;
    uint16_t planes = 1;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    uint32_t clrUsed = 0;
    std::vector<uint32_t> palette;  // 0xRRGGBB; 3-byte entries for core headers, 4-byte otherwise
    std::vector<uint32_t> masks;    // written right after an info header (bit-field images)
    Bytes pixels;                   // the pixel data exactly as it lies in the file
};

Bytes buildBmp(const BmpRecipe& recipe);

// Packs one value per pixel into rows of `bitCount` bits, each row padded to
// 4 bytes, bottom row first (values[y * width + x], y = 0 the first row stored).
Bytes packRows(int width, int height, int bitCount, const std::vector<uint32_t>& values);

// A run-length image (fourBit: RLE4, else RLE8) over a ramp palette, its
// stream stored as given.
BmpRecipe runLengthRecipe(int width, int height, bool fourBit, Bytes stream);

// A palette of `count` distinct colours.
std::vector<uint32_t> rampPalette(int count);

// Deterministic pseudo-random values below `limit` (limit 0: the full 32 bits).
std::vector<uint32_t> noiseValues(size_t count, uint32_t limit, uint32_t seed);

struct NamedBmp {
    std::string name;
    Bytes bytes;
};

// The differential corpus: every format both converters handle, core and info
// headers, with and without the file header, odd widths, short palettes,
// top-down and run-length images, and a few GDI refuses.
std::vector<NamedBmp> bmpCorpus();
