// Upper-casing as the system's file names and MCI replies need it: only the
// ASCII letters change, so Shift-JIS lead and trail bytes stay as they are.
#pragma once

#include <string>

inline char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

inline std::string upperAscii(std::string text) {
    for (char& c : text) c = upperAscii(c);
    return text;
}
