#include "assets/generator/bmp_file.h"

#include "files/bmp_encoder.h"

std::vector<uint8_t> encodeBmp24(const Rgb8Picture& picture) {
    return encodeBmp24(picture.rgb.data(), picture.width, picture.height, PixelLayout::Rgb);
}
