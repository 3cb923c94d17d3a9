#include "assets/generator/bmp_file.h"

#include "assets/generator/byte_writer.h"

std::vector<uint8_t> encodeBmp24(const Rgb8Picture& picture) {
    const uint32_t rowBytes = (static_cast<uint32_t>(picture.width) * 3 + 3) & ~3u;
    const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(picture.height);
    ByteWriter w;
    w.raw("BM");
    w.u32(14 + 40 + imageBytes);
    w.u16(0);
    w.u16(0);
    w.u32(14 + 40);
    w.u32(40);
    w.i32(picture.width);
    w.i32(picture.height);
    w.u16(1);
    w.u16(24);
    w.u32(0);  // BI_RGB
    w.u32(imageBytes);
    w.i32(3780);  // 96 dots per inch
    w.i32(3780);
    w.u32(0);
    w.u32(0);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            const uint8_t* p = picture.pixel(x, y);
            w.u8(p[2]);
            w.u8(p[1]);
            w.u8(p[0]);
        }
        for (uint32_t pad = static_cast<uint32_t>(picture.width) * 3; pad < rowBytes; ++pad) w.u8(0);
    }
    return w.bytes;
}
