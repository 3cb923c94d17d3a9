#include "files/bmp_encoder.h"

#include <cstddef>

namespace {

void put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFFu));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFFu));
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
    put16(out, value & 0xFFFFu);
    put16(out, value >> 16);
}

}  // namespace

std::vector<uint8_t> encodeBmp24(const uint8_t* pixels, int width, int height, PixelLayout layout) {
    std::vector<uint8_t> file;
    if (!pixels || width <= 0 || height <= 0) return file;
    const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(height);
    const uint32_t headerBytes = 14 + 40;
    file.reserve(headerBytes + imageBytes);
    file.push_back('B');
    file.push_back('M');
    put32(file, headerBytes + imageBytes);
    put32(file, 0);  // reserved
    put32(file, headerBytes);
    put32(file, 40);
    put32(file, static_cast<uint32_t>(width));
    put32(file, static_cast<uint32_t>(height));  // positive: bottom row first
    put16(file, 1);
    put16(file, 24);
    put32(file, 0);  // BI_RGB
    put32(file, imageBytes);
    put32(file, 3780);  // 96 dots per inch
    put32(file, 3780);
    put32(file, 0);
    put32(file, 0);
    const std::size_t pixelBytes = layout == PixelLayout::Rgb ? 3 : 4;
    const std::size_t red = layout == PixelLayout::Rgb ? 0 : 2;
    const std::size_t blue = 2 - red;
    for (int y = height - 1; y >= 0; --y) {
        const uint8_t* row = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * pixelBytes;
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = row + static_cast<std::size_t>(x) * pixelBytes;
            file.push_back(p[blue]);
            file.push_back(p[1]);
            file.push_back(p[red]);
        }
        for (uint32_t pad = static_cast<uint32_t>(width) * 3; pad < rowBytes; ++pad) file.push_back(0);
    }
    return file;
}
