#include "frontend/number_text.h"

#include <cmath>
#include <cstdlib>

#include "frontend/blank_text.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

size_t skipDigits(const std::string& s, size_t i) {
    while (i < s.size() && isDigit(s[i])) ++i;
    return i;
}

// Checks the shape of the number in [begin, end) and returns whether it is one.
bool wellFormed(const std::string& s, size_t begin, size_t end) {
    size_t i = begin;
    if (i < end && (s[i] == '+' || s[i] == '-')) ++i;
    const size_t intStart = i;
    i = skipDigits(s, i);
    size_t mantissaDigits = i - intStart;
    if (i < end && s[i] == '.') {
        const size_t fracStart = ++i;
        i = skipDigits(s, i);
        mantissaDigits += i - fracStart;
    }
    if (mantissaDigits == 0) return false;
    if (i < end && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < end && (s[i] == '+' || s[i] == '-')) ++i;
        const size_t expStart = i;
        i = skipDigits(s, i);
        if (i == expStart) return false;
    }
    return i == end;
}

}  // namespace

bool readDecimal(const std::string& text, double& value) {
    if (!wellFormed(text, 0, text.size())) return false;
    // The shape is checked above, so strtod sees only plain decimal text
    // (no hexadecimal, "inf" or "nan" forms).
    value = std::strtod(text.c_str(), nullptr);
    return true;
}

bool readNumber(const std::string& text, double& value) {
    double parsed = 0;
    if (!readDecimal(trimBlanks(text), parsed) || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

bool readFloor16(const std::string& text, int16_t& value) {
    double number = 0;
    if (!readNumber(text, number)) return false;
    const double floored = std::floor(number);
    if (floored < INT16_MIN || floored > INT16_MAX) return false;
    value = static_cast<int16_t>(floored);
    return true;
}
