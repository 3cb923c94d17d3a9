// Converts DIB pixel data to a bottom-up 24-bit DIB the way GDI's SetDIBits
// does for the formats the loader meets. Every read of the pixel data and the
// colour table is bounded by the lengths in DibSource.
#include "renderer/image/dib_converter.h"
#include <cstdint>

namespace {

struct Bgr {
    unsigned char b, g, r;
};

// The 24-bit target: rows bottom first, each padded to 4 bytes.
struct Target {
    unsigned char* pixels;
    int width;
    int height;
    size_t stride;

    void put(int x, int y, Bgr c) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return;
        unsigned char* p = pixels + size_t(y) * stride + size_t(x) * 3;
        p[0] = c.b;
        p[1] = c.g;
        p[2] = c.r;
    }
};

// The colour table of a palette image. Indices past its end are black.
struct Palette {
    const unsigned char* entries;
    uint32_t count;

    Bgr colour(uint32_t index) const {
        if (index >= count) return Bgr{0, 0, 0};
        const unsigned char* e = entries + 4 * size_t(index);
        return Bgr{e[0], e[1], e[2]};
    }
};

Palette paletteOf(const DibSource& source) {
    uint32_t most = 1u << source.header->bitCount;
    uint32_t count = source.header->clrUsed == 0 || source.header->clrUsed > most ? most : source.header->clrUsed;
    uint32_t held = uint32_t(source.colourBytes / 4);
    return Palette{source.colours, count < held ? count : held};
}

// One colour channel of a bit-field pixel scaled to 8 bits, as GDI does it: a
// mask is read as its lowest run of set bits (shift, length); the channel is
// the pixel's 8 bits ending at the top of that run (so bits above a gappy
// mask's first run are not masked off), cut to `length` bits when narrower
// and repeated once below itself (a full 1-bit field gives 0xC0, 3 bits 0xFC).
struct Channel {
    int shift;
    int length;

    unsigned char from(uint32_t pixel) const {
        if (length == 0) return 0;
        int down = shift + length - 8;
        uint32_t value = down < 0 ? pixel << -down : pixel >> down;
        if (length >= 8) return static_cast<unsigned char>(value);
        value &= (0xFF00u >> length) & 0xFFu;
        return static_cast<unsigned char>(value | (value >> length));
    }
};

Channel channelOf(uint32_t mask) {
    Channel c{0, 0};
    if (mask == 0) return c;
    while (!(mask & (1u << c.shift))) ++c.shift;
    while (c.shift + c.length < 32 && (mask & (1u << (c.shift + c.length)))) ++c.length;
    return c;
}

struct Masks {
    Channel red, green, blue;
    Bgr colour(uint32_t pixel) const { return Bgr{blue.from(pixel), green.from(pixel), red.from(pixel)}; }
};

// The target row that source row `row` lands on: bottom-up sources keep their
// order, top-down sources are turned over.
int targetRow(const DibSource& source, int row, int rows) { return source.header->height < 0 ? rows - 1 - row : row; }

int convertIndexedRows(const DibSource& source, const Target& target) {
    int bitCount = source.header->bitCount;
    Palette palette = paletteOf(source);
    size_t stride = dibRowStride(target.width, bitCount);
    uint32_t valueMask = (1u << bitCount) - 1;
    for (int row = 0; row < target.height; ++row) {
        const unsigned char* line = source.bits + size_t(row) * stride;
        int y = targetRow(source, row, target.height);
        for (int x = 0; x < target.width; ++x) {
            size_t bit = size_t(x) * bitCount;
            uint32_t index = (line[bit / 8] >> (8 - bitCount - int(bit % 8))) & valueMask;
            target.put(x, y, palette.colour(index));
        }
    }
    return target.height;
}

int convertMaskedRows(const DibSource& source, const Target& target, const Masks& masks) {
    int bytesPerPixel = source.header->bitCount / 8;
    size_t stride = dibRowStride(target.width, source.header->bitCount);
    for (int row = 0; row < target.height; ++row) {
        const unsigned char* line = source.bits + size_t(row) * stride;
        int y = targetRow(source, row, target.height);
        for (int x = 0; x < target.width; ++x) {
            const unsigned char* p = line + size_t(x) * bytesPerPixel;
            uint32_t pixel = bytesPerPixel == 2 ? uint32_t(p[0] | (p[1] << 8)) : readU32(p);
            target.put(x, y, masks.colour(pixel));
        }
    }
    return target.height;
}

int convertBgrRows(const DibSource& source, const Target& target) {
    size_t stride = dibRowStride(target.width, 24);
    for (int row = 0; row < target.height; ++row) {
        const unsigned char* line = source.bits + size_t(row) * stride;
        int y = targetRow(source, row, target.height);
        for (int x = 0; x < target.width; ++x) {
            const unsigned char* p = line + size_t(x) * 3;
            target.put(x, y, Bgr{p[0], p[1], p[2]});
        }
    }
    return target.height;
}

// Run-length data: pairs of (count, value) draw runs; a zero count starts an
// escape: 0 end of line, 1 end of picture, 2 move by (dx, dy), 3 or more a run
// of literal pixels padded to a 16-bit boundary. Runs are cut at the right
// edge; pixels never drawn keep the target's colour.
//
// As in GDI, the pixels drawn since the last escape only count once another
// escape arrives: when the data ends first, or a literal run needs more bytes
// than are left, that last stretch of the row is left undrawn. Since the
// cursor only moves right and up, no pixel is drawn twice, so undrawing means
// restoring the target's zero fill.
class RunLengthDecoder {
public:
    RunLengthDecoder(const DibSource& source, const Target& target)
        : data_(source.bits),
          length_(source.bitsLength),
          fourBit_(source.header->compression == kDibRle4),
          palette_(paletteOf(source)),
          target_(target) {}

