#include "tools/offscreen/bmp_file.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

void putLittleEndian(std::vector<unsigned char>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>((value >> (8 * i)) & 0xFFu));
}

bool writeBmp(const std::string& path, int width, int height, BmpColour left, BmpColour right) {
    if (width <= 0 || height <= 0) return false;
    const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3u + 3u) & ~3u;
    const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(height);
    std::vector<unsigned char> file;
    file.push_back('B');
    file.push_back('M');
    putLittleEndian(file, 54u + pixelBytes, 4);
    putLittleEndian(file, 0, 4);
    putLittleEndian(file, 54, 4);
    putLittleEndian(file, 40, 4);
    putLittleEndian(file, static_cast<uint32_t>(width), 4);
    putLittleEndian(file, static_cast<uint32_t>(height), 4);
    putLittleEndian(file, 1, 2);
    putLittleEndian(file, 24, 2);
    putLittleEndian(file, 0, 4);  // no compression
    putLittleEndian(file, pixelBytes, 4);
    putLittleEndian(file, 2835, 4);
    putLittleEndian(file, 2835, 4);
    putLittleEndian(file, 0, 4);
    putLittleEndian(file, 0, 4);
    for (int y = 0; y < height; ++y) {
        uint32_t written = 0;
        for (int x = 0; x < width; ++x, written += 3) {
            const BmpColour c = x < width / 2 ? left : right;
            file.push_back(c.b);
            file.push_back(c.g);
            file.push_back(c.r);
        }
        for (; written < rowBytes; ++written) file.push_back(0);
    }
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
