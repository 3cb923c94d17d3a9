// The window layouts as a user sees them at 96 dots per inch (15 twips per
// pixel): every control inside its container except the hidden picture
// holders, which lie wholly outside; nothing overlapping; one tab order; the
// music choices in their reading order. The real windows are checked under
// Wine by tests/win/ui_forms_probe.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "frontend/ui/layouts.h"

namespace {

using P = Solvane_P::Control;

struct PixelRect {
    int left, top, right, bottom;
    bool inside(const PixelRect& outer) const {
        return left >= outer.left && top >= outer.top && right <= outer.right && bottom <= outer.bottom;
    }
    bool meets(const PixelRect& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
};

PixelRect pixelsOf(const ControlLayout& c) {
    const int left = twipsToPixels(c.left, 15), top = twipsToPixels(c.top, 15);
    return {left, top, left + twipsToPixels(c.width, 15), top + twipsToPixels(c.height, 15)};
}

// A container's inside, in its own coordinates: a sunken panel loses its
// two-pixel edge on every side.
PixelRect insideOf(const FormLayout& form, Row container) {
    if (container == kNoRow) return {0, 0, twipsToPixels(form.width, 15), twipsToPixels(form.height, 15)};
    const ControlLayout& box = form.controls[container];
    const int edge = box.border == Border::Sunken ? 2 : 0;
    const PixelRect outer = pixelsOf(box);
    return {0, 0, outer.right - outer.left - 2 * edge, outer.bottom - outer.top - 2 * edge};
}

// The holders the dialog keeps out of sight: their pictures serve the code.
bool heldOutOfSight(const ControlLayout& c) {
    const auto id = static_cast<P>(c.row);
    return id == P::Pic_Mbl || id == P::Pic_Dummy || id == P::Img_Ra_0 || id == P::Img_Ra_1;
}

std::string nameOf(const ControlLayout& c) { return "row " + std::to_string(c.row); }

}  // namespace

TEST(Layouts, ControlsLieInsideTheirContainersAndHoldersOutsideTheWindow) {
    for (const FormLayout* form : {&Solvane_P_Layout, &Solvane_R_Layout}) {
        for (size_t i = 0; i < form->controlCount; ++i) {
            const ControlLayout& c = form->controls[i];
            SCOPED_TRACE(std::string(form->caption) + " " + nameOf(c));
            const PixelRect at = pixelsOf(c);
            const PixelRect inside = insideOf(*form, c.container);
            if (form == &Solvane_P_Layout && heldOutOfSight(c)) {
                EXPECT_EQ(kNoRow, c.container);
                EXPECT_FALSE(at.meets(inside));
            } else {
                EXPECT_TRUE(at.inside(inside));
            }
        }
    }
}

TEST(Layouts, NoTwoVisibleControlsOverlapButTheFramedHeading) {
    const FormLayout& p = Solvane_P_Layout;
    for (size_t i = 0; i < p.controlCount; ++i) {
        for (size_t k = i + 1; k < p.controlCount; ++k) {
            const ControlLayout& a = p.controls[i];
            const ControlLayout& b = p.controls[k];
            if (a.container != b.container || heldOutOfSight(a) || heldOutOfSight(b)) continue;
            SCOPED_TRACE(nameOf(a) + " and " + nameOf(b));
            if (static_cast<P>(a.row) == P::Shape3_3 && static_cast<P>(b.row) == P::lbl_15) {
                EXPECT_TRUE(pixelsOf(b).inside(pixelsOf(a)));  // the rectangle frames "BGM"
                continue;
            }
            EXPECT_FALSE(pixelsOf(a).meets(pixelsOf(b)));
        }
    }
}

TEST(Layouts, TheDialogHasOneTabOrder) {
    std::set<int> seen;
    for (size_t i = 0; i < Solvane_P_Layout.controlCount; ++i) {
        const int tab = Solvane_P_Layout.controls[i].tabIndex;
        if (tab < 0) continue;
        EXPECT_TRUE(seen.insert(tab).second) << "tab index " << tab << " twice";
    }
    EXPECT_EQ(0, *seen.begin());
}

TEST(Layouts, MusicChoicesReadCdNoneFileFromTopToBottomEachMarkBesideItsLabel) {
    using Solvane_P::Img_BGM;
    using Solvane_P::lbl_BGM;
    const int order[] = {1, 0, 2};
    int lastTop = -1;
    for (int i : order) {
        const PixelRect mark = pixelsOf(*findRow(Img_BGM(i)));
        const PixelRect label = pixelsOf(*findRow(lbl_BGM(i)));
        EXPECT_GT(label.top, lastTop) << i;
        EXPECT_EQ(mark.top, label.top) << i;
        EXPECT_LT(mark.right, label.left) << i;
        lastTop = label.top;
    }
}

TEST(Layouts, ControlArraysNameTheirMembersAndNothingElse) {
    using Solvane_P::Img_BGM;
    EXPECT_EQ(P::Img_BGM_2, Img_BGM(2));
    EXPECT_EQ(1, Img_BGM.indexOf(P::Img_BGM_1));
    EXPECT_EQ(-1, Img_BGM.indexOf(P::lbl_BGM_1));
    EXPECT_EQ(static_cast<P>(kNoRow), Img_BGM(3));
    EXPECT_EQ(static_cast<P>(kNoRow), Img_BGM(-1));
    // A lookup that finds nothing stops a debug build and is null otherwise.
    EXPECT_DEBUG_DEATH(EXPECT_EQ(nullptr, findRow(Img_BGM(3))), "names no row");
    EXPECT_EQ(kPictureSplash, findRow(Solvane_S::Display(2))->picture);
}

TEST(Layouts, EveryButtonFaceHasItsOwnPicture) {
    std::set<int> pictures;
    for (ButtonFace face : {ButtonFace::Normal, ButtonFace::HighLight, ButtonFace::Selected,
                            ButtonFace::HighLightSelect, ButtonFace::Pressed, ButtonFace::Disable}) {
        EXPECT_NE(kNoPicture, buttonFacePicture(face));
        pictures.insert(buttonFacePicture(face));
    }
    EXPECT_EQ(6u, pictures.size());
    EXPECT_EQ(kNoPicture, buttonFacePicture(ButtonFace::NoFace));
}

TEST(Layouts, TheDialogsButtonsStoreTheirCaptionAndFontOnly) {
    const FontDesc ambient = {"Tahoma", 8.25f, 0, false, false, false};
    const std::pair<P, std::string> buttons[] = {{P::Cmd_File, "..."}, {P::Cmd_Set, "設定"}, {P::Cmd_Can, "ｷｬﾝｾﾙ"}};
    for (const auto& button : buttons) {
        const StoredButtonProperties stored = storedButtonProperties(*findRow(button.first));
        EXPECT_EQ(2u, stored.size());
        const ButtonProperties p = Command::readProperties(stored, ambient);
        EXPECT_EQ(button.second, p.caption);
        EXPECT_EQ(kGothicFont, p.font);
        EXPECT_TRUE(p.enabled);
        EXPECT_EQ(1, p.firstRun);
        EXPECT_EQ(0u, p.fontColour);
        EXPECT_EQ(1, p.visible);
    }
}

TEST(Layouts, TwipsRoundToTheNearestPixel) {
    EXPECT_EQ(twipsToPixels(1440, 15), 96);
    EXPECT_EQ(twipsToPixels(1440, 12), 120);  // 120 dots per inch
    EXPECT_EQ(twipsToPixels(7, 15), 0);
    EXPECT_EQ(twipsToPixels(8, 15), 1);
    EXPECT_EQ(twipsToPixels(-15, 15), -1);
    EXPECT_EQ(twipsToPixels(100, 0), 0);
}
