// The forms runtime and the custom button's window class in-process under
// Wine: layouts realised at the right pixel sizes, pictures decoded and saved
// as BMP files, timers, unload order, mouse dispatch to windowless controls,
// and the button driven by real window messages. Prints each failure and
// exits with the number of failures.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "frontend/ui/button_state.h"
#include "frontend/ui/command_button_win32.h"
#include "frontend/ui/forms.h"

namespace {

int failures = 0;
#define CHECK(cond, ...)                                     \
    do {                                                     \
        if (!(cond)) {                                       \
            ++failures;                                      \
            std::printf("FAIL %s:%d: ", __FILE__, __LINE__); \
            std::printf(__VA_ARGS__);                        \
            std::printf("\n");                               \
        }                                                    \
    } while (0)

std::vector<std::string> happened;
int clicks = 0;
int ticks = 0;

void onClick(Form&, const char* name, int index) {
    ++clicks;
    happened.push_back(std::string("click ") + name + " " + std::to_string(index));
}
void onMouseDown(Form&, const char* name, int index, int button, int, float, float) {
    happened.push_back(std::string("down ") + name + " " + std::to_string(index) + " " + std::to_string(button));
}
void onTimer(Form&, const char*) { ++ticks; }
void onQueryUnload(Form&) { happened.push_back("queryUnload"); }
void onUnload(Form&) { happened.push_back("unload"); }
void onLoad(Form& form) {
    // Controls exist before the load handler runs.
    happened.push_back(controlWindow(form, "Pic_C") || controlWindow(form, "Display", 0) ? "load with controls"
                                                                                         : "load without");
}

void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

struct BmpInfo {
    bool ok = false;
    int width = 0, height = 0, bits = 0, headerSize = 0;
};

BmpInfo readBmp(const char* path) {
    BmpInfo info;
    FILE* f = std::fopen(path, "rb");
    if (!f) return info;
    unsigned char h[54] = {};
    const size_t got = std::fread(h, 1, sizeof h, f);
    std::fseek(f, 0, SEEK_END);
    const long size = std::ftell(f);
    std::fclose(f);
    if (got != sizeof h || h[0] != 'B' || h[1] != 'M') return info;
    auto u32 = [&](int at) { return h[at] | (h[at + 1] << 8) | (h[at + 2] << 16) | (h[at + 3] << 24); };
    info.headerSize = u32(14);
    info.width = u32(18);
    info.height = u32(22);
    info.bits = h[28] | (h[29] << 8);
    const long rowBytes = ((info.width * 3) + 3) & ~3;
    info.ok = size == 54 + rowBytes * info.height && u32(10) == 54;
    return info;
}

void expectBmp(const Form& form, const char* name, int index, int width, int height) {
    const char* path = "ui_probe.bmp";
    DeleteFileA(path);
    CHECK(savePicture(form, name, index, path), "savePicture %s(%d)", name, index);
    const BmpInfo b = readBmp(path);
    CHECK(b.ok && b.headerSize == 40 && b.bits == 24 && b.width == width && b.height == height,
          "%s(%d) saved as %dx%d, %d bits, header %d", name, index, b.width, b.height, b.bits, b.headerSize);
}

bool rectIs(const RECT& r, int left, int top, int width, int height) {
    return r.left == left && r.top == top && r.right - r.left == width && r.bottom - r.top == height;
}

void saverWindow() {
    FormEvents events = {};
    events.load = onLoad;
    events.timer = onTimer;
    events.queryUnload = onQueryUnload;
    events.unload = onUnload;
    happened.clear();
    Form* form = loadForm(Solvane_S_Layout, events);
    CHECK(form != nullptr, "Solvane_S did not load");
    if (!form) return;
    CHECK(!happened.empty() && happened[0] == "load with controls", "load ran before the controls existed");
    CHECK(!IsWindowVisible(formWindow(*form)), "Solvane_S is visible after loading");
    char caption[64] = {};
    GetWindowTextA(formWindow(*form), caption, sizeof caption);
    CHECK(std::strcmp(caption, "Solvane_Main") == 0, "caption %s", caption);
    expectBmp(*form, "Display", 0, 256, 256);
    expectBmp(*form, "Display", 1, 1024, 256);
    expectBmp(*form, "Display", 2, 64, 64);
    CHECK(!savePicture(*form, "Display", 3, "ui_probe.bmp"), "a missing control saved a picture");

    for (const char* t : {"Timer1", "Timer2", "Timer3"}) CHECK(!timerEnabled(*form, t), "%s enabled at load", t);
    setTimerEnabled(*form, "Timer3", true);
    CHECK(timerEnabled(*form, "Timer3"), "Timer3 not enabled");
    // Waits for the first tick (bounded so a lost timer fails instead of hanging),
    // enabling the running timer again on every pass, more often than its
    // 100 ms period: that must not put its tick off.
    for (int i = 0; i < 500 && ticks == 0; ++i) {
        pump();
        Sleep(20);
        setTimerEnabled(*form, "Timer3", true);
    }
    CHECK(ticks > 0, "Timer3 never ticked");
    setTimerEnabled(*form, "Timer3", false);
    CHECK(!timerEnabled(*form, "Timer3"), "Timer3 still enabled");

    happened.clear();
    unloadForm(*form);
    unloadForm(*form);
    CHECK(happened.size() == 2 && happened[0] == "queryUnload" && happened[1] == "unload", "unload order (%zu events)",
          happened.size());
    CHECK(!formLoaded(*form) && formWindow(*form) == nullptr, "the form is still loaded after unloading");
    CHECK(!timerEnabled(*form, "Timer3") && controlWindow(*form, "Display", 0) == nullptr, "unloaded form answers");
}

void settingsDialogLayout(Form& form) {
    RECT client;
    GetClientRect(formWindow(form), &client);
    CHECK(client.right == 496 && client.bottom == 246, "dialog client %ldx%ld", client.right, client.bottom);
    CHECK(SendMessageW(formWindow(form), WM_GETICON, ICON_BIG, 0) != 0, "the dialog has no title-bar icon");
    wchar_t title[32] = {};
    GetWindowTextW(formWindow(form), title, 32);
    CHECK(std::wcscmp(title, L"<Kestrine>") == 0, "dialog caption");
    CHECK(rectIs(controlRectPx(form, "lbl_BGM", 2), 44, 96, 60, 13), "lbl_BGM(2) rectangle");
    CHECK(rectIs(controlRectPx(form, "Cmd_Set", -1), 324, 200, 77, 25), "Cmd_Set rectangle");
    CHECK(controlWindow(form, "lbl_BGM", 2) == nullptr, "labels have no window");
    HWND panel = controlWindow(form, "Pic_C");
    CHECK(panel && GetParent(controlWindow(form, "Cmd_File")) == panel, "Cmd_File is not inside Pic_C");
    CHECK(panel && GetParent(controlWindow(form, "BGM_Repeat")) == panel, "BGM_Repeat is not inside Pic_C");
    CHECK(GetParent(controlWindow(form, "Cmd_Set")) == formWindow(form), "Cmd_Set is not on the window");
    RECT inside = {};
    GetClientRect(panel, &inside);
    CHECK(inside.right == 465 && inside.bottom == 161, "Pic_C inside %ldx%ld", inside.right, inside.bottom);
    wchar_t cls[64] = {};
    GetClassNameW(controlWindow(form, "Cmd_Can"), cls, 64);
    CHECK(std::wcscmp(cls, L"Solvane.Command") == 0, "button class");

    expectBmp(form, "Img_Ra", 0, 12, 12);
    expectBmp(form, "Img_Ra", 1, 12, 12);
    expectBmp(form, "Pic_Mbl", -1, 556, 20);
    CHECK(!savePicture(form, "Img_BGM", 0, "ui_probe.bmp"), "Img_BGM(0) has a picture at load");
    copyPicture(form, "Img_BGM", 0, "Img_Ra", 1);
    expectBmp(form, "Img_BGM", 0, 12, 12);
    CHECK(imageDC(form, "Pic_Mbl") != nullptr && imageDC(form) != nullptr, "persistent images");
    CHECK(imageDC(form, "lbl", 7) == nullptr, "a label has a persistent image");

    for (int i = 0; i <= 30; ++i) addComboItem(form, "BGM_Repeat", -1, std::to_wstring(i));
    CHECK(SendMessageW(controlWindow(form, "BGM_Repeat"), CB_GETCOUNT, 0, 0) == 31, "combo entries");
    setControlText(form, "BGM_Repeat", -1, L"12");
    CHECK(controlText(form, "BGM_Repeat", -1) == L"12", "combo text");
    CHECK(controlCaption(form, "lbl", 14) == L"曲目をﾘﾋﾟｰﾄ", "lbl(14) caption");
    CHECK(controlCaption(form, "Cmd_Set", -1) == L"設定", "Cmd_Set caption");
}

void windowlessMouse(Form& form) {
    HWND panel = controlWindow(form, "Pic_C");
    happened.clear();
    // Right press on "MP3、WAV" (44, 96 in the panel), then a left click on the link label.
    SendMessageW(panel, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(50, 100));
    SendMessageW(panel, WM_RBUTTONUP, 0, MAKELPARAM(50, 100));
    SendMessageW(panel, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(32, 60));  // Img_BGM(1)
    SendMessageW(panel, WM_MBUTTONUP, 0, MAKELPARAM(32, 60));
    SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 10));  // nothing there
    SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(300, 10));
    SendMessageW(formWindow(form), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 212));
    SendMessageW(formWindow(form), WM_LBUTTONUP, 0, MAKELPARAM(20, 212));
    // A press on the link released elsewhere is no click.
    SendMessageW(formWindow(form), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 212));
    SendMessageW(formWindow(form), WM_LBUTTONUP, 0, MAKELPARAM(300, 100));
    const std::vector<std::string> expected = {"down lbl_BGM 2 2", "down Img_BGM 1 4", "down lbl_URL -1 1",
                                               "click lbl_URL -1", "down lbl_URL -1 1"};
    CHECK(happened == expected, "windowless mouse events (%zu)", happened.size());
    if (happened != expected)
        for (const std::string& e : happened) std::printf("  got %s\n", e.c_str());

    // A disabled label takes no press.
    setControlEnabled(form, "lbl_BGM", 2, false);
    happened.clear();
    SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 100));
    SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(50, 100));
    CHECK(happened.empty(), "a disabled label took a press");
    setControlEnabled(form, "lbl_BGM", 2, true);
}

