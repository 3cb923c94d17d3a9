// The window layouts as a user sees them at 96, 120, 144 and 192 dots per
// inch: every control inside its container except the hidden picture
// holders, which lie wholly outside; nothing overlapping; one tab order; the
// music choices in their reading order; every rectangle grown with the
// scale. The real windows are checked under Wine by tests/win/ui_forms_probe.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "frontend/ui/layouts.h"

namespace {

using P = Solvane_P::Control;

const int kScales[] = {96, 120, 144, 192};

struct Box {
    int left, top, right, bottom;
    bool inside(const Box& outer) const {
        return left >= outer.left && top >= outer.top && right <= outer.right && bottom <= outer.bottom;
    }
    bool meets(const Box& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
};

Box boxOf(const PixelRect& r) { return {r.left, r.top, r.left + r.width, r.top + r.height}; }
Box pixelsOf(const ControlLayout& c, int dpi) { return boxOf(controlPixels(c, dpi)); }

// A container's inside, in its own coordinates: a sunken panel loses its
// edge on every side (two pixels at 96 dots per inch, allowed to grow with
// the scale).
Box insideOf(const FormLayout& form, Row container, int dpi) {
    if (container == kNoRow) {
        const PixelRect client = clientPixels(form, dpi);
        return {0, 0, client.width, client.height};
    }
    const ControlLayout& box = form.controls[container];
    const int edge = box.border == Border::Sunken ? (2 * dpi + 95) / 96 : 0;
    const Box outer = pixelsOf(box, dpi);
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
    for (int dpi : kScales) {
        for (const FormLayout* form : {&Solvane_P_Layout, &Solvane_R_Layout}) {
            for (size_t i = 0; i < form->controlCount; ++i) {
                const ControlLayout& c = form->controls[i];
                SCOPED_TRACE(std::string(form->caption) + " " + nameOf(c) + " at " + std::to_string(dpi));
                const Box at = pixelsOf(c, dpi);
                const Box inside = insideOf(*form, c.container, dpi);
                if (form == &Solvane_P_Layout && heldOutOfSight(c)) {
                    EXPECT_EQ(kNoRow, c.container);
                    EXPECT_FALSE(at.meets(inside));
                } else {
                    EXPECT_TRUE(at.inside(inside));
                }
            }
        }
    }
}

TEST(Layouts, NoTwoVisibleControlsOverlapButTheFramedHeading) {
    const FormLayout& p = Solvane_P_Layout;
    for (int dpi : kScales) {
        for (size_t i = 0; i < p.controlCount; ++i) {
            for (size_t k = i + 1; k < p.controlCount; ++k) {
                const ControlLayout& a = p.controls[i];
                const ControlLayout& b = p.controls[k];
                if (a.container != b.container || heldOutOfSight(a) || heldOutOfSight(b)) continue;
                SCOPED_TRACE(nameOf(a) + " and " + nameOf(b) + " at " + std::to_string(dpi));
                if (static_cast<P>(a.row) == P::Shape3_3 && static_cast<P>(b.row) == P::lbl_15) {
                    EXPECT_TRUE(pixelsOf(b, dpi).inside(pixelsOf(a, dpi)));  // the rectangle frames "BGM"
                    continue;
                }
                EXPECT_FALSE(pixelsOf(a, dpi).meets(pixelsOf(b, dpi)));
            }
        }
    }
}

// What the dialog's client area and a few controls measure at each scale:
// the layout's twips times dots per inch / 1440, each edge to the nearest
// pixel (the wine tests click and sample at these places).
TEST(Layouts, RectanglesGrowWithTheScale) {
    struct Expected {
        int dpi;
        PixelRect client, mp3Label, confirm, panel;
    };
    const Expected table[] = {
        {96, {3, 22, 496, 246}, {44, 96, 60, 13}, {324, 200, 77, 25}, {12, 16, 469, 165}},
        {120, {4, 28, 620, 308}, {55, 120, 75, 16}, {405, 250, 96, 31}, {15, 20, 586, 206}},
        {144, {5, 33, 744, 369}, {66, 144, 90, 20}, {486, 300, 116, 38}, {18, 24, 704, 248}},
        {192, {6, 44, 992, 492}, {88, 192, 120, 26}, {648, 400, 154, 50}, {24, 32, 938, 330}},
    };
    auto same = [](const PixelRect& a, const PixelRect& b) {
        return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
    };
    for (const Expected& e : table) {
        SCOPED_TRACE(e.dpi);
        EXPECT_TRUE(same(e.client, clientPixels(Solvane_P_Layout, e.dpi)));
        EXPECT_TRUE(same(e.mp3Label, controlPixels(*findRow(Solvane_P::lbl_BGM(2)), e.dpi)));
        EXPECT_TRUE(same(e.confirm, controlPixels(*findRow(P::Cmd_Set), e.dpi)));
        EXPECT_TRUE(same(e.panel, controlPixels(*findRow(P::Pic_C), e.dpi)));
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
    for (int dpi : kScales) {
        int lastTop = -1;
        for (int i : order) {
            const Box mark = pixelsOf(*findRow(Img_BGM(i)), dpi);
            const Box label = pixelsOf(*findRow(lbl_BGM(i)), dpi);
            EXPECT_GT(label.top, lastTop) << i << " at " << dpi;
            EXPECT_EQ(mark.top, label.top) << i << " at " << dpi;
            EXPECT_LT(mark.right, label.left) << i << " at " << dpi;
            lastTop = label.top;
        }
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
    EXPECT_EQ(twipsToPixels(1440, 96), 96);
    EXPECT_EQ(twipsToPixels(1440, 120), 120);
    EXPECT_EQ(twipsToPixels(7, 96), 0);
    EXPECT_EQ(twipsToPixels(8, 96), 1);
    EXPECT_EQ(twipsToPixels(-15, 96), -1);
    EXPECT_EQ(twipsToPixels(3690, 120), 308);  // 307.5
    EXPECT_EQ(twipsToPixels(100, 0), 0);
    EXPECT_EQ(pixelsToTwips(1024, 96), 15360);
    EXPECT_EQ(pixelsToTwips(1024, 192), 7680);  // 7.5 twips per pixel
    EXPECT_EQ(pixelsToTwips(3, 192), 23);       // 22.5
    EXPECT_EQ(pixelsToTwips(10, 0), 0);
}
