#include "assets/generator/asset_catalogue.h"

#include <cstdio>
#include <functional>

#include "assets/generator/bmp_file.h"
#include "assets/generator/byte_writer.h"
#include "assets/generator/dialog_pictures.h"
#include "assets/generator/jpeg_file.h"
#include "assets/generator/scene_pictures.h"
#include "assets/generator/stone_model.h"

const std::vector<AssetEntry>& assetCatalogue() {
    static const std::vector<AssetEntry> entries = {
        {"lake_bed.jpg", AssetFormat::Jpeg, 256, 256},
        {"backdrop.jpg", AssetFormat::Jpeg, 1024, 256},
        {"splash.jpg", AssetFormat::Jpeg, 64, 64},
        {"dialog.ico", AssetFormat::Icon8, 32, 32},
        {"metal_tile.bmp", AssetFormat::Bmp24, 556, 20},
        {"radio_off.jpg", AssetFormat::Jpeg, 12, 12},
        {"radio_on.jpg", AssetFormat::Jpeg, 12, 12},
        {"link_hand.cur", AssetFormat::Cursor1, 32, 32},
        {"button_normal.bmp", AssetFormat::Bmp24, 64, 25},
        {"button_highlight.bmp", AssetFormat::Bmp24, 64, 25},
        {"button_selected.bmp", AssetFormat::Bmp24, 64, 25},
        {"button_highlight_select.bmp", AssetFormat::Bmp24, 64, 25},
        {"button_pressed.bmp", AssetFormat::Bmp24, 64, 25},
        {"button_disable.bmp", AssetFormat::Bmp24, 64, 25},
        {"Kestrine.data", AssetFormat::Ms3d, 0, 0},
    };
    return entries;
}

int jpegQualityFor(const std::string& fileName) {
    // The radio marks are 12 x 12: any loss shows at once.
    if (fileName.rfind("radio_", 0) == 0) return 100;
    return 94;
}

namespace {

bool report(bool ok, const std::string& path) {
    if (!ok) std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return ok;
}

bool saveJpeg(const std::string& folder, const char* name, const Picture& picture) {
    const std::string path = folder + "/" + name;
    return report(writeJpeg(path, quantise(picture, true), jpegQualityFor(name)), path);
}

bool saveBytes(const std::string& folder, const char* name, const std::vector<uint8_t>& bytes) {
    const std::string path = folder + "/" + name;
    return report(writeFileBytes(path, bytes), path);
}

bool saveBmp(const std::string& folder, const char* name, const Picture& picture) {
    return saveBytes(folder, name, encodeBmp24(quantise(picture, true)));
}

}  // namespace

bool writeAllAssets(const std::string& folder) {
    bool ok = true;
    ok &= saveBmp(folder, "button_normal.bmp", makeButtonFace(ButtonFace::Normal));
    ok &= saveBmp(folder, "button_highlight.bmp", makeButtonFace(ButtonFace::HighLight));
    ok &= saveBmp(folder, "button_selected.bmp", makeButtonFace(ButtonFace::Selected));
    ok &= saveBmp(folder, "button_highlight_select.bmp", makeButtonFace(ButtonFace::HighLightSelect));
    ok &= saveBmp(folder, "button_pressed.bmp", makeButtonFace(ButtonFace::Pressed));
    ok &= saveBmp(folder, "button_disable.bmp", makeButtonFace(ButtonFace::Disable));
    ok &= saveBmp(folder, "metal_tile.bmp", makeMetalTile());
    ok &= saveJpeg(folder, "radio_off.jpg", makeRadioMark(false));
    ok &= saveJpeg(folder, "radio_on.jpg", makeRadioMark(true));
    ok &= saveBytes(folder, "dialog.ico", encodeIcon8(makeDialogIcon()));
    ok &= saveBytes(folder, "link_hand.cur", encodeCursor1(makeLinkCursor()));
    ok &= saveJpeg(folder, "splash.jpg", makeSplashSprite());
    ok &= saveJpeg(folder, "lake_bed.jpg", makeLakeBed());
    ok &= saveJpeg(folder, "backdrop.jpg", makeBackdrop());
    ok &= saveBytes(folder, "Kestrine.data", encodeStoneModel());
    return ok;
}