// The pointer over the link label is its own hand cursor; the screen-wide
// hourglass overrides every control's pointer.
void pointers(Form& form) {
    HWND window = formWindow(form);
    POINT onLink = {20, 212};
    ClientToScreen(window, &onLink);
    SetCursorPos(onLink.x, onLink.y);
    const LPARAM hit = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), hit);
    HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_LINK_HAND));
    CHECK(hand != nullptr && GetCursor() == hand, "no hand pointer over the link");
    setScreenPointer(ScreenPointer::Hourglass);
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), hit);
    CHECK(GetCursor() == LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)), "no hourglass over the link");
    setScreenPointer(ScreenPointer::Default);
    POINT onBackground = {300, 5};
    ClientToScreen(window, &onBackground);
    SetCursorPos(onBackground.x, onBackground.y);
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), hit);
    CHECK(GetCursor() == LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)), "no arrow over the background");
}

void buttonMessages(Form& form) {
    HWND button = controlWindow(form, "Cmd_Set");
    CHECK(commandState(button) == ButtonState::None, "state before Initialize");
    initializeButton(form, "Cmd_Set", -1);
    CHECK(commandState(button) == ButtonState::Normal, "state after Initialize");
    SetFocus(formWindow(form));
    const LPARAM inside = MAKELPARAM(10, 10);

    clicks = 0;
    SendMessageW(button, WM_MOUSEMOVE, 0, inside);
    CHECK(commandState(button) == ButtonState::HighLight, "move over: HighLight");
    SendMessageW(button, WM_RBUTTONDOWN, MK_RBUTTON, inside);
    CHECK(commandState(button) == ButtonState::HighLight && GetFocus() != button, "right press changes nothing");
    SendMessageW(button, WM_RBUTTONUP, 0, inside);
    CHECK(clicks == 1, "right release clicks (%d)", clicks);

    // A left press takes the focus first: HighLight becomes HighLightSelect.
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    CHECK(GetFocus() == button, "left press takes the focus");
    CHECK(commandState(button) == ButtonState::HighLightSelect, "press: HighLightSelect");
    SendMessageW(button, WM_LBUTTONUP, 0, inside);
    CHECK(clicks == 2, "left release clicks (%d)", clicks);

    // Pressed, dragged off, one hover tick, released: no click.
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SetCursorPos(2, 2);
    SendMessageW(button, WM_TIMER, 1, 0);
    CHECK(commandState(button) == ButtonState::Selected, "tick off the button: Selected");
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(-50, -50));
    CHECK(clicks == 2, "a dragged-off release clicked");

    // Keys do nothing.
    SendMessageW(button, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(button, WM_CHAR, VK_RETURN, 0);
    SendMessageW(button, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(button, WM_KEYUP, VK_SPACE, 0);
    CHECK(clicks == 2, "a key clicked");

    // Losing the focus: Normal. Disabled: everything ignored.
    SetFocus(formWindow(form));
    CHECK(commandState(button) == ButtonState::Normal, "focus lost: Normal");
    setControlEnabled(form, "Cmd_Set", -1, false);
    CHECK(!controlEnabled(form, "Cmd_Set", -1), "reads back disabled");
    SendMessageW(button, WM_MOUSEMOVE, 0, inside);
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageW(button, WM_LBUTTONUP, 0, inside);
    CHECK(commandState(button) == ButtonState::Normal && clicks == 2, "a disabled button reacted");
    setControlEnabled(form, "Cmd_Set", -1, true);
    CHECK(controlEnabled(form, "Cmd_Set", -1), "reads back enabled");

    // The property set as the layout would save it.
    const ButtonFont ambient{"MS Sans Serif", 8.25f, 0, false, false, false};
    PropertyBag bag;
    commandSaveProperties(button, ambient, bag);
    CHECK(bag.size() == 2 && bag[0].first == "Caption" && bag[0].second == "設定" && bag[1].first == "Font",
          "Cmd_Set saves only caption and font (%zu keys)", bag.size());
    setControlCaption(form, "Cmd_Set", -1, L"Command");
    bag.clear();
    commandSaveProperties(button, ambient, bag);
    CHECK(loadButtonProperties(bag, ambient).caption == "Command1", "Command does not come back as Command1");
    setControlCaption(form, "Cmd_Set", -1, L"設定");

    // A replaced font is what the property set saves.
    const ButtonFont bold{"Tahoma", 12.0f, 0, true, false, false};
    commandSetFont(button, bold);
    CHECK(commandFont(button) == bold, "font not replaced");
    bag.clear();
    commandSaveProperties(button, ambient, bag);
    CHECK(loadButtonProperties(bag, ambient).font == bold, "replaced font does not round-trip");
}

}  // namespace

int main() {
    CHECK(twipsPerPixelX() == 15 && twipsPerPixelY() == 15, "twips per pixel %d, %d", twipsPerPixelX(),
          twipsPerPixelY());
    saverWindow();

    FormEvents events = {};
    events.load = onLoad;
    events.click = onClick;
    events.mouseDown = onMouseDown;
    Form* dialog = loadForm(Solvane_P_Layout, events);
    CHECK(dialog != nullptr, "Solvane_P did not load");
    if (dialog) {
        showForm(*dialog, false);
        pump();
        settingsDialogLayout(*dialog);
        windowlessMouse(*dialog);
        pointers(*dialog);
        buttonMessages(*dialog);
        unloadForm(*dialog);
    }
    std::printf(failures == 0 ? "PASS\n" : "%d failures\n", failures);
    return failures;
}
