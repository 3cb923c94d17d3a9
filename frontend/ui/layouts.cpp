// The layout tables. Rows are in creation order; the builders below fill the
// settings a kind does not use with neutral values so each row reads like the
// design sheet it came from.
#include "frontend/ui/layouts.h"

#include <cstring>

#include "contract/saver_contract.h"

const FontDesc kGothicFont = {"ＭＳ Ｐゴシック", 9.75f, 128, false};
const FontDesc kGothicUnderlined = {"ＭＳ Ｐゴシック", 9.75f, 128, true};
const FontDesc kTahomaFont = {"Tahoma", 8.25f, 0, false};

namespace {

constexpr Colour kBlack = rgbColour(0, 0, 0);
constexpr Colour kWhite = rgbColour(255, 255, 255);
constexpr Colour kLightGrey = rgbColour(192, 192, 192);
constexpr Colour kPanelGrey = rgbColour(224, 224, 224);
constexpr Colour kWindowBack = systemColour(SystemColour::WindowBackground);
constexpr Colour kWindowText = systemColour(SystemColour::WindowText);

constexpr ControlLayout base(const char* name, ControlKind kind, int index, const char* container, int left, int top,
                             int width, int height) {
    return ControlLayout{name,
                         kind,
                         index,
                         container,
                         left,
                         top,
                         width,
                         height,
                         "",
                         kWindowBack,
                         kWindowText,
                         kNoPicture,
                         false,
                         nullptr,
                         Alignment::Left,
                         Border::None,
                         Pointer::Default,
                         0,
                         -1,
                         0,
                         true,
                         true};
}

constexpr ControlLayout pictureBox(const char* name, int index, const char* container, int left, int top, int width,
                                   int height, Colour back, Picture picture, Border border, int tabIndex,
                                   const FontDesc* font = nullptr) {
    ControlLayout c = base(name, ControlKind::PictureBox, index, container, left, top, width, height);
    c.back = back;
    c.picture = picture;
    c.border = border;
    c.tabIndex = tabIndex;
    c.font = font;
    return c;
}

constexpr ControlLayout label(const char* name, int index, const char* container, int left, int top, int width,
                              int height, const char* caption, Colour fore, int tabIndex,
                              Alignment alignment = Alignment::Left, Border border = Border::None,
                              Pointer pointer = Pointer::Default, int cursor = 0, const FontDesc* font = &kGothicFont) {
    ControlLayout c = base(name, ControlKind::Label, index, container, left, top, width, height);
    c.caption = caption;
    c.fore = fore;
    c.tabIndex = tabIndex;
    c.alignment = alignment;
    c.border = border;
    c.pointer = pointer;
    c.cursor = cursor;
    c.font = font;
    return c;
}

constexpr ControlLayout image(const char* name, int index, const char* container, int left, int top, int width,
                              int height, Picture picture, bool stretch, Pointer pointer, bool visible = true) {
    ControlLayout c = base(name, ControlKind::Image, index, container, left, top, width, height);
    c.picture = picture;
    c.stretch = stretch;
    c.pointer = pointer;
    c.visible = visible;
    return c;
}

constexpr ControlLayout timer(const char* name, int intervalMs, bool enabled) {
    ControlLayout c = base(name, ControlKind::Timer, -1, nullptr, 0, 0, 0, 0);
    c.intervalMs = intervalMs;
    c.enabled = enabled;
    c.visible = false;
    return c;
}

constexpr ControlLayout button(const char* name, const char* container, int left, int top, int width, int height,
                               const char* caption, int tabIndex) {
    ControlLayout c = base(name, ControlKind::CommandButton, -1, container, left, top, width, height);
    c.caption = caption;
    c.font = &kGothicFont;
    c.tabIndex = tabIndex;
    return c;
}

// A line runs from (left, top) to (left + width, top + height).
constexpr ControlLayout line(const char* name, int x1, int y1, int x2, int y2) {
    ControlLayout c = base(name, ControlKind::Line, -1, nullptr, x1, y1, x2 - x1, y2 - y1);
    c.fore = kBlack;
    c.visible = false;
    return c;
}

// ---- Solvane_S: the hidden saver window that carries the scene textures and the timers.
const ControlLayout kSaverControls[] = {
    pictureBox("Display", 2, nullptr, 240, 360, 960, 960, kBlack, kPictureSplash, Border::None, 2),
    pictureBox("Display", 1, nullptr, 240, 1500, 15360, 3840, kBlack, kPictureBackdrop, Border::None, 1),
    pictureBox("Display", 0, nullptr, 60, 60, 3840, 3840, kBlack, kPictureLakeBed, Border::None, 0),
    timer("Timer2", 200, false),
    timer("Timer1", 1000, false),
    timer("Timer3", 100, false),
};

// ---- Solvane_R: the preview window.
const ControlLayout kPreviewControls[] = {
    image("Img_Prev", -1, nullptr, 0, 0, 2325, 1710, kPicturePreview, true, Pointer::Default),
};

// ---- Solvane_P: the settings dialog.
constexpr ControlLayout combo(const char* name, const char* container, int left, int top, int width, int height,
                              int tabIndex) {
    ControlLayout c = base(name, ControlKind::ComboBox, -1, container, left, top, width, height);
    c.back = kWhite;
    c.pointer = Pointer::Custom;
    c.tabIndex = tabIndex;
    return c;
}

constexpr ControlLayout shape(const char* name, int index, const char* container, int left, int top, int width,
                              int height, Colour colour) {
    ControlLayout c = base(name, ControlKind::Shape, index, container, left, top, width, height);
    c.fore = colour;
    return c;
}

const ControlLayout kDialogControls[] = {
    button("Cmd_Can", nullptr, 6060, 3000, 1155, 375, "ｷｬﾝｾﾙ", 14),
    button("Cmd_Set", nullptr, 4860, 3000, 1155, 375, "設定", 13),
    pictureBox("Pic_Mbl", -1, nullptr, 120, 4680, 8340, 300, kWindowBack, kPictureMetalTile, Border::None, 11),
    pictureBox("Pic_Dummy", -1, nullptr, 7980, 900, 855, 795, kWindowBack, kNoPicture, Border::None, 9),
    pictureBox("Pic_C", -1, nullptr, 180, 240, 7035, 2475, kPanelGrey, kNoPicture, Border::Sunken, 1, &kTahomaFont),
    button("Cmd_File", "Pic_C", 420, 1740, 615, 315, "...", 12),
    combo("BGM_Repeat", "Pic_C", 1680, 780, 615, 300, 2),
    shape("Shape3", 3, "Pic_C", 300, 300, 1695, 315, kBlack),
    label("lbl", 15, "Pic_C", 300, 360, 1665, 195, "BGM", kBlack, 8, Alignment::Centre),
    image("Img_BGM", 0, "Pic_C", 420, 1140, 195, 195, kNoPicture, false, Pointer::Custom),
    label("lbl", 14, "Pic_C", 2340, 840, 990, 195, "曲目をﾘﾋﾟｰﾄ", kBlack, 7),
    label("lbl_BGM", 1, "Pic_C", 660, 840, 645, 195, "音楽CD", kWindowText, 6, Alignment::Left, Border::None,
          Pointer::Custom),
    label("lbl_BGM", 2, "Pic_C", 660, 1440, 900, 195, "MP3、WAV", kWindowText, 5, Alignment::Left, Border::None,
          Pointer::Custom),
    image("Img_BGM", 1, "Pic_C", 420, 840, 195, 195, kNoPicture, false, Pointer::Custom),
    label("lbl_BGM", 0, "Pic_C", 660, 1140, 330, 195, "なし", kWindowText, 4, Alignment::Left, Border::None,
          Pointer::Custom),
    image("Img_BGM", 2, "Pic_C", 420, 1440, 195, 195, kNoPicture, false, Pointer::Custom),
    label("lbl_Fname", -1, "Pic_C", 1080, 1740, 5595, 495, "", kBlack, 3, Alignment::Left, Border::SingleLine),
    label("lbl_URL", -1, nullptr, 180, 3120, 3285, 195, "https://kestrine.example.org/", kWhite, 10, Alignment::Left,
          Border::None, Pointer::Custom, IDC_LINK_HAND, &kGothicUnderlined),
    image("Img_Ra", 0, nullptr, 8040, 300, 180, 180, kPictureRadioOff, false, Pointer::Default),
    image("Img_Ra", 1, nullptr, 8040, 600, 180, 180, kPictureRadioOn, false, Pointer::Default),
    label("lbl", 7, nullptr, 180, 2880, 2475, 195, "Kestrine  Ver." KESTRINE_VERSION, kWhite, 0),
};

// ---- Command: the custom button's own parts. The face pictures sit below the
// 420-twip design height, side by side, hidden.
constexpr ControlLayout facePicture(const char* name, int column, Picture picture) {
    return image(name, -1, nullptr, column * 1020, 1800, 960, 375, picture, false, Pointer::Default, false);
}

const ControlLayout kButtonControls[] = {
    timer("TmrMouse", 100, false),
    facePicture("HighLight", 0, kPictureButtonHighLight),
    facePicture("Pressed", 1, kPictureButtonPressed),
    facePicture("Normal", 2, kPictureButtonNormal),
    facePicture("Disable", 3, kPictureButtonDisable),
    facePicture("HighLightSelect", 4, kPictureButtonHighLightSelect),
    facePicture("Selected", 5, kPictureButtonSelected),
    label("LblMsg", -1, nullptr, 0, 90, 1635, 195, "Command", kBlack, 0, Alignment::Centre),
    line("LeftLine", 0, 2400, 0, 2800),
    line("TopLine", 0, 2400, 1700, 2400),
    line("BottomLine", 0, 2800, 1700, 2800),
    line("RightLine", 1700, 2400, 1700, 2800),
};

template <size_t N>
constexpr size_t countOf(const ControlLayout (&)[N]) {
    return N;
}

}  // namespace

