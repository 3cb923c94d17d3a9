// Little-endian byte output for the binary file formats the generator writes.
#pragma once
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

struct ByteWriter {
    std::vector<uint8_t> bytes;

    void u8(uint8_t v) { bytes.push_back(v); }
    void u16(uint16_t v) {
        u8(static_cast<uint8_t>(v));
        u8(static_cast<uint8_t>(v >> 8));
    }
    void u32(uint32_t v) {
        u16(static_cast<uint16_t>(v));
        u16(static_cast<uint16_t>(v >> 16));
    }
    void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
    void f32(float v) {
        uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        u32(bits);
    }
    // A fixed-size, NUL-padded text field.
    void text(const std::string& s, size_t size) {
        for (size_t i = 0; i < size; ++i) u8(i < s.size() && i + 1 < size ? static_cast<uint8_t>(s[i]) : 0);
    }
    void raw(const char* s) {
        for (; *s; ++s) u8(static_cast<uint8_t>(*s));
    }
};

// Writes the bytes to path; false when the file cannot be written whole.
bool writeFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
