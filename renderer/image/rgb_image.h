// A decoded picture: packed 24-bit R, G, B, bottom row first, no row padding.
#pragma once

struct RgbImage {
    int width;
    int height;
    unsigned char* data;  // width * height * 3 bytes, from malloc
};

// Frees the data, then the record (both allocated with malloc by the loader).
void freeRgbImage(RgbImage* image);
