// Portable part of the BMP loader (being completed).
#include "renderer/image/bmp_loader.h"
#include <cstdlib>

void freeRgbImage(RgbImage* image) {
    if (!image) return;
    std::free(image->data);
    std::free(image);
}

uint16_t countPaletteColors(const unsigned char* header) {
    (void)header;
    return 0;
}

RgbImage* loadBitmapIfPresent(const char* path) {
    (void)path;
    return nullptr;
}

RgbImage* loadDibImage(const char* path) {
    (void)path;
    return nullptr;
}
