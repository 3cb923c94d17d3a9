// The custom button's state machine and persisted property set.
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

// Two steps run one after the other: the later face wins.
ButtonReaction then(ButtonReaction first, const ButtonReaction& second) {
    if (second.face != ButtonFace::NoFace) {
        first.face = second.face;
        first.captionEnabled = second.captionEnabled;
    }
    first.click = first.click || second.click;
    first.blackCaption = first.blackCaption || second.blackCaption;
    return first;
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
    ButtonReaction r = drawn(ButtonFace::Normal);
    r.blackCaption = m.firstRun == 0;
    return r;
}

ButtonReaction setEnabled(ButtonMachine& m, bool enabled) {
    m.enabled = enabled;
    return ApplyEnabled(m);
}

bool readEnabled(ButtonMachine& m, ButtonReaction& redraw) {
    redraw = {};
    if (m.firstRun == 0) {
        redraw = RefreshFace(m);
        m.firstRun = 1;
        m.enabled = true;
    }
    redraw = then(redraw, ApplyEnabled(m));
    return m.enabled;
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

// ---- The persisted property set.

namespace Command {

namespace {

const char kCaptionWriteDefault[] = "Command";
const char kCaptionReadDefault[] = "Command1";

// The stored value of a key, or the default when the key is not stored.
template <class T>
T storedOr(const StoredButtonProperties& stored, ButtonProperty key, T readDefault) {
    for (const StoredButtonProperty& entry : stored)
        if (entry.key == key) {
            const T* value = std::get_if<T>(&entry.value);
            return value ? *value : readDefault;
        }
    return readDefault;
}

}  // namespace

StoredButtonProperties saveProperties(const ButtonProperties& p, const FontDesc& ambient) {
    StoredButtonProperties stored;
    if (!p.enabled) stored.push_back({ButtonProperty::Enabled, p.enabled});
    if (p.caption != kCaptionWriteDefault) stored.push_back({ButtonProperty::Caption, p.caption});
    if (p.firstRun != 1) stored.push_back({ButtonProperty::FirstRun, p.firstRun});
    if (p.font != ambient) stored.push_back({ButtonProperty::Font, p.font});
    if (p.fontColour != 0) stored.push_back({ButtonProperty::FontColour, p.fontColour});
    if (p.visible != 1) stored.push_back({ButtonProperty::Visible, p.visible});
    return stored;
}

ButtonProperties readProperties(const StoredButtonProperties& stored, const FontDesc& ambient) {
    ButtonProperties p;
    p.enabled = storedOr<bool>(stored, ButtonProperty::Enabled, true);
    p.caption = storedOr<std::string>(stored, ButtonProperty::Caption, kCaptionReadDefault);
    p.font = storedOr<FontDesc>(stored, ButtonProperty::Font, ambient);
    p.firstRun = storedOr<uint8_t>(stored, ButtonProperty::FirstRun, 1);
    p.fontColour = storedOr<uint32_t>(stored, ButtonProperty::FontColour, 0);
    p.visible = storedOr<int16_t>(stored, ButtonProperty::Visible, 1);
    return p;
}

}  // namespace Command
