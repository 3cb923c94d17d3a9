// The custom button's behaviour without any window: its member state, the
// state machine that turns mouse, focus and hover notifications into a face to
// draw and a Click, and its persisted property set. command_button_win32.cpp
// drives this from window messages and draws the faces.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

enum class ButtonState : uint8_t { None = 0, Normal = 1, HighLight = 2, Selected = 3, HighLightSelect = 4 };

// The pictures DrawFace can be asked to draw; NoFace means "draw nothing".
enum class ButtonFace : uint8_t { NoFace, Normal, HighLight, Selected, HighLightSelect, Pressed, Disable };

struct ButtonMachine {
    ButtonState state = ButtonState::None;  // None until Initialize
    bool enabled = false;
    bool mouseDown = false;
    bool invertGradient = false;
    uint8_t firstRun = 0;  // 0 only while never persisted
};

// What one notification asks of the window: a face to draw (the last one if
// the step draws several), whether to raise Click, whether the caption's
// text colour becomes black, and whether the caption label is enabled.
struct ButtonReaction {
    ButtonFace face = ButtonFace::NoFace;
    bool click = false;
    bool blackCaption = false;
    bool captionEnabled = true;
};

// Mouse buttons as the host reports them.
enum : int { kButtonLeft = 1, kButtonRight = 2, kButtonMiddle = 4 };

ButtonReaction buttonInitialize(ButtonMachine& m);  // Initialize: state Normal (draws nothing)
ButtonReaction buttonMouseMove(ButtonMachine& m);
ButtonReaction buttonMouseDown(ButtonMachine& m, int button);
ButtonReaction buttonMouseUp(ButtonMachine& m, int button);
ButtonReaction buttonFocusGained(ButtonMachine& m);
ButtonReaction buttonFocusLost(ButtonMachine& m);
ButtonReaction buttonEndHover(ButtonMachine& m);                          // EndHover
ButtonReaction buttonTimerTick(ButtonMachine& m, bool cursorOverButton);  // TmrMouse
ButtonReaction buttonApplyEnabled(const ButtonMachine& m);                // ApplyEnabled
ButtonReaction buttonRefreshFace(const ButtonMachine& m);                 // RefreshFace
ButtonReaction buttonSetEnabled(ButtonMachine& m, bool enabled);
// Reading Enabled completes the first-run initialisation and redraws.
bool buttonReadEnabled(ButtonMachine& m, ButtonReaction& reaction);

// DrawFace's first step: the gradient direction follows the state.
void buttonUpdateGradient(ButtonMachine& m);

// ---- Persisted property set.

struct ButtonFont {
    std::string face;  // UTF-8
    float points = 9.0f;
    int charset = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};
bool operator==(const ButtonFont& a, const ButtonFont& b);

struct ButtonProperties {
    bool enabled = true;
    std::string caption;  // UTF-8
    ButtonFont font;
    uint8_t firstRun = 1;
    uint32_t fontColour = 0;
    int16_t visible = 1;  // background style: 1 opaque, 0 transparent
};

// An ordered key/value store, as the layout keeps it.
using PropertyBag = std::vector<std::pair<std::string, std::string>>;

// Writes the keys in the saving order (Enabled, Caption, FirstRun, Font,
// FontColour, Visible), leaving out every value equal to its write default.
void saveButtonProperties(const ButtonProperties& p, const ButtonFont& ambient, PropertyBag& bag);
// Reads the keys (Enabled, Caption, Font, FirstRun, FontColour, Visible);
// a missing or unreadable value takes its read default.
ButtonProperties loadButtonProperties(const PropertyBag& bag, const ButtonFont& ambient);

std::string fontToText(const ButtonFont& f);
bool fontFromText(const std::string& text, ButtonFont& f);
