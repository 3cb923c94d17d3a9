#include "frontend/ui/dialog_choice.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

SourceControls controlsForSource(int bgmKind) {
    SourceControls c;
    if (bgmKind >= 0 && bgmKind <= 2) c.selectedMark = bgmKind;
    c.repeatEnabled = bgmKind == 1;
    c.fileButtonEnabled = bgmKind == 2;
    return c;
}

std::string formatHashes(long value) {
    if (value == 0) return "";
    return std::to_string(value);
}

std::vector<std::string> repeatEntries() {
    std::vector<std::string> entries;
    for (int i = 0; i <= 30; ++i) entries.push_back(formatHashes(i));
    return entries;
}

double roundHalfEven(double v) {
    const double lower = std::floor(v);
    const double diff = v - lower;
    if (diff < 0.5) return lower;
    if (diff > 0.5) return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t'; }

bool parseRadix(const std::string& digits, int radix, double* value) {
    if (digits.empty() || digits.size() > 16) return false;
    unsigned long long v = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        if (d >= radix) return false;
        v = v * static_cast<unsigned>(radix) + static_cast<unsigned>(d);
    }
    if (value) *value = static_cast<double>(v);
    return true;
}

}  // namespace

bool isNumericText(const std::string& text, double* value) {
    size_t b = 0, e = text.size();
    while (b < e && isSpace(text[b])) ++b;
    while (e > b && isSpace(text[e - 1])) --e;
    if (b == e) return false;
    const std::string t = text.substr(b, e - b);

    if (t.size() > 2 && t[0] == '&') {
        const char r = static_cast<char>(std::toupper(static_cast<unsigned char>(t[1])));
        if (r == 'H') return parseRadix(t.substr(2), 16, value);
        if (r == 'O') return parseRadix(t.substr(2), 8, value);
        return false;
    }

    // [sign] digits [. digits] [e [sign] digits], at least one digit in the mantissa.
    size_t i = 0;
    if (t[i] == '+' || t[i] == '-') ++i;
    size_t mantissaDigits = 0;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) {
        ++i;
        ++mantissaDigits;
    }
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        size_t expDigits = 0;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0) return false;
    }
    if (i != t.size()) return false;
    const double v = std::strtod(t.c_str(), nullptr);
    if (std::isnan(v)) return false;
    if (value) *value = v;
    return true;
}

int16_t repeatTrackFromText(const std::string& text) {
    double v = 0.0;
    if (!isNumericText(text, &v)) return 0;
    const double r = roundHalfEven(v);  // an overflowing exponent gives +-inf, limited below
    if (r > 32767.0) return 32767;
    if (r < -32768.0) return -32768;
    return static_cast<int16_t>(r);
}

Placement dialogPlacement(int screenWidth, int screenHeight, int dialogWidth, int dialogHeight) {
    return Placement{(screenWidth - dialogWidth) / 2, (screenHeight - dialogHeight) / 3};
}

std::vector<TileSpot> tileSpots(int panelWidth, int panelHeight, int tileWidth, int tileHeight) {
    std::vector<TileSpot> spots;
    if (tileWidth <= 0 || tileHeight <= 0) return spots;
    int x = 0, y = 0;
    for (;;) {
        spots.push_back({x, y});
        if (y > panelHeight) {
            if (x > panelWidth) break;
            x += tileWidth;
            y = 0;
        } else {
            y += tileHeight;
        }
    }
    return spots;
}

std::vector<int> backgroundShades(int insideHeight) {
    std::vector<int> shades;
    if (insideHeight <= 0) {
        // k would be 0: sin(0 / 0) is not a number; the one line at y = 0 is dark.
        if (insideHeight == 0) shades.push_back(0);
        return shades;
    }
    const double k = insideHeight / 3.142;
    for (int y = 0; y <= insideHeight; ++y)
        shades.push_back(static_cast<int>(roundHalfEven(std::fabs(std::sin(y / k) * 220.0))));
    return shades;
}
