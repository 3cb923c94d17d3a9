// The fixed layouts of the front end's windows, as plain data: each window's
// own settings and its controls in creation order. The forms runtime
// (forms_win32.cpp) realises them into windows. Geometry is in twips, text is
// UTF-8.
//
// Every control is named by a typed identifier: one enum per window, whose
// value is the control's row in that window's table (checked at compile time
// in layouts.cpp), so a misspelt name does not compile. A control array is a
// ControlArray, indexed as the layouts index it: Solvane_P::Img_BGM(2).
//
// Contents: kinds and settings; control rows; Solvane_S, Solvane_R and
// Solvane_P with their identifiers; one control of any window; the custom
// button's face pictures and stored properties; geometry at a scale.
#pragma once
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "frontend/ui/button_state.h"
#include "frontend/ui/font_desc.h"
#include "frontend/ui/resource_ids.h"

// ---- Kinds and settings.

enum class ControlKind : uint8_t {
    PictureBox,     // child window with a persistent image; may contain controls
    Label,          // windowless text drawn by its container
    Image,          // windowless picture drawn by its container
    ComboBox,       // native editable drop-down
    Timer,          // no visual part; a timer on the form window
    Shape,          // windowless rectangle outline
    CommandButton,  // the custom button, window class "Solvane.Command"
};

// A colour is either a fixed red, green, blue or one of the system's colours.
enum class SystemColour : uint8_t { None, WindowBackground, WindowText };
struct Colour {
    uint8_t red, green, blue;
    SystemColour system;
};
constexpr Colour rgbColour(uint8_t r, uint8_t g, uint8_t b) { return Colour{r, g, b, SystemColour::None}; }
constexpr Colour systemColour(SystemColour s) { return Colour{0, 0, 0, s}; }

// Pictures are resources of Kestrine.scr; 0 is "no picture".
enum Picture : int {
    kNoPicture = 0,
    kPictureLakeBed = IDR_LAKE_BED,
    kPictureBackdrop = IDR_BACKDROP,
    kPictureSplash = IDR_SPLASH,
    kPicturePreview = IDR_PREVIEW,
    kPictureMetalTile = IDR_METAL_TILE,
    kPictureRadioOff = IDR_RADIO_OFF,
    kPictureRadioOn = IDR_RADIO_ON,
    kPictureButtonNormal = IDR_BUTTON_NORMAL,
    kPictureButtonHighLight = IDR_BUTTON_HIGHLIGHT,
    kPictureButtonSelected = IDR_BUTTON_SELECTED,
    kPictureButtonHighLightSelect = IDR_BUTTON_HIGHLIGHT_SELECT,
    kPictureButtonPressed = IDR_BUTTON_PRESSED,
    kPictureButtonDisable = IDR_BUTTON_DISABLE,
};

// Fonts the layouts use.
extern const FontDesc kGothicFont;        // "ＭＳ Ｐゴシック" 9.75 pt, Shift-JIS
extern const FontDesc kGothicUnderlined;  // the same, underlined (lbl_URL)
extern const FontDesc kTahomaFont;        // "Tahoma" 8.25 pt (Pic_C)

enum class Pointer : uint8_t {
    Default,
    Custom,  // the control's own cursor picture, or the arrow when it has none
};

enum class Alignment : uint8_t { Left, Centre };

enum class Border : uint8_t { None, SingleLine, Sunken };

enum class FormStyle : uint8_t {
    Borderless,   // no caption or frame (saver and preview windows)
    FixedDialog,  // caption, icon, close box, fixed size
};

// ---- Control rows.

// A control's position in its window's table.
using Row = uint8_t;
constexpr Row kNoRow = 0xFF;  // names no control; as a container: the window itself

struct ControlLayout {
    Row row;  // its own position in the table
    ControlKind kind;
    Row container;                 // kNoRow: the window; else the row of a picture box above it
    int left, top, width, height;  // twips, relative to the container's inside
    const char* caption;           // UTF-8; labels and buttons
    Colour back;                   // picture boxes, combo box
    Colour fore;                   // labels, shapes
    Picture picture;
    bool stretch;  // image: stretch the picture to the control
    // Labels and buttons; nullptr: the platform's default user-interface
    // font. Pic_C records Tahoma, which nothing inside it takes.
    const FontDesc* font;
    Alignment alignment;
    Border border;
    Pointer pointer;
    int cursor;      // cursor resource for Pointer::Custom, 0 for none
    int tabIndex;    // -1 when the kind has none
    int intervalMs;  // timers
    bool enabled;    // timers: running at load; other kinds: enabled
};

struct FormLayout {
    const char* caption;  // UTF-8
    Colour back;
    int left, top, width, height;  // twips; the client rectangle
    int icon;                      // icon resource, 0 for none
    FormStyle style;
    const ControlLayout* controls;
    size_t controlCount;
};

