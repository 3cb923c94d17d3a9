// Median-cut reduction of a picture to a palette picture.
#pragma once
#include <vector>

#include "assets/generator/icon_file.h"
#include "assets/generator/picture.h"

// Builds a palette of at most maxColours entries for the pixels not marked
// transparent and maps every such pixel to its nearest entry. Palette entry 0
// is black and kept for transparent pixels.
IndexedPicture reduceToPalette(const Rgb8Picture& picture, const std::vector<bool>& transparent, int maxColours);
