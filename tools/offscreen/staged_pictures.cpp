#include "tools/offscreen/staged_pictures.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>

#include "contract/saver_contract.h"
#include "renderer/renderer_state.h"

StagedPictures::StagedPictures() {
    char pattern[] = "/tmp/kestrine-scene-XXXXXX";
    const char* made = mkdtemp(pattern);
    folder_ = made != nullptr ? made : "/tmp";
    bed_ = folder_ + "/Solvane1.bmp";
    backdrop_ = folder_ + "/Solvane2.bmp";
    sprite_ = folder_ + "/Solvane3.bmp";
    lakeBedFile = bed_.c_str();
    backdropFile = backdrop_.c_str();
    splashFile = sprite_.c_str();
}

StagedPictures::~StagedPictures() {
    std::remove(bed_.c_str());
    std::remove(backdrop_.c_str());
    std::remove(sprite_.c_str());
    rmdir(folder_.c_str());
    lakeBedFile = kLakeBedPath;
    backdropFile = kBackdropPath;
    splashFile = kSplashPath;
}

bool StagedPictures::writeBed(BmpColour colour) { return writeSolidBmp(bed_, 256, 256, colour); }

bool StagedPictures::writeBackdrop(BmpColour left, BmpColour right) {
    return writeSplitBmp(backdrop_, 1024, 256, left, right);
}

bool StagedPictures::writeSprite(BmpColour colour) { return writeSolidBmp(sprite_, 64, 64, colour); }
