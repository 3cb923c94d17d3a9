// The scene's three pictures in a temporary folder of their own, with the
// scene pointed at them while this lives; afterwards the folder is removed
// and the scene points at the staged files again. A picture that is not
// written is missing.
#pragma once
#include <string>

#include "tools/offscreen/bmp_file.h"

class StagedPictures {
public:
    StagedPictures();
    ~StagedPictures();
    StagedPictures(const StagedPictures&) = delete;
    StagedPictures& operator=(const StagedPictures&) = delete;

    bool writeBed(BmpColour colour);                      // 256 x 256
    bool writeBackdrop(BmpColour left, BmpColour right);  // 1024 x 256, two halves
    bool writeSprite(BmpColour colour);                   // 64 x 64

private:
    std::string folder_, bed_, backdrop_, sprite_;
};
