// Pictures as plain pixels, and their size and smooth scaling for a screen's
// dots per inch. The pictures are made for 96 dots per inch (a pixel of a
// picture is 15 twips); picture_win32.cpp decodes them and draws them
// through the platform.
#pragma once
#include <cstdint>
#include <vector>

// Four bytes a pixel (blue, green, red, alpha or unused), top row first.
struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bytes;
};

// A side of a picture, in pixels at dpi, to the nearest pixel.
int picturePixels(int pixels, int dpi);

// The image resampled to width x height. Each new pixel weighs the old pixels
// around its centre linearly by distance (a tent filter), and the tent
// widens with the step when the image shrinks, so the picture stays smooth
// at any scale. The same size gives an exact copy; an empty size or image
// gives an empty image.
PixelImage resample(const PixelImage& image, int width, int height);
