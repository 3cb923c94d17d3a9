// The custom button's state machine driven by scripted input, and its
// persisted property set.
#include <gtest/gtest.h>

#include "frontend/ui/button_state.h"

namespace {

// A button as the dialog has it after loading and Initialize.
ButtonMachine readyButton() {
    ButtonMachine m;
    m.enabled = true;
    m.firstRun = 1;
    Command::Initialize(m);
    return m;
}

// A left press as the window delivers it: the focus arrives first.
ButtonReaction leftPress(ButtonMachine& m) {
    const ButtonReaction focus = Command::focusGained(m);
    const ButtonReaction press = Command::mouseDown(m, kMouseLeft);
    return press.face != ButtonFace::NoFace ? press : focus;
}

// One step of a script: the face the step drew and the state it left.
void expectStep(const ButtonMachine& m, const ButtonReaction& r, ButtonFace face, ButtonState state) {
    EXPECT_EQ(r.face, face);
    EXPECT_EQ(m.state, state);
}

}  // namespace

TEST(ButtonStateMachine, InitializeSetsNormalWithoutDrawing) {
    ButtonMachine m;
    EXPECT_EQ(m.state, ButtonState::None);
    const ButtonReaction r = Command::Initialize(m);
    EXPECT_EQ(m.state, ButtonState::Normal);
    EXPECT_EQ(r.face, ButtonFace::NoFace);
}

TEST(ButtonStateMachine, PressMoveAwayTickReleaseRaisesNoClick) {
    ButtonMachine m = readyButton();
    expectStep(m, Command::mouseMove(m), ButtonFace::HighLight, ButtonState::HighLight);

    expectStep(m, Command::focusGained(m), ButtonFace::Pressed, ButtonState::HighLightSelect);
    EXPECT_EQ(Command::mouseDown(m, kMouseLeft).face, ButtonFace::Pressed);
    EXPECT_TRUE(m.mouseDown);

    // Moves while the button holds the mouse change nothing in HighLightSelect.
    EXPECT_EQ(Command::mouseMove(m).face, ButtonFace::NoFace);
    expectStep(m, Command::TmrMouse_Timer(m, false), ButtonFace::Selected, ButtonState::Selected);

    const ButtonReaction up = Command::mouseUp(m, kMouseLeft);
    EXPECT_FALSE(up.click);
    EXPECT_EQ(up.face, ButtonFace::NoFace);
    EXPECT_FALSE(m.mouseDown);
}

TEST(ButtonStateMachine, ReleaseBeforeTheTickClicks) {
    ButtonMachine m = readyButton();
    Command::mouseMove(m);
    EXPECT_EQ(leftPress(m).face, ButtonFace::Pressed);
    Command::mouseMove(m);
    const ButtonReaction up = Command::mouseUp(m, kMouseLeft);
    EXPECT_TRUE(up.click);
    EXPECT_EQ(up.face, ButtonFace::HighLightSelect);
    EXPECT_EQ(m.state, ButtonState::HighLightSelect);
}

TEST(ButtonStateMachine, TickWithCursorOverKeepsHover) {
    ButtonMachine m = readyButton();
    Command::mouseMove(m);
    expectStep(m, Command::TmrMouse_Timer(m, true), ButtonFace::NoFace, ButtonState::HighLight);
    expectStep(m, Command::TmrMouse_Timer(m, false), ButtonFace::Normal, ButtonState::Normal);
}

TEST(ButtonStateMachine, RightButtonPressDrawsNothingAndReleaseClicks) {
    for (ButtonState start : {ButtonState::Normal, ButtonState::HighLight, ButtonState::HighLightSelect}) {
        ButtonMachine m = readyButton();
        m.state = start;
        const ButtonReaction down = Command::mouseDown(m, kMouseRight);
        EXPECT_EQ(down.face, ButtonFace::NoFace);
        EXPECT_FALSE(m.mouseDown);
        const ButtonReaction up = Command::mouseUp(m, kMouseRight);
        EXPECT_TRUE(up.click) << static_cast<int>(start);
        EXPECT_EQ(up.face, ButtonFace::NoFace);
        EXPECT_EQ(m.state, start);
    }
    ButtonMachine selected = readyButton();
    selected.state = ButtonState::Selected;
    EXPECT_FALSE(Command::mouseUp(selected, kMouseRight).click);
    ButtonMachine middle = readyButton();
    EXPECT_EQ(Command::mouseDown(middle, kMouseMiddle).face, ButtonFace::NoFace);
    EXPECT_TRUE(Command::mouseUp(middle, kMouseMiddle).click);
}

