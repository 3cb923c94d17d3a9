// Writes plain 24-bit Windows bitmaps (file header, info header, bottom row
// first, rows padded to four bytes) for the scene to load in tests and tools.
#pragma once
#include <string>

struct BmpColour {
    unsigned char r, g, b;
};

// Every pixel the same colour.
bool writeSolidBmp(const std::string& path, int width, int height, BmpColour colour);
// The left half one colour, the right half another (to see orientation).
bool writeSplitBmp(const std::string& path, int width, int height, BmpColour left, BmpColour right);