    void decode() {
        while (at_ + 2 <= length_ && y_ < target_.height) {
            unsigned count = data_[at_];
            unsigned value = data_[at_ + 1];
            at_ += 2;
            if (count > 0) {
                drawRun(count, value);
                continue;
            }
            // End of line, end of picture and a move make the row so far
            // final; a literal run does not.
            if (value < 3) segmentStart_ = x_;
            if (value == 0) {
                x_ = segmentStart_ = 0;
                ++y_;
            } else if (value == 1) {
                return;
            } else if (value == 2) {
                if (at_ + 2 > length_) return;
                x_ = segmentStart_ = clampToWidth(int64_t(x_) + data_[at_]);
                y_ += data_[at_ + 1];
                at_ += 2;
            } else if (!drawLiteral(value)) {
                break;
            }
        }
        undrawOpenSegment();
    }

private:
    int clampToWidth(int64_t x) const { return x < target_.width ? int(x) : target_.width; }

    unsigned indexAt(size_t byteAt, unsigned i) const {
        unsigned byte = data_[byteAt];
        return fourBit_ ? ((i & 1) ? byte & 15 : byte >> 4) : byte;
    }

    void drawRun(unsigned count, unsigned value) {
        int end = clampToWidth(int64_t(x_) + count);
        for (unsigned i = 0; x_ < end; ++i, ++x_) {
            unsigned index = fourBit_ ? ((i & 1) ? value & 15 : value >> 4) : value;
            target_.put(x_, y_, palette_.colour(index));
        }
    }

    // False when the literal's bytes run past the end of the data.
    bool drawLiteral(unsigned count) {
        size_t bytes = fourBit_ ? (count + 1) / 2 : count;
        if (bytes > length_ - at_) return false;
        int end = clampToWidth(int64_t(x_) + count);
        for (unsigned i = 0; x_ < end; ++i, ++x_) {
            target_.put(x_, y_, palette_.colour(indexAt(at_ + (fourBit_ ? i / 2 : i), i)));
        }
        at_ += (bytes + 1) & ~size_t(1);
        return true;
    }

    void undrawOpenSegment() {
        for (int x = segmentStart_; x < x_; ++x) target_.put(x, y_, Bgr{0, 0, 0});
    }

    const unsigned char* data_;
    size_t length_;
    bool fourBit_;
    Palette palette_;
    const Target& target_;
    size_t at_ = 0;
    int x_ = 0;
    int y_ = 0;
    int segmentStart_ = 0;
};

int convertRunLengthRows(const DibSource& source, const Target& target) {
    if (source.bitsLength == 0) return 0;  // GDI refuses run-length data of no bytes
    RunLengthDecoder(source, target).decode();
    return target.height;
}

bool sizesAgree(const DibSource& source, int width, int height) {
    const DibInfoHeader& h = *source.header;
    int64_t rows = h.height < 0 ? -int64_t(h.height) : int64_t(h.height);
    return h.width == width && rows == height && width > 0 && height > 0;
}

// The bytes of uncompressed pixel data the picture needs.
bool holdsAllRows(const DibSource& source) {
    uint64_t needed = uint64_t(dibRowStride(source.header->width, source.header->bitCount)) *
                      uint64_t(source.header->height < 0 ? -int64_t(source.header->height) : source.header->height);
    return needed <= source.bitsLength;
}

int convertUncompressed(const DibSource& source, const Target& target) {
    if (!holdsAllRows(source)) return 0;
    switch (source.header->bitCount) {
        case 1:
        case 4:
        case 8: return convertIndexedRows(source, target);
        case 16:
            return convertMaskedRows(source, target, Masks{channelOf(0x7C00), channelOf(0x03E0), channelOf(0x001F)});
        case 24: return convertBgrRows(source, target);
        case 32:
            return convertMaskedRows(source, target, Masks{channelOf(0xFF0000), channelOf(0xFF00), channelOf(0xFF)});
        default: return 0;
    }
}

int convertBitFields(const DibSource& source, const Target& target) {
    int bitCount = source.header->bitCount;
    if ((bitCount != 16 && bitCount != 32) || source.colourBytes < 12 || !holdsAllRows(source)) return 0;
    uint32_t red = readU32(source.colours), green = readU32(source.colours + 4), blue = readU32(source.colours + 8);
    // GDI refuses masks that leave a channel out.
    if (red == 0 || green == 0 || blue == 0) return 0;
    return convertMaskedRows(source, target, Masks{channelOf(red), channelOf(green), channelOf(blue)});
}

}  // namespace

size_t dibRowStride(int width, int bitCount) {
    return size_t((uint64_t(uint32_t(width)) * uint64_t(bitCount) + 31) / 32 * 4);
}

int convertDibToBgr24(const DibSource& source, unsigned char* target, int targetWidth, int targetHeight) {
    if (!source.header || !target || !sizesAgree(source, targetWidth, targetHeight)) return 0;
    Target out{target, targetWidth, targetHeight, dibRowStride(targetWidth, 24)};
    const DibInfoHeader& h = *source.header;
    // GDI takes any plane count as one plane, except that uncompressed and
    // bit-field images with none are refused.
    if (h.planes == 0 && h.compression != kDibRle8 && h.compression != kDibRle4) return 0;
    switch (h.compression) {
        case kDibRgb: return convertUncompressed(source, out);
        case kDibBitFields: return convertBitFields(source, out);
        case kDibRle8: return h.bitCount == 8 && h.height > 0 ? convertRunLengthRows(source, out) : 0;
        case kDibRle4: return h.bitCount == 4 && h.height > 0 ? convertRunLengthRows(source, out) : 0;
        default: return 0;
    }
}
