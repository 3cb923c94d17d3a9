// Pictures as the generator builds them: linear float RGB, top row first,
// and the 8-bit form the file writers take.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct Colour {
    float r, g, b;
};

inline Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Colour operator-(Colour a, Colour b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
inline Colour operator*(Colour a, float k) { return {a.r * k, a.g * k, a.b * k}; }
inline Colour operator*(Colour a, Colour b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
inline Colour mix(Colour a, Colour b, float t) { return a + (b - a) * t; }
// An 8-bit sRGB-ish triple given as 0..255 values.
inline Colour rgb255(int r, int g, int b) { return {r / 255.0f, g / 255.0f, b / 255.0f}; }

// Float picture, channels nominally 0..1.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels;  // top row first

    Picture() = default;
    Picture(int w, int h, Colour fill = {0, 0, 0})
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}
    Colour& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const Colour& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// 8-bit RGB picture, top row first, no row padding: what the writers take.
struct Rgb8Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    uint8_t* pixel(int x, int y) { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
    const uint8_t* pixel(int x, int y) const { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
};

// Averages factor x factor blocks (the generator draws supersampled).
Picture downsample(const Picture& source, int factor);
// Rounds to 8 bits with a small ordered dither so smooth gradients keep no bands.
Rgb8Picture quantise(const Picture& source, bool dither);
