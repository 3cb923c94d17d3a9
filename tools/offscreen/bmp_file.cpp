#include "tools/offscreen/bmp_file.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "files/bmp_encoder.h"

namespace {

bool writeBmp(const std::string& path, int width, int height, BmpColour left, BmpColour right) {
    if (width <= 0 || height <= 0) return false;
    std::vector<uint8_t> pixels;
    pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const BmpColour c = x < width / 2 ? left : right;
            pixels.insert(pixels.end(), {c.r, c.g, c.b});
        }
    }
    const std::vector<uint8_t> file = encodeBmp24(pixels.data(), width, height, PixelLayout::Rgb);
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) return false;
    const bool ok = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && ok;
}

}  // namespace

bool writeSolidBmp(const std::string& path, int width, int height, BmpColour colour) {
    return writeBmp(path, width, height, colour, colour);
}

bool writeSplitBmp(const std::string& path, int width, int height, BmpColour left, BmpColour right) {
    return writeBmp(path, width, height, left, right);
}
