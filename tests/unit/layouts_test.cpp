// The layout tables against the design sheet: pixel sizes at 15 twips per
// pixel, containers and creation order.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "frontend/ui/layouts.h"

namespace {

struct Expected {
    const char* name;
    int index;
    ControlKind kind;
    const char* container;
    int leftPx, topPx, widthPx, heightPx;
};

std::string label(const ControlLayout& c) { return std::string(c.name) + "(" + std::to_string(c.index) + ")"; }

void expectControls(const FormLayout& layout, const std::vector<Expected>& expected) {
    ASSERT_EQ(layout.controlCount, expected.size()) << layout.name;
    for (size_t i = 0; i < expected.size(); ++i) {
        const ControlLayout& c = layout.controls[i];
        const Expected& e = expected[i];
        EXPECT_STREQ(c.name, e.name) << "position " << i;
        EXPECT_EQ(c.index, e.index) << label(c);
        EXPECT_EQ(c.kind, e.kind) << label(c);
        if (e.container == nullptr)
            EXPECT_EQ(c.container, nullptr) << label(c);
        else
            EXPECT_STREQ(c.container, e.container) << label(c);
        if (e.kind == ControlKind::Timer) continue;
        EXPECT_EQ(twipsToPixels(c.left, 15), e.leftPx) << label(c);
        EXPECT_EQ(twipsToPixels(c.top, 15), e.topPx) << label(c);
        EXPECT_EQ(twipsToPixels(c.width, 15), e.widthPx) << label(c);
        EXPECT_EQ(twipsToPixels(c.height, 15), e.heightPx) << label(c);
        // The sheet's twips are whole pixels at 96 dots per inch.
        EXPECT_EQ(c.width % 15, 0) << label(c);
        EXPECT_EQ(c.height % 15, 0) << label(c);
    }
}

}  // namespace

TEST(Layouts, SettingsDialog) {
    const FormLayout& p = Solvane_P_Layout;
    EXPECT_STREQ(p.caption, "<Kestrine>");
    EXPECT_EQ(twipsToPixels(p.width, 15), 496);
    EXPECT_EQ(twipsToPixels(p.height, 15), 246);
    EXPECT_EQ(p.style, FormStyle::FixedDialog);
    EXPECT_EQ(p.icon, IDI_DIALOG_ICON);
    using K = ControlKind;
    expectControls(p, {
                          {"Cmd_Can", -1, K::CommandButton, nullptr, 404, 200, 77, 25},
                          {"Cmd_Set", -1, K::CommandButton, nullptr, 324, 200, 77, 25},
                          {"Pic_Mbl", -1, K::PictureBox, nullptr, 8, 312, 556, 20},
                          {"Pic_Dummy", -1, K::PictureBox, nullptr, 532, 60, 57, 53},
                          {"Pic_C", -1, K::PictureBox, nullptr, 12, 16, 469, 165},
                          {"Cmd_File", -1, K::CommandButton, "Pic_C", 28, 116, 41, 21},
                          {"BGM_Repeat", -1, K::ComboBox, "Pic_C", 112, 52, 41, 20},
                          {"Shape3", 3, K::Shape, "Pic_C", 20, 20, 113, 21},
                          {"lbl", 15, K::Label, "Pic_C", 20, 24, 111, 13},
                          {"Img_BGM", 0, K::Image, "Pic_C", 28, 76, 13, 13},
                          {"lbl", 14, K::Label, "Pic_C", 156, 56, 66, 13},
                          {"lbl_BGM", 1, K::Label, "Pic_C", 44, 56, 43, 13},
                          {"lbl_BGM", 2, K::Label, "Pic_C", 44, 96, 60, 13},
                          {"Img_BGM", 1, K::Image, "Pic_C", 28, 56, 13, 13},
                          {"lbl_BGM", 0, K::Label, "Pic_C", 44, 76, 22, 13},
                          {"Img_BGM", 2, K::Image, "Pic_C", 28, 96, 13, 13},
                          {"lbl_Fname", -1, K::Label, "Pic_C", 72, 116, 373, 33},
                          {"lbl_URL", -1, K::Label, nullptr, 12, 208, 219, 13},
                          {"Img_Ra", 0, K::Image, nullptr, 536, 20, 12, 12},
                          {"Img_Ra", 1, K::Image, nullptr, 536, 40, 12, 12},
                          {"lbl", 7, K::Label, nullptr, 12, 192, 165, 13},
                      });
}