// Several controls under one name, told apart by their index (0 upwards).
template <class Id, size_t N>
struct ControlArray {
    Id members[N];
    // The member with that index; an index outside the array names no control.
    constexpr Id operator()(int index) const {
        return index >= 0 && static_cast<size_t>(index) < N ? members[index] : static_cast<Id>(kNoRow);
    }
    // The index of a member, or -1 for a control outside the array.
    constexpr int indexOf(Id id) const {
        for (size_t i = 0; i < N; ++i)
            if (members[i] == id) return static_cast<int>(i);
        return -1;
    }
};

// ---- Solvane_S: the hidden saver window that carries the scene pictures and the timers.
namespace Solvane_S {
enum class Control : Row { Display_2, Display_1, Display_0, Timer2, Timer1, Timer3 };
inline constexpr ControlArray<Control, 3> Display{{Control::Display_0, Control::Display_1, Control::Display_2}};
}  // namespace Solvane_S
extern const FormLayout Solvane_S_Layout;
inline const FormLayout& layoutOf(Solvane_S::Control) { return Solvane_S_Layout; }

// ---- Solvane_R: the preview window.
namespace Solvane_R {
enum class Control : Row { Img_Prev };
}  // namespace Solvane_R
extern const FormLayout Solvane_R_Layout;
inline const FormLayout& layoutOf(Solvane_R::Control) { return Solvane_R_Layout; }

// ---- Solvane_P: the settings dialog.
namespace Solvane_P {
enum class Control : Row {
    Cmd_Can,
    Cmd_Set,
    Pic_Mbl,
    Pic_Dummy,
    Pic_C,
    Cmd_File,
    BGM_Repeat,
    Shape3_3,
    lbl_15,
    Img_BGM_0,
    lbl_14,
    lbl_BGM_1,
    lbl_BGM_2,
    Img_BGM_1,
    lbl_BGM_0,
    Img_BGM_2,
    lbl_Fname,
    lbl_URL,
    Img_Ra_0,
    Img_Ra_1,
    lbl_7,
};
inline constexpr ControlArray<Control, 3> Img_BGM{{Control::Img_BGM_0, Control::Img_BGM_1, Control::Img_BGM_2}};
inline constexpr ControlArray<Control, 3> lbl_BGM{{Control::lbl_BGM_0, Control::lbl_BGM_1, Control::lbl_BGM_2}};
inline constexpr ControlArray<Control, 2> Img_Ra{{Control::Img_Ra_0, Control::Img_Ra_1}};
}  // namespace Solvane_P
extern const FormLayout Solvane_P_Layout;
inline const FormLayout& layoutOf(Solvane_P::Control) { return Solvane_P_Layout; }

// ---- One control of any window, as the forms runtime takes it. Every
// window's identifier converts to it, so the runtime's calls read
// setControlEnabled(form, Solvane_P::Control::Cmd_File, true).
struct ControlRow {
    const FormLayout* layout;
    Row row;

    ControlRow(const FormLayout& form, Row at) : layout(&form), row(at) {}
    template <class Id, class = decltype(layoutOf(std::declval<Id>()))>
    ControlRow(Id id) : layout(&layoutOf(id)), row(static_cast<Row>(id)) {}

    // The window's own identifier for this control.
    template <class Id>
    Id as() const {
        assert(layout == &layoutOf(Id{}));
        return static_cast<Id>(row);
    }
};

// The layout row of a control. A debug build stops on a control that names
// no row of its window's table; otherwise the answer is null.
const ControlLayout* findRow(ControlRow control);

// ---- The custom button's own layout: its six face pictures, held hidden
// below its design area; its timer, caption and lines are parts of the
// button's window (button_state_win32.cpp).
Picture buttonFacePicture(ButtonFace face);

// The persisted property set a layout stores for a custom button: its
// caption and its font (every other key is at its default).
StoredButtonProperties storedButtonProperties(const ControlLayout& button);

// ---- Geometry at a screen's dots per inch: 1440 twips to the inch, so 15
// twips per pixel at 96 dots per inch and 10 at 144.

// Twips to pixels and back, to the nearest whole unit (halves away from zero).
int twipsToPixels(int twips, int dpi);
int pixelsToTwips(int pixels, int dpi);

struct PixelRect {
    int left, top, width, height;
};
// A control's rectangle in its container's client area: each edge lies at
// the pixel nearest to it, so controls that meet in twips meet on the screen.
PixelRect controlPixels(const ControlLayout& control, int dpi);
// A window's client area: its place on the screen and its size.
PixelRect clientPixels(const FormLayout& form, int dpi);
