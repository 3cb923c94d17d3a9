// Reads Windows bitmap files (with or without the 14-byte file header, core or
// info header) into an RgbImage. Errors other than a missing file are shown to
// the user in a box captioned "Error".
#pragma once
#include <cstddef>
#include <cstdint>
#include "renderer/image/dib_header.h"
#include "renderer/image/rgb_image.h"

// header points at the header's first byte; size 12 means a core header.
// Reads the bytes up to the header's bit count (core) or colours-used field (info).
uint16_t countPaletteColors(const unsigned char* header);

RgbImage* loadBitmapIfPresent(const char* path);
RgbImage* loadDibImage(const char* path);

// The reader behind loadDibImage, over a whole file already in memory. Every
// offset and count is checked against length; errors are reported as by
// loadDibImage.
RgbImage* decodeDibFile(const unsigned char* bytes, size_t length);

// Where the loader's messages go: a modal "Error" box by default. Test programs
// point it elsewhere to collect the texts.
extern void (*loaderMessageHandler)(const char* text);

// The largest 24-bit target (rows padded to 4 bytes) the loader makes. Only
// run-length images can claim more pixels than their file holds; larger ones
// are refused with "Image file conversion error." instead of being allocated.
extern uint64_t largestDibTargetBytes;