TEST(Layouts, SettingsDialogSettings) {
    const FormLayout& p = Solvane_P_Layout;
    const ControlLayout* can = findControl(p, "Cmd_Can", -1);
    const ControlLayout* set = findControl(p, "Cmd_Set", -1);
    const ControlLayout* file = findControl(p, "Cmd_File", -1);
    ASSERT_TRUE(can && set && file);
    EXPECT_STREQ(can->caption, "ｷｬﾝｾﾙ");
    EXPECT_STREQ(set->caption, "設定");
    EXPECT_STREQ(file->caption, "...");
    for (const ControlLayout* b : {can, set, file}) EXPECT_EQ(b->font, &kGothicFont);

    EXPECT_STREQ(findControl(p, "lbl_BGM", 0)->caption, "なし");
    EXPECT_STREQ(findControl(p, "lbl_BGM", 1)->caption, "音楽CD");
    EXPECT_STREQ(findControl(p, "lbl_BGM", 2)->caption, "MP3、WAV");
    EXPECT_STREQ(findControl(p, "lbl", 14)->caption, "曲目をﾘﾋﾟｰﾄ");
    EXPECT_STREQ(findControl(p, "lbl", 15)->caption, "BGM");
    const std::string credit = findControl(p, "lbl", 7)->caption;
    ASSERT_GE(credit.size(), 9u);
    EXPECT_EQ(credit.substr(credit.size() - 9), "Ver.1.0.0");

    const ControlLayout* url = findControl(p, "lbl_URL", -1);
    EXPECT_EQ(url->font, &kGothicUnderlined);
    EXPECT_TRUE(url->font->underline);
    EXPECT_EQ(url->cursor, IDC_LINK_HAND);
    EXPECT_EQ(std::string(url->caption).rfind("http", 0), 0u);
    EXPECT_EQ(findControl(p, "Pic_C", -1)->font, &kTahomaFont);
    EXPECT_EQ(findControl(p, "Pic_Mbl", -1)->picture, kPictureMetalTile);
    EXPECT_EQ(findControl(p, "Img_Ra", 0)->picture, kPictureRadioOff);
    EXPECT_EQ(findControl(p, "Img_Ra", 1)->picture, kPictureRadioOn);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(findControl(p, "Img_BGM", i)->picture, kNoPicture);
    const ControlLayout* panel = findControl(p, "Pic_C", -1);
    EXPECT_EQ(panel->back.red, 224);
    EXPECT_EQ(panel->back.system, SystemColour::None);
    EXPECT_EQ(std::strcmp(kGothicFont.face, "ＭＳ Ｐゴシック"), 0);
    EXPECT_FLOAT_EQ(kGothicFont.points, 9.75f);
    EXPECT_EQ(kGothicFont.charset, 128);
}

TEST(Layouts, SettingsDialogTabOrderColoursAndPointers) {
    const FormLayout& p = Solvane_P_Layout;
    struct Tab {
        const char* name;
        int index;
        int tab;
    };
    const Tab tabs[] = {{"Cmd_Can", -1, 14},  {"Cmd_Set", -1, 13},  {"Pic_Mbl", -1, 11},   {"Pic_Dummy", -1, 9},
                        {"Pic_C", -1, 1},     {"Cmd_File", -1, 12}, {"BGM_Repeat", -1, 2}, {"lbl", 15, 8},
                        {"lbl", 14, 7},       {"lbl_BGM", 1, 6},    {"lbl_BGM", 2, 5},     {"lbl_BGM", 0, 4},
                        {"lbl_Fname", -1, 3}, {"lbl_URL", -1, 10},  {"lbl", 7, 0}};
    for (const Tab& t : tabs) {
        const ControlLayout* c = findControl(p, t.name, t.index);
        ASSERT_NE(c, nullptr) << t.name;
        EXPECT_EQ(c->tabIndex, t.tab) << t.name << "(" << t.index << ")";
    }
    auto isRgb = [](const Colour& c, int r, int g, int b) {
        return c.system == SystemColour::None && c.red == r && c.green == g && c.blue == b;
    };
    EXPECT_TRUE(isRgb(p.back, 192, 192, 192));
    EXPECT_TRUE(isRgb(findControl(p, "lbl_URL", -1)->fore, 255, 255, 255));
    EXPECT_TRUE(isRgb(findControl(p, "lbl", 7)->fore, 255, 255, 255));
    EXPECT_TRUE(isRgb(findControl(p, "lbl_Fname", -1)->fore, 0, 0, 0));
    EXPECT_TRUE(isRgb(findControl(p, "BGM_Repeat", -1)->back, 255, 255, 255));
    EXPECT_TRUE(isRgb(findControl(p, "Shape3", 3)->fore, 0, 0, 0));
    EXPECT_EQ(findControl(p, "lbl_Fname", -1)->border, Border::SingleLine);
    EXPECT_EQ(findControl(p, "lbl", 15)->alignment, Alignment::Centre);
    EXPECT_EQ(findControl(p, "Pic_Mbl", -1)->back.system, SystemColour::WindowBackground);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(findControl(p, "lbl_BGM", i)->pointer, Pointer::Custom);
        EXPECT_EQ(findControl(p, "Img_BGM", i)->pointer, Pointer::Custom);
    }
    EXPECT_EQ(findControl(p, "BGM_Repeat", -1)->pointer, Pointer::Custom);
    EXPECT_EQ(findControl(p, "lbl_URL", -1)->pointer, Pointer::Custom);
}

TEST(Layouts, HiddenHoldersLieOutsideTheClientArea) {
    const FormLayout& p = Solvane_P_Layout;
    for (const char* name : {"Pic_Mbl", "Pic_Dummy", "Img_Ra"}) {
        for (int index : {-1, 0, 1}) {
            const ControlLayout* c = findControl(p, name, index);
            if (c == nullptr) continue;
            EXPECT_TRUE(c->left >= p.width || c->top >= p.height) << name;
        }
    }
}

