// The custom button Command without any window: its member state and the
// state machine that turns mouse, focus and hover notifications into a face
// to draw and a Click. button_state_win32.cpp drives it from window messages
// and draws the faces.
#pragma once
#include <cstdint>

enum class ButtonState : uint8_t { None = 0, Normal = 1, HighLight = 2, Selected = 3, HighLightSelect = 4 };

// The pictures DrawFace can be asked to draw; NoFace means "draw nothing".
enum class ButtonFace : uint8_t { NoFace, Normal, HighLight, Selected, HighLightSelect, Pressed, Disable };

struct ButtonMachine {
    ButtonState state = ButtonState::None;  // None until Initialize
    bool enabled = true;
    bool mouseDown = false;
    bool invertGradient = false;
};

// What one notification asks of the window: a face to draw (the last one if
// the step draws several), whether to raise Click, and whether the caption
// label is enabled.
struct ButtonReaction {
    ButtonFace face = ButtonFace::NoFace;
    bool click = false;
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
// DrawFace's first step: the gradient's direction follows the state.
void takeGradientDirection(ButtonMachine& m);

}  // namespace Command
