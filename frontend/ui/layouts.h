// The fixed layouts of the front end's windows and of the custom button, as
// plain data: each window's own settings and its controls in creation order.
// The forms runtime (forms_win32.cpp) realises them into windows; the tests
// read them directly. Geometry is in twips, text is UTF-8.
#pragma once
#include <cstddef>
#include <cstdint>

#include "frontend/ui/resource_ids.h"

enum class ControlKind : uint8_t {
    PictureBox,     // child window with a persistent image; may contain controls
    Label,          // windowless text drawn by its container
    Image,          // windowless picture drawn by its container
    ComboBox,       // native editable drop-down
    Timer,          // no visual part; a timer on the form window
    Shape,          // windowless rectangle outline
    Line,           // windowless line
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

struct FontDesc {
    const char* face;  // UTF-8
    float points;
    uint8_t charset;  // 128 = Shift-JIS
    bool underline;
};

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

struct ControlLayout {
    const char* name;
    ControlKind kind;
    int index;                     // index within a control array, -1 when not an array
    const char* container;         // nullptr: the window itself; else a picture box's name
    int left, top, width, height;  // twips, relative to the container's inside
    const char* caption;           // UTF-8; labels and buttons
    Colour back;                   // picture boxes, combo box
    Colour fore;                   // labels, shapes, lines
    Picture picture;
    bool stretch;          // image: stretch the picture to the control
    const FontDesc* font;  // nullptr: the platform's default user-interface font
    Alignment alignment;
    Border border;
    Pointer pointer;
    int cursor;      // cursor resource for Pointer::Custom, 0 for none
    int tabIndex;    // -1 when the kind has none
    int intervalMs;  // timers
    bool enabled;    // timers: running at load; other kinds: enabled
    bool visible;
};

struct FormLayout {
    const char* name;
    const char* caption;  // UTF-8
    Colour back;
    int left, top, width, height;  // twips; the client rectangle
    int icon;                      // icon resource, 0 for none
    FormStyle style;
    const FontDesc* font;  // the window's font, ambient for its custom buttons; nullptr: the platform's
    const ControlLayout* controls;
    size_t controlCount;
};

extern const FormLayout Solvane_S_Layout;
extern const FormLayout Solvane_R_Layout;
extern const FormLayout Solvane_P_Layout;
extern const FormLayout Command_Layout;  // the custom button's own parts

// Fonts the layouts use.
extern const FontDesc kGothicFont;        // "ＭＳ Ｐゴシック" 9.75 pt, Shift-JIS
extern const FontDesc kGothicUnderlined;  // the same, underlined (lbl_URL)
extern const FontDesc kTahomaFont;        // "Tahoma" 8.25 pt (Pic_C)

// The control of that name and index (index -1 matches a non-array control),
// or nullptr.
const ControlLayout* findControl(const FormLayout& layout, const char* name, int index);

// Twips to pixels at the given twips per pixel, rounded to the nearest pixel.
int twipsToPixels(int twips, int twipsPerPixel);
