// The renderer's three scene pictures.
#pragma once
#include "assets/generator/picture.h"

Picture makeLakeBed();       // 256 x 256, tiles without seams
Picture makeBackdrop();      // 1024 x 256
Picture makeSplashSprite();  // 64 x 64, droplets on pure black
