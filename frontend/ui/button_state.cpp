// The custom button's state machine.
//
// Every row applies only while `enabled` is true; "face X" means DrawFace
// with picture X.
//
//   trigger                     condition                         state after      drawn
//   --------------------------  --------------------------------  ---------------  ----------------
//   mouse move (button/caption) state = Normal                    HighLight        HighLight
//   mouse move (button/caption) state = Selected, not mouseDown   HighLightSelect  HighLightSelect
//   left button pressed         -                                 unchanged;       Pressed
//                                                                 mouseDown = true
//   other button pressed        -                                 unchanged        nothing
//   left button released        state = HighLight                 unchanged;       Normal
//                                                                 mouseDown=false
//   left button released        state = HighLightSelect           unchanged;       HighLightSelect
//                                                                 mouseDown=false
//   left button released        other states                      unchanged;       nothing
//                                                                 mouseDown=false
//   any button released         then: state is not Selected       unchanged        raise Click
//   focus gained                state = HighLight                 HighLightSelect  Pressed
//   focus gained                any other state                   Selected         Selected
//   focus lost                  state is not Normal               Normal           Normal
//   TmrMouse tick (EndHover)    cursor off, state = HighLight     Normal           Normal
//   TmrMouse tick (EndHover)    cursor off, state = HighLightSel. Selected         Selected
//
// The move rows do not look at the cursor: a move reported while the button
// holds the mouse after a press counts too. So a press that leaves the button
// and waits for a tick (HighLightSelect -> Selected) raises no Click.
#include "frontend/ui/button_state.h"

namespace Command {

namespace {

ButtonReaction drawn(ButtonFace face) {
    ButtonReaction r;
    r.face = face;
    return r;
}

}  // namespace

ButtonReaction Initialize(ButtonMachine& m) {
    m.state = ButtonState::Normal;
    return {};
}

ButtonReaction mouseMove(ButtonMachine& m) {
    if (!m.enabled) return {};
    if (m.state == ButtonState::Normal) {
        m.state = ButtonState::HighLight;
        return drawn(ButtonFace::HighLight);
    }
    if (m.state == ButtonState::Selected && !m.mouseDown) {
        m.state = ButtonState::HighLightSelect;
        return drawn(ButtonFace::HighLightSelect);
    }
    return {};
}

ButtonReaction mouseDown(ButtonMachine& m, int button) {
    if (!m.enabled || button != kMouseLeft) return {};
    m.mouseDown = true;
    return drawn(ButtonFace::Pressed);
}

ButtonReaction mouseUp(ButtonMachine& m, int button) {
    if (!m.enabled) return {};
    ButtonReaction r;
    if (button == kMouseLeft) {
        if (m.state == ButtonState::HighLight)
            r.face = ButtonFace::Normal;
        else if (m.state == ButtonState::HighLightSelect)
            r.face = ButtonFace::HighLightSelect;
        m.mouseDown = false;
    }
    r.click = m.state != ButtonState::Selected;
    return r;
}

ButtonReaction focusGained(ButtonMachine& m) {
    if (!m.enabled) return {};
    if (m.state == ButtonState::HighLight) {
        m.state = ButtonState::HighLightSelect;
        return drawn(ButtonFace::Pressed);
    }
    m.state = ButtonState::Selected;
    return drawn(ButtonFace::Selected);
}

ButtonReaction focusLost(ButtonMachine& m) {
    if (!m.enabled || m.state == ButtonState::Normal) return {};
    m.state = ButtonState::Normal;
    return drawn(ButtonFace::Normal);
}

ButtonReaction EndHover(ButtonMachine& m) {
    if (!m.enabled) return {};
    if (m.state == ButtonState::HighLight) {
        m.state = ButtonState::Normal;
        return drawn(ButtonFace::Normal);
    }
    if (m.state == ButtonState::HighLightSelect) {
        m.state = ButtonState::Selected;
        return drawn(ButtonFace::Selected);
    }
    return {};
}

ButtonReaction TmrMouse_Timer(ButtonMachine& m, bool cursorOverButton) {
    if (cursorOverButton) return {};
    return EndHover(m);
}

ButtonReaction ApplyEnabled(const ButtonMachine& m) {
    ButtonReaction r = drawn(m.enabled ? ButtonFace::Normal : ButtonFace::Disable);
    r.captionEnabled = m.enabled;
    return r;
}

ButtonReaction RefreshFace(const ButtonMachine& m) {
    if (!m.enabled) return {};
    return drawn(ButtonFace::Normal);
}

ButtonReaction setEnabled(ButtonMachine& m, bool enabled) {
    m.enabled = enabled;
    return ApplyEnabled(m);
}

void takeGradientDirection(ButtonMachine& m) {
    if (m.state == ButtonState::Normal)
        m.invertGradient = false;
    else if (m.state == ButtonState::HighLight)
        m.invertGradient = true;
    else if (m.state == ButtonState::Selected)
        m.invertGradient = false;
}

}  // namespace Command
