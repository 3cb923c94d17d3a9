// Reads Windows bitmap files (with or without the 14-byte file header, core or
// info header) into an RgbImage. Errors other than a missing file are shown to
// the user in a box captioned "Error".
#pragma once
#include <cstdint>
#include <cstddef>
#include "renderer/image/rgb_image.h"

// The 40-byte info header as it lies in the file (and as the working header).
struct DibInfoHeader {
    uint32_t size;
    int32_t width;
    int32_t height;
    uint16_t planes;
    uint16_t bitCount;
    uint32_t compression;
    uint32_t sizeImage;
    int32_t xPelsPerMeter;
    int32_t yPelsPerMeter;
    uint32_t clrUsed;
    uint32_t clrImportant;
};

// header points at the header's first byte; size 12 means a core header.
uint16_t countPaletteColors(const unsigned char* header);

RgbImage* loadBitmapIfPresent(const char* path);
RgbImage* loadDibImage(const char* path);
