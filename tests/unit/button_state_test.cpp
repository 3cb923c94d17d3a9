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
    buttonInitialize(m);
    return m;
}

// A left press as the window delivers it: the focus arrives first.
ButtonReaction leftPress(ButtonMachine& m) {
    const ButtonReaction focus = buttonFocusGained(m);
    const ButtonReaction press = buttonMouseDown(m, kButtonLeft);
    return press.face != ButtonFace::NoFace ? press : focus;
}

}  // namespace

TEST(ButtonStateMachine, InitializeSetsNormalWithoutDrawing) {
    ButtonMachine m;
    EXPECT_EQ(m.state, ButtonState::None);
    const ButtonReaction r = buttonInitialize(m);
    EXPECT_EQ(m.state, ButtonState::Normal);
    EXPECT_EQ(r.face, ButtonFace::NoFace);
}

TEST(ButtonStateMachine, PressMoveAwayTickReleaseRaisesNoClick) {
    ButtonMachine m = readyButton();
    EXPECT_EQ(buttonMouseMove(m).face, ButtonFace::HighLight);
    EXPECT_EQ(m.state, ButtonState::HighLight);

    EXPECT_EQ(buttonFocusGained(m).face, ButtonFace::Pressed);
    EXPECT_EQ(m.state, ButtonState::HighLightSelect);
    EXPECT_EQ(buttonMouseDown(m, kButtonLeft).face, ButtonFace::Pressed);
    EXPECT_TRUE(m.mouseDown);

    // Moves while the button holds the mouse change nothing in HighLightSelect.
    EXPECT_EQ(buttonMouseMove(m).face, ButtonFace::NoFace);
    EXPECT_EQ(buttonTimerTick(m, false).face, ButtonFace::Selected);
    EXPECT_EQ(m.state, ButtonState::Selected);

    const ButtonReaction up = buttonMouseUp(m, kButtonLeft);
    EXPECT_FALSE(up.click);
    EXPECT_EQ(up.face, ButtonFace::NoFace);
    EXPECT_FALSE(m.mouseDown);
}

TEST(ButtonStateMachine, ReleaseBeforeTheTickClicks) {
    ButtonMachine m = readyButton();
    buttonMouseMove(m);
    EXPECT_EQ(leftPress(m).face, ButtonFace::Pressed);
    buttonMouseMove(m);
    const ButtonReaction up = buttonMouseUp(m, kButtonLeft);
    EXPECT_TRUE(up.click);
    EXPECT_EQ(up.face, ButtonFace::HighLightSelect);
    EXPECT_EQ(m.state, ButtonState::HighLightSelect);
}

TEST(ButtonStateMachine, TickWithCursorOverKeepsHover) {
    ButtonMachine m = readyButton();
    buttonMouseMove(m);
    EXPECT_EQ(buttonTimerTick(m, true).face, ButtonFace::NoFace);
    EXPECT_EQ(m.state, ButtonState::HighLight);
    EXPECT_EQ(buttonTimerTick(m, false).face, ButtonFace::Normal);
    EXPECT_EQ(m.state, ButtonState::Normal);
}

TEST(ButtonStateMachine, RightButtonPressDrawsNothingAndReleaseClicks) {
    for (ButtonState start : {ButtonState::Normal, ButtonState::HighLight, ButtonState::HighLightSelect}) {
        ButtonMachine m = readyButton();
        m.state = start;
        const ButtonReaction down = buttonMouseDown(m, kButtonRight);
        EXPECT_EQ(down.face, ButtonFace::NoFace);
        EXPECT_FALSE(m.mouseDown);
        const ButtonReaction up = buttonMouseUp(m, kButtonRight);
        EXPECT_TRUE(up.click) << static_cast<int>(start);
        EXPECT_EQ(up.face, ButtonFace::NoFace);
        EXPECT_EQ(m.state, start);
    }
    ButtonMachine selected = readyButton();
    selected.state = ButtonState::Selected;
    EXPECT_FALSE(buttonMouseUp(selected, kButtonRight).click);
    ButtonMachine middle = readyButton();
    EXPECT_EQ(buttonMouseDown(middle, kButtonMiddle).face, ButtonFace::NoFace);
    EXPECT_TRUE(buttonMouseUp(middle, kButtonMiddle).click);
}

