// The bitmap info header, its compression codes and the reading of its
// fields, shared by the loader, its platform side and the DIB converter.
#pragma once
#include <cstdint>

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
static_assert(sizeof(DibInfoHeader) == 40, "the info header is 40 bytes on disk");

// Compression codes of the info header.
enum : uint32_t { kDibRgb = 0, kDibRle8 = 1, kDibRle4 = 2, kDibBitFields = 3 };

// A 32-bit field as the file stores its headers, masks and pixels: little
// endian, whatever the machine's order.
inline uint32_t readU32(const unsigned char* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
