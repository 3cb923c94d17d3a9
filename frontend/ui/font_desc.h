// A font as a layout or a program names it: face, size in points, character
// set and style. The platform makes it for a screen's dots per inch.
#pragma once
#include <cstdint>
#include <string>

struct FontDesc {
    std::string face;  // UTF-8
    float points;
    uint8_t charset;  // 128 = Shift-JIS
    bool bold;
    bool italic;
    bool underline;
};

inline bool operator==(const FontDesc& a, const FontDesc& b) {
    return a.face == b.face && a.points == b.points && a.charset == b.charset && a.bold == b.bold &&
           a.italic == b.italic && a.underline == b.underline;
}
inline bool operator!=(const FontDesc& a, const FontDesc& b) { return !(a == b); }