const FormLayout Solvane_S_Layout = {
    "Solvane_S",    kShowFormCaption,       kWindowBack, 4395, 2820, 7065, 4260, 0, FormStyle::Borderless, nullptr,
    kSaverControls, countOf(kSaverControls)};

const FormLayout Solvane_R_Layout = {
    "Solvane_R",      "Preview Window",         kLightGrey, 5190, 3525, 2550, 1890, 0, FormStyle::Borderless, nullptr,
    kPreviewControls, countOf(kPreviewControls)};

const FormLayout Solvane_P_Layout = {"Solvane_P",
                                     kSettingsFormCaption,
                                     kLightGrey,
                                     45,
                                     330,
                                     7440,
                                     3690,
                                     IDI_DIALOG_ICON,
                                     FormStyle::FixedDialog,
                                     nullptr,
                                     kDialogControls,
                                     countOf(kDialogControls)};

const FormLayout Command_Layout = {"Command",
                                   "",
                                   kWindowBack,
                                   0,
                                   0,
                                   1755,
                                   420,
                                   0,
                                   FormStyle::Borderless,
                                   &kGothicFont,
                                   kButtonControls,
                                   countOf(kButtonControls)};

const ControlLayout* findControl(const FormLayout& layout, const char* name, int index) {
    if (name == nullptr) return nullptr;
    for (size_t i = 0; i < layout.controlCount; ++i) {
        const ControlLayout& c = layout.controls[i];
        if (c.index == index && std::strcmp(c.name, name) == 0) return &c;
    }
    return nullptr;
}

int twipsToPixels(int twips, int twipsPerPixel) {
    if (twipsPerPixel <= 0) return 0;
    const int half = twipsPerPixel / 2;
    return twips >= 0 ? (twips + half) / twipsPerPixel : -((-twips + half) / twipsPerPixel);
}
