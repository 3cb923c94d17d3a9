// The project's own converter from any DIB format GDI accepts for SetDIBits
// to a bottom-up 24-bit DIB: uncompressed 1-, 4-, 8-bit palette images,
// 16-bit (5-5-5 or bit-field masks), 24-bit, 32-bit (B,G,R,x or masks), and
// the 4- and 8-bit run-length encodings. Its results match GDI's (checked
// under Wine by the bmp_differential test).
#pragma once
#include <cstddef>
#include "renderer/image/dib_header.h"

struct DibSource {
    const DibInfoHeader* header;
    const unsigned char* colours;  // colour table (B,G,R,0 entries) or the three masks
    size_t colourBytes;
    const unsigned char* bits;
    size_t bitsLength;
};

// Row stride in bytes of a DIB row: bits rounded up to whole 32-bit words.
size_t dibRowStride(int width, int bitCount);

// Writes the picture into target (targetWidth x targetHeight, bottom row first,
// B,G,R, rows padded to 4 bytes), which must already be zero-filled: run-length
// images leave skipped pixels as they were. Returns the rows converted, 0 when
// the format is not one GDI converts or the sizes disagree.
int convertDibToBgr24(const DibSource& source, unsigned char* target, int targetWidth, int targetHeight);