TEST(ButtonStateMachine, LeftReleaseInHighLightDrawsNormalButKeepsState) {
    ButtonMachine m = readyButton();
    buttonMouseMove(m);
    buttonMouseDown(m, kButtonLeft);  // no focus change here: focus stayed elsewhere
    const ButtonReaction up = buttonMouseUp(m, kButtonLeft);
    EXPECT_EQ(up.face, ButtonFace::Normal);
    EXPECT_TRUE(up.click);
    EXPECT_EQ(m.state, ButtonState::HighLight);
    // Still HighLight: a further move matches no row.
    EXPECT_EQ(buttonMouseMove(m).face, ButtonFace::NoFace);
}

TEST(ButtonStateMachine, FocusRows) {
    ButtonMachine m = readyButton();
    EXPECT_EQ(buttonFocusGained(m).face, ButtonFace::Selected);
    EXPECT_EQ(m.state, ButtonState::Selected);
    EXPECT_EQ(buttonMouseMove(m).face, ButtonFace::HighLightSelect);
    EXPECT_EQ(m.state, ButtonState::HighLightSelect);
    EXPECT_EQ(buttonFocusLost(m).face, ButtonFace::Normal);
    EXPECT_EQ(m.state, ButtonState::Normal);
    EXPECT_EQ(buttonFocusLost(m).face, ButtonFace::NoFace);

    // Selected with the mouse held does not turn into a hover.
    m.state = ButtonState::Selected;
    m.mouseDown = true;
    EXPECT_EQ(buttonMouseMove(m).face, ButtonFace::NoFace);
    EXPECT_EQ(m.state, ButtonState::Selected);
}

TEST(ButtonStateMachine, DisabledIgnoresEverything) {
    ButtonMachine m = readyButton();
    EXPECT_EQ(buttonSetEnabled(m, false).face, ButtonFace::Disable);
    const ButtonMachine before = m;
    const ButtonReaction rs[] = {
        buttonMouseMove(m),
        buttonMouseDown(m, kButtonLeft),
        buttonMouseUp(m, kButtonLeft),
        buttonMouseDown(m, kButtonRight),
        buttonMouseUp(m, kButtonRight),
        buttonFocusGained(m),
        buttonFocusLost(m),
        buttonTimerTick(m, false),
        buttonEndHover(m),
        buttonRefreshFace(m),
    };
    for (const ButtonReaction& r : rs) {
        EXPECT_EQ(r.face, ButtonFace::NoFace);
        EXPECT_FALSE(r.click);
    }
    EXPECT_EQ(m.state, before.state);
    EXPECT_EQ(m.mouseDown, before.mouseDown);

    // Re-enabling draws Normal whatever the state is.
    m.state = ButtonState::HighLightSelect;
    const ButtonReaction on = buttonSetEnabled(m, true);
    EXPECT_EQ(on.face, ButtonFace::Normal);
    EXPECT_TRUE(on.captionEnabled);
    EXPECT_EQ(m.state, ButtonState::HighLightSelect);
}

TEST(ButtonStateMachine, ReadingEnabledRedrawsWithoutChangingState) {
    ButtonMachine m = readyButton();
    buttonMouseMove(m);
    ButtonReaction r;
    EXPECT_TRUE(buttonReadEnabled(m, r));
    EXPECT_EQ(r.face, ButtonFace::Normal);
    EXPECT_EQ(m.state, ButtonState::HighLight);

    m.enabled = false;
    EXPECT_FALSE(buttonReadEnabled(m, r));
    EXPECT_EQ(r.face, ButtonFace::Disable);
    EXPECT_FALSE(r.captionEnabled);
    EXPECT_EQ(m.state, ButtonState::HighLight);
}

TEST(ButtonStateMachine, FirstReadOfEnabledCompletesFirstRun) {
    ButtonMachine fresh;  // never persisted: firstRun 0, disabled
    ButtonReaction r;
    EXPECT_TRUE(buttonReadEnabled(fresh, r));
    EXPECT_EQ(fresh.firstRun, 1);
    EXPECT_TRUE(fresh.enabled);
    EXPECT_EQ(r.face, ButtonFace::Normal);
}

TEST(ButtonStateMachine, RefreshFaceBlacksCaptionOnlyOnFirstRun) {
    ButtonMachine m = readyButton();
    ButtonReaction r = buttonRefreshFace(m);
    EXPECT_EQ(r.face, ButtonFace::Normal);
    EXPECT_FALSE(r.blackCaption);
    m.firstRun = 0;
    EXPECT_TRUE(buttonRefreshFace(m).blackCaption);
}