TEST(Layouts, SaverAndPreviewWindows) {
    using K = ControlKind;
    EXPECT_STREQ(Solvane_S_Layout.caption, "Solvane_Main");
    EXPECT_EQ(twipsToPixels(Solvane_S_Layout.width, 15), 471);
    EXPECT_EQ(twipsToPixels(Solvane_S_Layout.height, 15), 284);
    expectControls(Solvane_S_Layout, {
                                         {"Display", 2, K::PictureBox, nullptr, 16, 24, 64, 64},
                                         {"Display", 1, K::PictureBox, nullptr, 16, 100, 1024, 256},
                                         {"Display", 0, K::PictureBox, nullptr, 4, 4, 256, 256},
                                         {"Timer2", -1, K::Timer, nullptr, 0, 0, 0, 0},
                                         {"Timer1", -1, K::Timer, nullptr, 0, 0, 0, 0},
                                         {"Timer3", -1, K::Timer, nullptr, 0, 0, 0, 0},
                                     });
    EXPECT_EQ(findControl(Solvane_S_Layout, "Display", 0)->picture, kPictureLakeBed);
    EXPECT_EQ(findControl(Solvane_S_Layout, "Display", 1)->picture, kPictureBackdrop);
    EXPECT_EQ(findControl(Solvane_S_Layout, "Display", 2)->picture, kPictureSplash);
    const int intervals[] = {200, 1000, 100};
    for (int i = 0; i < 3; ++i) {
        const ControlLayout& t = Solvane_S_Layout.controls[3 + i];
        EXPECT_EQ(t.intervalMs, intervals[i]);
        EXPECT_FALSE(t.enabled);
    }

    EXPECT_STREQ(Solvane_R_Layout.caption, "Preview Window");
    EXPECT_EQ(twipsToPixels(Solvane_R_Layout.width, 15), 170);
    EXPECT_EQ(twipsToPixels(Solvane_R_Layout.height, 15), 126);
    expectControls(Solvane_R_Layout, {{"Img_Prev", -1, K::Image, nullptr, 0, 0, 155, 114}});
    EXPECT_TRUE(Solvane_R_Layout.controls[0].stretch);
    EXPECT_EQ(Solvane_R_Layout.style, FormStyle::Borderless);
    EXPECT_EQ(Solvane_S_Layout.style, FormStyle::Borderless);
}

TEST(Layouts, ButtonParts) {
    const FormLayout& b = Command_Layout;
    EXPECT_EQ(twipsToPixels(b.width, 15), 117);
    EXPECT_EQ(twipsToPixels(b.height, 15), 28);
    ASSERT_EQ(b.controlCount, 12u);
    EXPECT_STREQ(b.controls[0].name, "TmrMouse");
    EXPECT_EQ(b.controls[0].intervalMs, 100);
    EXPECT_FALSE(b.controls[0].enabled);
    const char* faces[] = {"HighLight", "Pressed", "Normal", "Disable", "HighLightSelect", "Selected"};
    for (int i = 0; i < 6; ++i) {
        const ControlLayout& c = b.controls[1 + i];
        EXPECT_STREQ(c.name, faces[i]);
        EXPECT_EQ(c.top, 1800);
        EXPECT_EQ(c.width, 960);
        EXPECT_EQ(c.height, 375);
        EXPECT_FALSE(c.visible);
        EXPECT_NE(c.picture, kNoPicture);
        EXPECT_GE(c.top, b.height);  // below the design area
    }
    const ControlLayout* msg = findControl(b, "LblMsg", -1);
    ASSERT_NE(msg, nullptr);
    EXPECT_STREQ(msg->caption, "Command");
    EXPECT_EQ(msg->alignment, Alignment::Centre);
    EXPECT_EQ(msg->top, 90);
    EXPECT_EQ(msg->width, 1635);
    for (const char* line : {"LeftLine", "TopLine", "BottomLine", "RightLine"}) {
        const ControlLayout* l = findControl(b, line, -1);
        ASSERT_NE(l, nullptr) << line;
        EXPECT_FALSE(l->visible);
    }
}

TEST(Layouts, FindControlAndTwips) {
    EXPECT_EQ(findControl(Solvane_P_Layout, "lbl", -1), nullptr);
    EXPECT_EQ(findControl(Solvane_P_Layout, "nothing", 0), nullptr);
    EXPECT_EQ(findControl(Solvane_P_Layout, nullptr, 0), nullptr);
    EXPECT_EQ(twipsToPixels(1440, 15), 96);
    EXPECT_EQ(twipsToPixels(1440, 12), 120);  // 120 dots per inch
    EXPECT_EQ(twipsToPixels(7, 15), 0);
    EXPECT_EQ(twipsToPixels(8, 15), 1);
    EXPECT_EQ(twipsToPixels(-15, 15), -1);
    EXPECT_EQ(twipsToPixels(100, 0), 0);
}
