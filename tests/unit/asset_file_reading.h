// Reading the committed asset files back for the asset tests.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "assets/generator/byte_writer.h"
#include "files/whole_file.h"

inline std::string assetPath(const std::string& name) { return std::string(KESTRINE_SOURCE_DIR) + "/assets/" + name; }

inline std::vector<uint8_t> assetBytes(const std::string& name) {
    std::vector<uint8_t> bytes;
    readWholeFile(assetPath(name), bytes);
    return bytes;
}

inline uint32_t le16(const std::vector<uint8_t>& b, size_t at) {
    return at + 2 <= b.size() ? b[at] | (b[at + 1] << 8) : 0xFFFFFFFFu;
}
inline uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return at + 4 <= b.size() ? b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24)
                              : 0xFFFFFFFFu;
}