TEST(ButtonStateMachine, LeftReleaseInHighLightDrawsNormalButKeepsState) {
    ButtonMachine m = readyButton();
    Command::mouseMove(m);
    Command::mouseDown(m, kMouseLeft);  // no focus change here: focus stayed elsewhere
    const ButtonReaction up = Command::mouseUp(m, kMouseLeft);
    EXPECT_EQ(up.face, ButtonFace::Normal);
    EXPECT_TRUE(up.click);
    EXPECT_EQ(m.state, ButtonState::HighLight);
    // Still HighLight: a further move matches no row.
    EXPECT_EQ(Command::mouseMove(m).face, ButtonFace::NoFace);
}

TEST(ButtonStateMachine, FocusRows) {
    ButtonMachine m = readyButton();
    expectStep(m, Command::focusGained(m), ButtonFace::Selected, ButtonState::Selected);
    expectStep(m, Command::mouseMove(m), ButtonFace::HighLightSelect, ButtonState::HighLightSelect);
    expectStep(m, Command::focusLost(m), ButtonFace::Normal, ButtonState::Normal);
    EXPECT_EQ(Command::focusLost(m).face, ButtonFace::NoFace);

    // Selected with the mouse held does not turn into a hover.
    m.state = ButtonState::Selected;
    m.mouseDown = true;
    expectStep(m, Command::mouseMove(m), ButtonFace::NoFace, ButtonState::Selected);
}

TEST(ButtonStateMachine, DisabledIgnoresEverything) {
    ButtonMachine m = readyButton();
    EXPECT_EQ(Command::setEnabled(m, false).face, ButtonFace::Disable);
    const ButtonMachine before = m;
    const ButtonReaction rs[] = {
        Command::mouseMove(m),
        Command::mouseDown(m, kMouseLeft),
        Command::mouseUp(m, kMouseLeft),
        Command::mouseDown(m, kMouseRight),
        Command::mouseUp(m, kMouseRight),
        Command::focusGained(m),
        Command::focusLost(m),
        Command::TmrMouse_Timer(m, false),
        Command::EndHover(m),
        Command::RefreshFace(m),
    };
    for (const ButtonReaction& r : rs) {
        EXPECT_EQ(r.face, ButtonFace::NoFace);
        EXPECT_FALSE(r.click);
    }
    EXPECT_EQ(m.state, before.state);
    EXPECT_EQ(m.mouseDown, before.mouseDown);

    // Re-enabling draws Normal whatever the state is.
    m.state = ButtonState::HighLightSelect;
    const ButtonReaction on = Command::setEnabled(m, true);
    EXPECT_EQ(on.face, ButtonFace::Normal);
    EXPECT_TRUE(on.captionEnabled);
    EXPECT_EQ(m.state, ButtonState::HighLightSelect);
}

TEST(ButtonStateMachine, ReadingEnabledRedrawsWithoutChangingState) {
    ButtonMachine m = readyButton();
    Command::mouseMove(m);
    EXPECT_EQ(Command::RefreshFace(m).face, ButtonFace::Normal);
    ButtonReaction r;
    EXPECT_TRUE(Command::readEnabled(m, r));
    EXPECT_EQ(r.face, ButtonFace::Normal);
    EXPECT_EQ(m.state, ButtonState::HighLight);

    m.enabled = false;
    EXPECT_FALSE(Command::readEnabled(m, r));
    EXPECT_EQ(r.face, ButtonFace::Disable);
    EXPECT_FALSE(r.captionEnabled);
    EXPECT_EQ(m.state, ButtonState::HighLight);
}

TEST(ButtonStateMachine, FirstReadOfEnabledCompletesTheFirstRun) {
    ButtonMachine fresh;  // never persisted: firstRun 0, disabled
    ButtonReaction r;
    EXPECT_TRUE(Command::readEnabled(fresh, r));
    EXPECT_EQ(fresh.firstRun, 1);
    EXPECT_TRUE(fresh.enabled);
    EXPECT_EQ(r.face, ButtonFace::Normal);
    EXPECT_TRUE(r.captionEnabled);
}

TEST(ButtonStateMachine, RefreshFaceBlacksTheCaptionOnlyBeforeTheFirstRun) {
    ButtonMachine m = readyButton();
    EXPECT_FALSE(Command::RefreshFace(m).blackCaption);
    m.firstRun = 0;
    const ButtonReaction r = Command::RefreshFace(m);
    EXPECT_TRUE(r.blackCaption);
    EXPECT_EQ(r.face, ButtonFace::Normal);
}