TEST(ButtonStateMachine, GradientDirectionFollowsState) {
    ButtonMachine m = readyButton();
    m.state = ButtonState::HighLight;
    buttonUpdateGradient(m);
    EXPECT_TRUE(m.invertGradient);
    m.state = ButtonState::HighLightSelect;  // keeps the previous direction
    buttonUpdateGradient(m);
    EXPECT_TRUE(m.invertGradient);
    m.state = ButtonState::Selected;
    buttonUpdateGradient(m);
    EXPECT_FALSE(m.invertGradient);
    m.state = ButtonState::HighLightSelect;
    buttonUpdateGradient(m);
    EXPECT_FALSE(m.invertGradient);
    m.state = ButtonState::HighLight;
    buttonUpdateGradient(m);
    m.state = ButtonState::Normal;
    buttonUpdateGradient(m);
    EXPECT_FALSE(m.invertGradient);
}

// ---- Property set.

namespace {
ButtonFont ambientFont() { return ButtonFont{"Tahoma", 8.25f, 0, false, false, false}; }
ButtonFont gothic() { return ButtonFont{"ＭＳ Ｐゴシック", 9.75f, 128, false, false, false}; }
}  // namespace

TEST(ButtonProperties, DefaultsAreNotStoredAndCommandReadsBackAsCommand1) {
    ButtonProperties p;
    p.caption = "Command";
    p.font = ambientFont();
    PropertyBag bag;
    saveButtonProperties(p, ambientFont(), bag);
    EXPECT_TRUE(bag.empty());
    const ButtonProperties back = loadButtonProperties(bag, ambientFont());
    EXPECT_EQ(back.caption, "Command1");
    EXPECT_TRUE(back.enabled);
    EXPECT_EQ(back.firstRun, 1);
    EXPECT_EQ(back.fontColour, 0u);
    EXPECT_EQ(back.visible, 1);
    EXPECT_TRUE(back.font == ambientFont());
}

TEST(ButtonProperties, DialogButtonsStoreOnlyCaptionAndFont) {
    ButtonProperties p;
    p.caption = "設定";
    p.font = gothic();
    PropertyBag bag;
    saveButtonProperties(p, ambientFont(), bag);
    ASSERT_EQ(bag.size(), 2u);
    EXPECT_EQ(bag[0].first, "Caption");
    EXPECT_EQ(bag[0].second, "設定");
    EXPECT_EQ(bag[1].first, "Font");
    const ButtonProperties back = loadButtonProperties(bag, ambientFont());
    EXPECT_EQ(back.caption, "設定");
    EXPECT_TRUE(back.font == gothic());
}

TEST(ButtonProperties, EveryKeyRoundTripsInSavingOrder) {
    ButtonProperties p;
    p.enabled = false;
    p.caption = "ｷｬﾝｾﾙ";
    p.font = ButtonFont{"Odd;Face", 12.5f, 1, true, true, true};
    p.firstRun = 0;
    p.fontColour = 0x00FF8040u;
    p.visible = 0;
    PropertyBag bag;
    saveButtonProperties(p, ambientFont(), bag);
    ASSERT_EQ(bag.size(), 6u);
    const char* order[] = {"Enabled", "Caption", "FirstRun", "Font", "FontColour", "Visible"};
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(bag[i].first, order[i]);
    const ButtonProperties back = loadButtonProperties(bag, ambientFont());
    EXPECT_FALSE(back.enabled);
    EXPECT_EQ(back.caption, p.caption);
    EXPECT_TRUE(back.font == p.font);
    EXPECT_EQ(back.firstRun, 0);
    EXPECT_EQ(back.fontColour, p.fontColour);
    EXPECT_EQ(back.visible, 0);
}

TEST(ButtonProperties, UnreadableValuesTakeReadDefaults) {
    const PropertyBag bag = {{"Enabled", "maybe"}, {"Font", "no fields"}, {"FirstRun", "300"},
                             {"FontColour", "-5"}, {"Visible", "99999"},  {"Font;", ";;;;;"}};
    const ButtonProperties p = loadButtonProperties(bag, ambientFont());
    EXPECT_TRUE(p.enabled);
    EXPECT_EQ(p.caption, "Command1");
    EXPECT_TRUE(p.font == ambientFont());
    EXPECT_EQ(p.firstRun, 1);
    EXPECT_EQ(p.fontColour, 0u);
    EXPECT_EQ(p.visible, 1);

    ButtonFont f = gothic();
    for (const char* text :
         {"", ";", ";1;2;0;0;0", "A;0;0;0;0;0", "A;975;300;0;0;0", "A;975;128;2;0;0", "A;x;1;0;0;0"}) {
        EXPECT_FALSE(fontFromText(text, f)) << text;
        EXPECT_TRUE(f == gothic());
    }
}
