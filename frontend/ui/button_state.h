// The custom button Command without any window: its member state, the state
// machine that turns mouse, focus and hover notifications into a face to
// draw and a Click, and the rules of its persisted property set.
// button_state_win32.cpp drives it from window messages, draws the faces and
// holds the properties.
#pragma once
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "frontend/ui/font_desc.h"

enum class ButtonState : uint8_t { None = 0, Normal = 1, HighLight = 2, Selected = 3, HighLightSelect = 4 };

// The pictures DrawFace can be asked to draw; NoFace means "draw nothing".
enum class ButtonFace : uint8_t { NoFace, Normal, HighLight, Selected, HighLightSelect, Pressed, Disable };

// As created, before any property set is read: a button that was never
// persisted is disabled with firstRun 0 until the first read of Enabled.
struct ButtonMachine {
    ButtonState state = ButtonState::None;  // None until Initialize
    bool enabled = false;
    bool mouseDown = false;
    bool invertGradient = false;
    uint8_t firstRun = 0;  // the persisted FirstRun
};

// What one notification asks of the window: a face to draw (the last one if
// the step draws several), whether to raise Click, whether the caption's text
// colour becomes black, and whether the caption label is enabled.
struct ButtonReaction {
    ButtonFace face = ButtonFace::NoFace;
    bool click = false;
    bool blackCaption = false;
    bool captionEnabled = true;
};

// Mouse buttons as windows report them (several may be pressed at once).
enum : int { kMouseLeft = 1, kMouseRight = 2, kMouseMiddle = 4 };

namespace Command {

ButtonReaction Initialize(ButtonMachine& m);  // state Normal; draws nothing
ButtonReaction mouseMove(ButtonMachine& m);
ButtonReaction mouseDown(ButtonMachine& m, int button);
ButtonReaction mouseUp(ButtonMachine& m, int button);
ButtonReaction focusGained(ButtonMachine& m);
ButtonReaction focusLost(ButtonMachine& m);
ButtonReaction EndHover(ButtonMachine& m);
ButtonReaction TmrMouse_Timer(ButtonMachine& m, bool cursorOverButton);
ButtonReaction ApplyEnabled(const ButtonMachine& m);
ButtonReaction RefreshFace(const ButtonMachine& m);
// Writing the Enabled property.
ButtonReaction setEnabled(ButtonMachine& m, bool enabled);
// Reading the Enabled property: completes the first-run initialisation of a
// never-persisted button, then redraws the Normal or Disable face.
bool readEnabled(ButtonMachine& m, ButtonReaction& redraw);
// DrawFace's first step: the gradient's direction follows the state.
void takeGradientDirection(ButtonMachine& m);

}  // namespace Command

// ---- The persisted property set.

// Every persisted property of one button, as the button holds it.
struct ButtonProperties {
    bool enabled;
    std::string caption;  // UTF-8
    FontDesc font;
    uint8_t firstRun;
    uint32_t fontColour;  // red in the low byte
    int16_t visible;      // background style: 1 opaque, 0 transparent
};

enum class ButtonProperty : uint8_t { Enabled, Caption, Font, FirstRun, FontColour, Visible };

// One stored key and its value, in the type of its property.
struct StoredButtonProperty {
    ButtonProperty key;
    std::variant<bool, std::string, FontDesc, uint8_t, uint32_t, int16_t> value;
};
// A property set as a layout stores it: the keys in the order they were
// written, each value unequal to its write default.
using StoredButtonProperties = std::vector<StoredButtonProperty>;

namespace Command {

// Saving into a layout: Enabled, Caption, FirstRun, Font, FontColour,
// Visible, in that order, leaving out every value equal to its write
// default (true, "Command", the container's ambient font, 1, 0, 1).
StoredButtonProperties saveProperties(const ButtonProperties& p, const FontDesc& ambient);
// Loading from a layout: reads Enabled, Caption, Font, FirstRun, FontColour,
// Visible, in that order; a key not stored takes its read default (true,
// "Command1", the ambient font, 1, 0, 1), so a caption of exactly "Command"
// comes back as "Command1".
ButtonProperties readProperties(const StoredButtonProperties& stored, const FontDesc& ambient);

}  // namespace Command
