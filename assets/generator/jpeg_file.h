// Baseline JPEG through libjpeg, full-resolution chroma so small pictures
// keep their colour edges.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "assets/generator/picture.h"

bool writeJpeg(const std::string& path, const Rgb8Picture& picture, int quality);
// Decodes a JPEG file into RGB; false (and no exception or abort) on a bad file.
bool readJpeg(const std::string& path, Rgb8Picture& picture);
bool decodeJpeg(const std::vector<uint8_t>& bytes, Rgb8Picture& picture);
