// The layout tables. Rows are in creation order and start with their own
// identifier; a compile-time check holds each table to its enum. The
// builders fill the settings a kind does not use with neutral values so each
// row reads like the layout it records.
//
// Contents: fonts and colours; row builders; the three windows' tables; the
// button's face pictures and stored properties; lookups; geometry.
#include "frontend/ui/layouts.h"

#include <iterator>

#include "contract/saver_contract.h"

const FontDesc kGothicFont = {"ＭＳ Ｐゴシック", 9.75f, 128, false, false, false};
const FontDesc kGothicUnderlined = {"ＭＳ Ｐゴシック", 9.75f, 128, false, false, true};
const FontDesc kTahomaFont = {"Tahoma", 8.25f, 0, false, false, false};

namespace {

constexpr Colour kBlack = rgbColour(0, 0, 0);
constexpr Colour kWhite = rgbColour(255, 255, 255);
constexpr Colour kLightGrey = rgbColour(192, 192, 192);
constexpr Colour kPanelGrey = rgbColour(224, 224, 224);
constexpr Colour kWindowBack = systemColour(SystemColour::WindowBackground);
constexpr Colour kWindowText = systemColour(SystemColour::WindowText);

constexpr Row kWindow = kNoRow;

template <class Id>
constexpr Row in(Id container) {
    return static_cast<Row>(container);
}

// ---- Row builders.

template <class Id>
constexpr ControlLayout base(Id id, ControlKind kind, Row container, int left, int top, int width, int height) {
    return ControlLayout{static_cast<Row>(id),
                         kind,
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
                         true};
}

template <class Id>
constexpr ControlLayout pictureBox(Id id, Row container, int left, int top, int width, int height, Colour back,
                                   Picture picture, Border border, int tabIndex, const FontDesc* font = nullptr) {
    ControlLayout c = base(id, ControlKind::PictureBox, container, left, top, width, height);
    c.back = back;
    c.picture = picture;
    c.border = border;
    c.tabIndex = tabIndex;
    c.font = font;
    return c;
}

template <class Id>
constexpr ControlLayout label(Id id, Row container, int left, int top, int width, int height, const char* caption,
                              Colour fore, int tabIndex, Alignment alignment = Alignment::Left,
                              Border border = Border::None, Pointer pointer = Pointer::Default, int cursor = 0,
                              const FontDesc* font = &kGothicFont) {
    ControlLayout c = base(id, ControlKind::Label, container, left, top, width, height);
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

template <class Id>
constexpr ControlLayout image(Id id, Row container, int left, int top, int width, int height, Picture picture,
                              bool stretch, Pointer pointer) {
    ControlLayout c = base(id, ControlKind::Image, container, left, top, width, height);
    c.picture = picture;
    c.stretch = stretch;
    c.pointer = pointer;
    return c;
}

template <class Id>
constexpr ControlLayout timer(Id id, int intervalMs, bool enabled) {
    ControlLayout c = base(id, ControlKind::Timer, kWindow, 0, 0, 0, 0);
    c.intervalMs = intervalMs;
    c.enabled = enabled;
    return c;
}

template <class Id>
constexpr ControlLayout button(Id id, Row container, int left, int top, int width, int height, const char* caption,
                               int tabIndex) {
    ControlLayout c = base(id, ControlKind::CommandButton, container, left, top, width, height);
    c.caption = caption;
    c.font = &kGothicFont;
    c.tabIndex = tabIndex;
    return c;
}

template <class Id>
constexpr ControlLayout combo(Id id, Row container, int left, int top, int width, int height, int tabIndex) {
    ControlLayout c = base(id, ControlKind::ComboBox, container, left, top, width, height);
    c.back = kWhite;
    c.pointer = Pointer::Custom;
    c.tabIndex = tabIndex;
    return c;
}

template <class Id>
constexpr ControlLayout shape(Id id, Row container, int left, int top, int width, int height, Colour colour) {
    ControlLayout c = base(id, ControlKind::Shape, container, left, top, width, height);
    c.fore = colour;
    return c;
}

// Each row sits at the position its identifier gives, the last identifier
// ends the table, and a container is a picture box created before the
// controls inside it.
template <class Id, size_t N>
constexpr bool matches(const ControlLayout (&rows)[N], Id last) {
    if (static_cast<size_t>(last) + 1 != N) return false;
    for (size_t i = 0; i < N; ++i) {
        if (rows[i].row != i) return false;
        const Row container = rows[i].container;
        if (container != kWindow && (container >= i || rows[container].kind != ControlKind::PictureBox)) return false;
    }
    return true;
}

// ---- Solvane_S.
namespace S {
using C = Solvane_S::Control;
constexpr ControlLayout kControls[] = {
    pictureBox(C::Display_2, kWindow, 240, 360, 960, 960, kBlack, kPictureSplash, Border::None, 2),
    pictureBox(C::Display_1, kWindow, 240, 1500, 15360, 3840, kBlack, kPictureBackdrop, Border::None, 1),
    pictureBox(C::Display_0, kWindow, 60, 60, 3840, 3840, kBlack, kPictureLakeBed, Border::None, 0),
    timer(C::Timer2, 200, false),
    timer(C::Timer1, 1000, false),
    timer(C::Timer3, 100, false),
};
static_assert(matches(kControls, C::Timer3), "Solvane_S's table and its identifiers disagree");
}  // namespace S

// ---- Solvane_R.
namespace R {
using C = Solvane_R::Control;
constexpr ControlLayout kControls[] = {
    image(C::Img_Prev, kWindow, 0, 0, 2325, 1710, kPicturePreview, true, Pointer::Default),
};
static_assert(matches(kControls, C::Img_Prev), "Solvane_R's table and its identifiers disagree");
}  // namespace R

// ---- Solvane_P.
namespace P {
using C = Solvane_P::Control;
constexpr ControlLayout kControls[] = {
    button(C::Cmd_Can, kWindow, 6060, 3000, 1155, 375, "ｷｬﾝｾﾙ", 14),
    button(C::Cmd_Set, kWindow, 4860, 3000, 1155, 375, "設定", 13),
    pictureBox(C::Pic_Mbl, kWindow, 120, 4680, 8340, 300, kWindowBack, kPictureMetalTile, Border::None, 11),
    pictureBox(C::Pic_Dummy, kWindow, 7980, 900, 855, 795, kWindowBack, kNoPicture, Border::None, 9),
    pictureBox(C::Pic_C, kWindow, 180, 240, 7035, 2475, kPanelGrey, kNoPicture, Border::Sunken, 1, &kTahomaFont),
    button(C::Cmd_File, in(C::Pic_C), 420, 1740, 615, 315, "...", 12),
    combo(C::BGM_Repeat, in(C::Pic_C), 1680, 780, 615, 300, 2),
    shape(C::Shape3_3, in(C::Pic_C), 300, 300, 1695, 315, kBlack),
    label(C::lbl_15, in(C::Pic_C), 300, 360, 1665, 195, "BGM", kBlack, 8, Alignment::Centre),
    image(C::Img_BGM_0, in(C::Pic_C), 420, 1140, 195, 195, kNoPicture, false, Pointer::Custom),
    label(C::lbl_14, in(C::Pic_C), 2340, 840, 990, 195, "曲目をﾘﾋﾟｰﾄ", kBlack, 7),
    label(C::lbl_BGM_1, in(C::Pic_C), 660, 840, 645, 195, "音楽CD", kWindowText, 6, Alignment::Left, Border::None,
          Pointer::Custom),
    label(C::lbl_BGM_2, in(C::Pic_C), 660, 1440, 900, 195, "MP3、WAV", kWindowText, 5, Alignment::Left, Border::None,
          Pointer::Custom),
    image(C::Img_BGM_1, in(C::Pic_C), 420, 840, 195, 195, kNoPicture, false, Pointer::Custom),
    label(C::lbl_BGM_0, in(C::Pic_C), 660, 1140, 330, 195, "なし", kWindowText, 4, Alignment::Left, Border::None,
          Pointer::Custom),
    image(C::Img_BGM_2, in(C::Pic_C), 420, 1440, 195, 195, kNoPicture, false, Pointer::Custom),
    label(C::lbl_Fname, in(C::Pic_C), 1080, 1740, 5595, 495, "", kBlack, 3, Alignment::Left, Border::SingleLine),
    label(C::lbl_URL, kWindow, 180, 3120, 3285, 195, "https://kestrine.example.org/", kWhite, 10, Alignment::Left,
          Border::None, Pointer::Custom, IDC_LINK_HAND, &kGothicUnderlined),
    image(C::Img_Ra_0, kWindow, 8040, 300, 180, 180, kPictureRadioOff, false, Pointer::Default),
    image(C::Img_Ra_1, kWindow, 8040, 600, 180, 180, kPictureRadioOn, false, Pointer::Default),
    label(C::lbl_7, kWindow, 180, 2880, 2475, 195, "Kestrine  Ver." KESTRINE_VERSION, kWhite, 0),
};
static_assert(matches(kControls, C::lbl_7), "Solvane_P's table and its identifiers disagree");
}  // namespace P

}  // namespace

const FormLayout Solvane_S_Layout = {
    kShowFormCaption,       kWindowBack, 4395, 2820, 7065, 4260, 0, FormStyle::Borderless, S::kControls,
    std::size(S::kControls)};

const FormLayout Solvane_R_Layout = {
    "Preview Window",       kLightGrey, 5190, 3525, 2550, 1890, 0, FormStyle::Borderless, R::kControls,
    std::size(R::kControls)};

const FormLayout Solvane_P_Layout = {
    kSettingsFormCaption,   kLightGrey, 45, 330, 7440, 3690, IDI_DIALOG_ICON, FormStyle::FixedDialog, P::kControls,
    std::size(P::kControls)};

Picture buttonFacePicture(ButtonFace face) {
    switch (face) {
        case ButtonFace::Normal: return kPictureButtonNormal;
        case ButtonFace::HighLight: return kPictureButtonHighLight;
        case ButtonFace::Selected: return kPictureButtonSelected;
        case ButtonFace::HighLightSelect: return kPictureButtonHighLightSelect;
        case ButtonFace::Pressed: return kPictureButtonPressed;
        case ButtonFace::Disable: return kPictureButtonDisable;
        case ButtonFace::NoFace: break;
    }
    return kNoPicture;
}

StoredButtonProperties storedButtonProperties(const ControlLayout& button) {
    return {{ButtonProperty::Caption, std::string(button.caption)},
            {ButtonProperty::Font, button.font ? *button.font : kGothicFont}};
}

const ControlLayout* findRow(ControlRow control) {
    const bool named = control.layout != nullptr && control.row < control.layout->controlCount;
    assert(named && "the control names no row of its window");
    return named ? &control.layout->controls[control.row] : nullptr;
}

namespace {

// numerator / denominator to the nearest whole number, halves away from zero.
int roundedQuotient(long long numerator, long long denominator) {
    if (denominator <= 0) return 0;
    const long long half = denominator / 2;
    return static_cast<int>(numerator >= 0 ? (numerator + half) / denominator : -((-numerator + half) / denominator));
}

PixelRect edgesToPixels(int left, int top, int width, int height, int dpi) {
    const int x = twipsToPixels(left, dpi), y = twipsToPixels(top, dpi);
    return PixelRect{x, y, twipsToPixels(left + width, dpi) - x, twipsToPixels(top + height, dpi) - y};
}

}  // namespace

int twipsToPixels(int twips, int dpi) { return roundedQuotient(static_cast<long long>(twips) * dpi, 1440); }

int pixelsToTwips(int pixels, int dpi) { return roundedQuotient(static_cast<long long>(pixels) * 1440, dpi); }

PixelRect controlPixels(const ControlLayout& c, int dpi) {
    return edgesToPixels(c.left, c.top, c.width, c.height, dpi);
}

PixelRect clientPixels(const FormLayout& form, int dpi) {
    // The size is the window's own: it does not depend on where the window sits.
    return PixelRect{twipsToPixels(form.left, dpi), twipsToPixels(form.top, dpi), twipsToPixels(form.width, dpi),
                     twipsToPixels(form.height, dpi)};
}
