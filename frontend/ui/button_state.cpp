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

#include <cerrno>
#include <cstdlib>

namespace {

ButtonReaction drawn(ButtonFace face) {
    ButtonReaction r;
    r.face = face;
    return r;
}

// Combines two steps run one after the other: the later face wins.
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

ButtonReaction buttonInitialize(ButtonMachine& m) {
    m.state = ButtonState::Normal;
    return {};
}

ButtonReaction buttonMouseMove(ButtonMachine& m) {
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

ButtonReaction buttonMouseDown(ButtonMachine& m, int button) {
    if (!m.enabled || button != kButtonLeft) return {};
    m.mouseDown = true;
    return drawn(ButtonFace::Pressed);
}

ButtonReaction buttonMouseUp(ButtonMachine& m, int button) {
    if (!m.enabled) return {};
    ButtonReaction r;
    if (button == kButtonLeft) {
        if (m.state == ButtonState::HighLight)
            r.face = ButtonFace::Normal;
        else if (m.state == ButtonState::HighLightSelect)
            r.face = ButtonFace::HighLightSelect;
        m.mouseDown = false;
    }
    r.click = m.state != ButtonState::Selected;
    return r;
}

ButtonReaction buttonFocusGained(ButtonMachine& m) {
    if (!m.enabled) return {};
    if (m.state == ButtonState::HighLight) {
        m.state = ButtonState::HighLightSelect;
        return drawn(ButtonFace::Pressed);
    }
    m.state = ButtonState::Selected;
    return drawn(ButtonFace::Selected);
}

ButtonReaction buttonFocusLost(ButtonMachine& m) {
    if (!m.enabled || m.state == ButtonState::Normal) return {};
    m.state = ButtonState::Normal;
    return drawn(ButtonFace::Normal);
}

ButtonReaction buttonEndHover(ButtonMachine& m) {
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

ButtonReaction buttonTimerTick(ButtonMachine& m, bool cursorOverButton) {
    if (cursorOverButton) return {};
    return buttonEndHover(m);
}

ButtonReaction buttonApplyEnabled(const ButtonMachine& m) {
    ButtonReaction r = drawn(m.enabled ? ButtonFace::Normal : ButtonFace::Disable);
    r.captionEnabled = m.enabled;
    return r;
}

ButtonReaction buttonRefreshFace(const ButtonMachine& m) {
    if (!m.enabled) return {};
    ButtonReaction r = drawn(ButtonFace::Normal);
    r.blackCaption = m.firstRun == 0;
    return r;
}

ButtonReaction buttonSetEnabled(ButtonMachine& m, bool enabled) {
    m.enabled = enabled;
    return buttonApplyEnabled(m);
}

bool buttonReadEnabled(ButtonMachine& m, ButtonReaction& reaction) {
    reaction = {};
    if (m.firstRun == 0) {
        reaction = buttonRefreshFace(m);
        m.firstRun = 1;
        m.enabled = true;
    }
    reaction = then(reaction, buttonApplyEnabled(m));
    return m.enabled;
}

void buttonUpdateGradient(ButtonMachine& m) {
    if (m.state == ButtonState::Normal)
        m.invertGradient = false;
    else if (m.state == ButtonState::HighLight)
        m.invertGradient = true;
    else if (m.state == ButtonState::Selected)
        m.invertGradient = false;
}

// ---- Persisted property set.

bool operator==(const ButtonFont& a, const ButtonFont& b) {
    return a.face == b.face && a.points == b.points && a.charset == b.charset && a.bold == b.bold &&
           a.italic == b.italic && a.underline == b.underline;
}

namespace {

const char* const kCaptionWriteDefault = "Command";
const char* const kCaptionReadDefault = "Command1";

const std::string* findKey(const PropertyBag& bag, const char* key) {
    for (const auto& entry : bag)
        if (entry.first == key) return &entry.second;
    return nullptr;
}

bool parseLong(const std::string& text, long long lo, long long hi, long long& out) {
    if (text.empty() || text.size() > 20) return false;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end != text.c_str() + text.size() || v < lo || v > hi) return false;
    out = v;
    return true;
}

bool parseBool(const std::string& text, bool& out) {
    if (text == "True" || text == "-1" || text == "1") {
        out = true;
        return true;
    }
    if (text == "False" || text == "0") {
        out = false;
        return true;
    }
    return false;
}

void put(PropertyBag& bag, const char* key, std::string value) { bag.emplace_back(key, std::move(value)); }

}  // namespace

std::string fontToText(const ButtonFont& f) {
    // Points are kept in hundredths so the text round-trips exactly.
    const long hundredths = static_cast<long>(f.points * 100.0f + 0.5f);
    return f.face + ";" + std::to_string(hundredths) + ";" + std::to_string(f.charset) + ";" + (f.bold ? "1" : "0") +
           ";" + (f.italic ? "1" : "0") + ";" + (f.underline ? "1" : "0");
}

bool fontFromText(const std::string& text, ButtonFont& f) {
    // Fields from the end, so a face name may itself hold a ';'.
    size_t cuts[5];
    size_t pos = text.size();
    for (int i = 4; i >= 0; --i) {
        if (pos == 0) return false;
        const size_t cut = text.rfind(';', pos - 1);
        if (cut == std::string::npos) return false;
        cuts[i] = cut;
        pos = cut;
    }
    std::string tail[5];
    for (int i = 0; i < 5; ++i) {
        const size_t stop = i < 4 ? cuts[i + 1] : text.size();
        tail[i] = text.substr(cuts[i] + 1, stop - cuts[i] - 1);
    }
    const size_t end = cuts[0];
    ButtonFont r;
    r.face = text.substr(0, end);
    long long hundredths = 0, charset = 0, bold = 0, italic = 0, underline = 0;
    if (r.face.empty() || !parseLong(tail[0], 1, 100000, hundredths) || !parseLong(tail[1], 0, 255, charset) ||
        !parseLong(tail[2], 0, 1, bold) || !parseLong(tail[3], 0, 1, italic) || !parseLong(tail[4], 0, 1, underline))
        return false;
    r.points = static_cast<float>(hundredths) / 100.0f;
    r.charset = static_cast<int>(charset);
    r.bold = bold != 0;
    r.italic = italic != 0;
    r.underline = underline != 0;
    f = r;
    return true;
}

void saveButtonProperties(const ButtonProperties& p, const ButtonFont& ambient, PropertyBag& bag) {
    if (!p.enabled) put(bag, "Enabled", "False");
    if (p.caption != kCaptionWriteDefault) put(bag, "Caption", p.caption);
    if (p.firstRun != 1) put(bag, "FirstRun", std::to_string(p.firstRun));
    if (!(p.font == ambient)) put(bag, "Font", fontToText(p.font));
    if (p.fontColour != 0) put(bag, "FontColour", std::to_string(p.fontColour));
    if (p.visible != 1) put(bag, "Visible", std::to_string(p.visible));
}

ButtonProperties loadButtonProperties(const PropertyBag& bag, const ButtonFont& ambient) {
    ButtonProperties p;
    const std::string* v = nullptr;
    long long n = 0;

    p.enabled = true;
    if ((v = findKey(bag, "Enabled")) != nullptr) parseBool(*v, p.enabled);

    p.caption = kCaptionReadDefault;
    if ((v = findKey(bag, "Caption")) != nullptr) p.caption = *v;

    p.font = ambient;
    if ((v = findKey(bag, "Font")) != nullptr) fontFromText(*v, p.font);

    p.firstRun = 1;
    if ((v = findKey(bag, "FirstRun")) != nullptr && parseLong(*v, 0, 255, n)) p.firstRun = static_cast<uint8_t>(n);

    p.fontColour = 0;
    if ((v = findKey(bag, "FontColour")) != nullptr && parseLong(*v, 0, 0xFFFFFFFFLL, n))
        p.fontColour = static_cast<uint32_t>(n);

    p.visible = 1;
    if ((v = findKey(bag, "Visible")) != nullptr && parseLong(*v, -32768, 32767, n))
        p.visible = static_cast<int16_t>(n);
    return p;
}