TEST(ButtonStateMachine, GradientDirectionFollowsState) {
    ButtonMachine m = readyButton();
    m.state = ButtonState::HighLight;
    Command::takeGradientDirection(m);
    EXPECT_TRUE(m.invertGradient);
    m.state = ButtonState::HighLightSelect;  // keeps the previous direction
    Command::takeGradientDirection(m);
    EXPECT_TRUE(m.invertGradient);
    m.state = ButtonState::Selected;
    Command::takeGradientDirection(m);
    EXPECT_FALSE(m.invertGradient);
    m.state = ButtonState::HighLightSelect;
    Command::takeGradientDirection(m);
    EXPECT_FALSE(m.invertGradient);
    m.state = ButtonState::HighLight;
    Command::takeGradientDirection(m);
    m.state = ButtonState::Normal;
    Command::takeGradientDirection(m);
    EXPECT_FALSE(m.invertGradient);
}

// ---- The persisted property set.

namespace {

const FontDesc kAmbient = {"Tahoma", 8.25f, 0, false, false, false};
const FontDesc kGothic = {"ＭＳ Ｐゴシック", 9.75f, 128, false, false, false};

ButtonProperties withCaption(const std::string& caption, const FontDesc& font) {
    return ButtonProperties{true, caption, font, 1, 0, 1};
}

std::vector<ButtonProperty> keysOf(const StoredButtonProperties& stored) {
    std::vector<ButtonProperty> keys;
    for (const StoredButtonProperty& entry : stored) keys.push_back(entry.key);
    return keys;
}

}  // namespace

TEST(ButtonProperties, DefaultsAreNotStoredAndCommandReadsBackAsCommand1) {
    const StoredButtonProperties stored = Command::saveProperties(withCaption("Command", kAmbient), kAmbient);
    EXPECT_TRUE(stored.empty());
    const ButtonProperties back = Command::readProperties(stored, kAmbient);
    EXPECT_EQ(back.caption, "Command1");
    EXPECT_TRUE(back.enabled);
    EXPECT_EQ(back.font, kAmbient);
    EXPECT_EQ(back.firstRun, 1);
    EXPECT_EQ(back.fontColour, 0u);
    EXPECT_EQ(back.visible, 1);
}

TEST(ButtonProperties, DialogButtonsStoreOnlyCaptionAndFont) {
    const StoredButtonProperties stored = Command::saveProperties(withCaption("設定", kGothic), kAmbient);
    EXPECT_EQ(keysOf(stored), (std::vector<ButtonProperty>{ButtonProperty::Caption, ButtonProperty::Font}));
    const ButtonProperties back = Command::readProperties(stored, kAmbient);
    EXPECT_EQ(back.caption, "設定");
    EXPECT_EQ(back.font, kGothic);
    // Read against another ambient font, the stored font still holds.
    EXPECT_EQ(Command::readProperties(stored, kGothic).font, kGothic);
}

TEST(ButtonProperties, EveryKeyRoundTripsWrittenInSavingOrder) {
    const ButtonProperties p = {false, "ｷｬﾝｾﾙ", {"Tahoma", 12.5f, 1, true, true, true}, 0, 0x00FF8040u, 0};
    const StoredButtonProperties stored = Command::saveProperties(p, kAmbient);
    EXPECT_EQ(keysOf(stored),
              (std::vector<ButtonProperty>{ButtonProperty::Enabled, ButtonProperty::Caption, ButtonProperty::FirstRun,
                                           ButtonProperty::Font, ButtonProperty::FontColour, ButtonProperty::Visible}));
    const ButtonProperties back = Command::readProperties(stored, kAmbient);
    EXPECT_FALSE(back.enabled);
    EXPECT_EQ(back.caption, p.caption);
    EXPECT_EQ(back.font, p.font);
    EXPECT_EQ(back.firstRun, 0);
    EXPECT_EQ(back.fontColour, p.fontColour);
    EXPECT_EQ(back.visible, 0);
}

TEST(ButtonProperties, AValueOfTheWrongTypeTakesTheReadDefault) {
    const StoredButtonProperties stored = {{ButtonProperty::Enabled, std::string("False")},
                                           {ButtonProperty::Caption, true},
                                           {ButtonProperty::Visible, uint32_t{0}}};
    const ButtonProperties p = Command::readProperties(stored, kAmbient);
    EXPECT_TRUE(p.enabled);
    EXPECT_EQ(p.caption, "Command1");
    EXPECT_EQ(p.visible, 1);
}
