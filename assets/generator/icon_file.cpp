#include "assets/generator/icon_file.h"

#include "assets/generator/byte_writer.h"

namespace {

// Rows of 1-bit masks are padded to whole 32-bit words.
uint32_t maskRowBytes(int width) { return ((static_cast<uint32_t>(width) + 31) / 32) * 4; }

void writeDirectory(ByteWriter& w, uint16_t type, int width, int height, uint8_t colourCount, uint16_t field4,
                    uint16_t field6, uint32_t imageBytes) {
    w.u16(0);
    w.u16(type);
    w.u16(1);
    w.u8(static_cast<uint8_t>(width));
    w.u8(static_cast<uint8_t>(height));
    w.u8(colourCount);
    w.u8(0);
    w.u16(field4);  // icon: planes; cursor: hot spot x
    w.u16(field6);  // icon: bits per pixel; cursor: hot spot y
    w.u32(imageBytes);
    w.u32(6 + 16);
}

void writeInfoHeader(ByteWriter& w, int width, int height, uint16_t bits, uint32_t colours, uint32_t imageBytes) {
    w.u32(40);
    w.i32(width);
    w.i32(height * 2);  // colour image and mask stacked
    w.u16(1);
    w.u16(bits);
    w.u32(0);
    w.u32(imageBytes);
    w.i32(0);
    w.i32(0);
    w.u32(colours);
    w.u32(0);
}

// Appends a bottom-up 1-bit plane; bit(x, y) uses top-down coordinates.
template <typename BitOf>
void writeBitPlane(ByteWriter& w, int width, int height, BitOf bit) {
    const uint32_t rowBytes = maskRowBytes(width);
    for (int y = height - 1; y >= 0; --y) {
        for (uint32_t b = 0; b < rowBytes; ++b) {
            uint8_t byte = 0;
            for (int k = 0; k < 8; ++k) {
                const int x = static_cast<int>(b * 8) + k;
                if (x < width && bit(x, y)) byte |= static_cast<uint8_t>(0x80 >> k);
            }
            w.u8(byte);
        }
    }
}

}  // namespace

std::vector<uint8_t> encodeIcon8(const IndexedPicture& picture) {
    const int w8 = picture.width, h8 = picture.height;
    const uint32_t colourRow = (static_cast<uint32_t>(w8) + 3) & ~3u;
    const uint32_t xorBytes = colourRow * static_cast<uint32_t>(h8);
    const uint32_t andBytes = maskRowBytes(w8) * static_cast<uint32_t>(h8);
    const uint32_t imageBytes = 40 + 256 * 4 + xorBytes + andBytes;
    ByteWriter w;
    writeDirectory(w, 1, w8, h8, 0, 1, 8, imageBytes);
    writeInfoHeader(w, w8, h8, 8, 256, xorBytes + andBytes);
    for (size_t i = 0; i < 256; ++i) {
        const std::array<uint8_t, 3> c =
            i < picture.palette.size() ? picture.palette[i] : std::array<uint8_t, 3>{0, 0, 0};
        w.u8(c[2]);
        w.u8(c[1]);
        w.u8(c[0]);
        w.u8(0);
    }
    for (int y = h8 - 1; y >= 0; --y) {
        for (int x = 0; x < w8; ++x) {
            const size_t i = static_cast<size_t>(y) * w8 + x;
            // Transparent pixels are index 0 (black) so the mask alone decides.
            w.u8(picture.transparent[i] ? 0 : picture.indices[i]);
        }
        for (uint32_t pad = static_cast<uint32_t>(w8); pad < colourRow; ++pad) w.u8(0);
    }
    writeBitPlane(w, w8, h8, [&](int x, int y) {
        return static_cast<bool>(picture.transparent[static_cast<size_t>(y) * w8 + x]);
    });
    return w.bytes;
}

std::vector<uint8_t> encodeCursor1(const MonochromeCursor& cursor) {
    const uint32_t planeBytes = maskRowBytes(cursor.width) * static_cast<uint32_t>(cursor.height);
    const uint32_t imageBytes = 40 + 2 * 4 + 2 * planeBytes;
    ByteWriter w;
    writeDirectory(w, 2, cursor.width, cursor.height, 2, static_cast<uint16_t>(cursor.hotX),
                   static_cast<uint16_t>(cursor.hotY), imageBytes);
    writeInfoHeader(w, cursor.width, cursor.height, 1, 2, 2 * planeBytes);
    w.u32(0x00000000);  // palette 0: black
    w.u32(0x00FFFFFF);  // palette 1: white
    auto at = [&](int x, int y) { return cursor.pixels[static_cast<size_t>(y) * cursor.width + x]; };
    // Screen = (screen AND mask) XOR colour.
    writeBitPlane(w, cursor.width, cursor.height, [&](int x, int y) {
        const CursorPixel p = at(x, y);
        return p == CursorPixel::White || p == CursorPixel::Invert;
    });
    writeBitPlane(w, cursor.width, cursor.height, [&](int x, int y) {
        const CursorPixel p = at(x, y);
        return p == CursorPixel::Transparent || p == CursorPixel::Invert;
    });
    return w.bytes;
}
