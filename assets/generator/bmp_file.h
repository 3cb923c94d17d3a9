// 24-bit Windows bitmap files (file header + 40-byte info header, bottom row first).
#pragma once
#include <cstdint>
#include <vector>

#include "assets/generator/picture.h"

std::vector<uint8_t> encodeBmp24(const Rgb8Picture& picture);
