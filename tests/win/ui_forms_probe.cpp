// The forms runtime and the custom button's window class in-process under
// Wine: layouts realised at the right pixel sizes for the screen's scale, in
// tab order, with their pictures; timers; unload order; mouse dispatch to
// windowless controls; the button driven by real window messages, its
// properties and their saving; pictures and the link's pointer drawn at the
// scale; and the dialog laid out again when the system announces a new scale.
//   ui_forms_probe REPORT [DPI]
// DPI is the screen's dots per inch the session gives (96 when left out).
// REPORT gets one "what ok|FAIL" line per check and notes on what was seen;
// exit 0 when every check passed.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "expected_contract.h"
#include "frontend/ui/button_state_win32.h"
#include "frontend/ui/forms_win32.h"
#include "frontend/ui/picture.h"
#include "frontend/ui/picture_win32.h"
#include "test_report.h"

namespace {

using test_report::check;
using test_report::note;
namespace P = Solvane_P;
namespace S = Solvane_S;

std::vector<std::string> happened;
int clicks = 0;
int ticks = 0;
int screenDpi = 96;

bool rectIs(const RECT& r, int left, int top, int width, int height);

// A point given in twips of a form's layout, in pixels at the form's scale.
LPARAM at(const Form& form, int xTwips, int yTwips) {
    return MAKELPARAM(twipsToPixels(xTwips, formDpi(form)), twipsToPixels(yTwips, formDpi(form)));
}
POINT pointAt(const Form& form, int xTwips, int yTwips) {
    return POINT{twipsToPixels(xTwips, formDpi(form)), twipsToPixels(yTwips, formDpi(form))};
}

bool sameRect(const RECT& r, const PixelRect& p) { return rectIs(r, p.left, p.top, p.width, p.height); }

std::string rowText(ControlRow control) { return std::to_string(control.row); }
std::string rowText(P::Control control) { return std::to_string(static_cast<int>(control)); }

void onClick(Form&, ControlRow control) {
    ++clicks;
    happened.push_back("click " + rowText(control));
}
void onMouseDown(Form&, ControlRow control, int button, int, float, float) {
    happened.push_back("down " + rowText(control) + " " + std::to_string(button));
}
void onTimer(Form&, ControlRow) { ++ticks; }
void onQueryUnload(Form&) { happened.push_back("queryUnload"); }
void onUnload(Form&) { happened.push_back("unload"); }
void onSaverLoad(Form& form) {
    happened.push_back(controlWindow(form, S::Display(0)) ? "load with controls" : "load without");
}

void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool rectIs(const RECT& r, int left, int top, int width, int height) {
    return r.left == left && r.top == top && r.right - r.left == width && r.bottom - r.top == height;
}

// The picture a layout row carries, decoded and written as the staging
// writes it: a 24-bit BMP with a 40-byte header at the picture's size.
void expectPicture(Picture picture, int width, int height, const char* what) {
    const char* path = "ui_probe.bmp";
    DeleteFileA(path);
    const PictureRef decoded = loadPictureResource(picture);
    const bool written = decoded && writePictureBmp(*decoded, path);
    unsigned char h[54] = {};
    FILE* f = std::fopen(path, "rb");
    const bool read = f && std::fread(h, 1, sizeof h, f) == sizeof h;
    if (f) std::fclose(f);
    auto u32 = [&](int at) { return h[at] | (h[at + 1] << 8) | (h[at + 2] << 16) | (h[at + 3] << 24); };
    note(what, std::to_string(u32(18)) + "x" + std::to_string(u32(22)) + " bits " + std::to_string(h[28]));
    check(written && read && h[0] == 'B' && h[1] == 'M' && u32(14) == 40 && h[28] == 24 && u32(18) == width &&
              u32(22) == height,
          what);
}

void saverWindow() {
    const FormEvents events = {onSaverLoad, onTimer, onQueryUnload, onUnload, nullptr, nullptr, nullptr, nullptr};
    happened.clear();
    Form* form = loadForm(Solvane_S_Layout, events);
    check(form != nullptr, "saver_loads");
    if (!form) return;
    check(!happened.empty() && happened[0] == "load with controls", "controls_exist_at_load");
    check(!IsWindowVisible(formWindow(*form)), "saver_hidden");
    char caption[64] = {};
    GetWindowTextA(formWindow(*form), caption, sizeof caption);
    check(std::string(caption) == EXPECTED_SHOW_CAPTION, "saver_caption");
    expectPicture(findRow(S::Display(0))->picture, 256, 256, "display_0_picture");
    expectPicture(findRow(S::Display(1))->picture, 1024, 256, "display_1_picture");
    expectPicture(findRow(S::Display(2))->picture, 64, 64, "display_2_picture");

    const S::Control timers[] = {S::Control::Timer1, S::Control::Timer2, S::Control::Timer3};
    check(std::none_of(std::begin(timers), std::end(timers), [&](S::Control t) { return timerEnabled(*form, t); }),
          "timers_off_at_load");
    setTimerEnabled(*form, S::Control::Timer3, true);
    check(timerEnabled(*form, S::Control::Timer3), "timer3_enabled");
    // Waits for the first tick (bounded so a lost timer fails instead of hanging),
    // enabling the running timer again on every pass, more often than its
    // 100 ms period: that must not put its tick off.
    for (int i = 0; i < 500 && ticks == 0; ++i) {
        pump();
        Sleep(20);
        setTimerEnabled(*form, S::Control::Timer3, true);
    }
    check(ticks > 0, "timer3_ticks");
    setTimerEnabled(*form, S::Control::Timer3, false);
    check(!timerEnabled(*form, S::Control::Timer3), "timer3_disabled");

    happened.clear();
    unloadForm(*form);
    unloadForm(*form);
    note("unload_events", std::to_string(happened.size()));
    check(happened == std::vector<std::string>{"queryUnload", "unload"}, "unload_order");
    check(formWindow(*form) == nullptr && controlWindow(*form, S::Display(0)) == nullptr, "unloaded");
}

// The windowed controls of one container in the real window's sibling order
// (topmost first), which the system's focus order follows.
std::vector<int> tabIndexesInWindowOrder(Form& form, HWND container) {
    std::vector<int> order;
    for (HWND child = GetWindow(container, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        for (size_t row = 0; row < Solvane_P_Layout.controlCount; ++row) {
            const ControlRow control(Solvane_P_Layout, static_cast<Row>(row));
            if (controlWindow(form, control) == child) order.push_back(findRow(control)->tabIndex);
        }
    }
    return order;
}

std::string listed(const std::vector<int>& values) {
    std::string text;
    for (int v : values) text += std::to_string(v) + " ";
    return text;
}

void tabOrder(Form& form) {
    HWND dialog = formWindow(form);
    HWND panel = controlWindow(form, P::Control::Pic_C);
    for (HWND container : {dialog, panel}) {
        const std::vector<int> order = tabIndexesInWindowOrder(form, container);
        note(container == dialog ? "dialog_window_order" : "panel_window_order", listed(order));
        check(!order.empty() && std::is_sorted(order.begin(), order.end()),
              container == dialog ? "dialog_windows_in_tab_order" : "panel_windows_in_tab_order");
    }
    // Focus moves as the tab indexes say: Cmd_Set (13) before Cmd_Can (14),
    // and in the panel BGM_Repeat (2) before Cmd_File (12).
    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    check(first == controlWindow(form, P::Control::Cmd_Set), "dialog_first_tab_stop");
    check(GetNextDlgTabItem(dialog, first, FALSE) == controlWindow(form, P::Control::Cmd_Can), "dialog_next_tab_stop");
    check(GetNextDlgTabItem(panel, nullptr, FALSE) == controlWindow(form, P::Control::BGM_Repeat),
          "panel_first_tab_stop");
}

// The dialog's client area and a few controls where its layout puts them at
// the form's scale.
void expectScaledLayout(Form& form, const char* what) {
    const int dpi = formDpi(form);
    RECT client;
    GetClientRect(formWindow(form), &client);
    const PixelRect layout = clientPixels(Solvane_P_Layout, dpi);
    note(what,
         std::to_string(dpi) + " dpi: client " + std::to_string(client.right) + "x" + std::to_string(client.bottom));
    RECT button = {};
    GetWindowRect(controlWindow(form, P::Control::Cmd_Set), &button);
    MapWindowPoints(nullptr, formWindow(form), reinterpret_cast<POINT*>(&button), 2);
    check(client.right == layout.width && client.bottom == layout.height &&
              sameRect(controlRect(form, P::lbl_BGM(2)), controlPixels(*findRow(P::lbl_BGM(2)), dpi)) &&
              sameRect(controlRect(form, P::Control::Cmd_Set), controlPixels(*findRow(P::Control::Cmd_Set), dpi)) &&
              sameRect(button, controlPixels(*findRow(P::Control::Cmd_Set), dpi)),
          what);
}

void settingsDialogLayout(Form& form) {
    note("dialog_dpi", std::to_string(formDpi(form)));
    check(formDpi(form) == screenDpi, "dialog_at_the_screens_scale");
    expectScaledLayout(form, "dialog_client_and_controls");
    if (screenDpi == 96) {
        RECT client;
        GetClientRect(formWindow(form), &client);
        check(client.right == 496 && client.bottom == 246, "dialog_client_size");
        check(rectIs(controlRect(form, P::lbl_BGM(2)), 44, 96, 60, 13), "lbl_BGM_2_rect");
        check(rectIs(controlRect(form, P::Control::Cmd_Set), 324, 200, 77, 25), "Cmd_Set_rect");
    }
    check(SendMessageW(formWindow(form), WM_GETICON, ICON_BIG, 0) != 0, "dialog_icon");
    wchar_t title[32] = {};
    GetWindowTextW(formWindow(form), title, 32);
    check(std::wstring(title) == L"" EXPECTED_DIALOG_CAPTION, "dialog_caption");
    check(controlWindow(form, P::lbl_BGM(2)) == nullptr, "labels_windowless");
    HWND panel = controlWindow(form, P::Control::Pic_C);
    check(panel && GetParent(controlWindow(form, P::Control::Cmd_File)) == panel, "Cmd_File_in_Pic_C");
    check(panel && GetParent(controlWindow(form, P::Control::BGM_Repeat)) == panel, "BGM_Repeat_in_Pic_C");
    check(GetParent(controlWindow(form, P::Control::Cmd_Set)) == formWindow(form), "Cmd_Set_on_window");
    RECT inside = {};
    GetClientRect(panel, &inside);
    const PixelRect panelRect = controlPixels(*findRow(P::Control::Pic_C), formDpi(form));
    const int edge = GetSystemMetrics(SM_CXEDGE);
    check(inside.right == panelRect.width - 2 * edge && inside.bottom == panelRect.height - 2 * edge, "Pic_C_inside");
    wchar_t text[64] = {};
    GetClassNameW(controlWindow(form, P::Control::Cmd_Can), text, 64);
    check(std::wstring(text) == L"Solvane.Command", "button_class");
    GetWindowTextW(controlWindow(form, P::Control::Cmd_Set), text, 64);
    check(std::wstring(text) == L"設定", "Cmd_Set_caption");
    check(controlCaption(form, P::Control::lbl_14) == L"曲目をﾘﾋﾟｰﾄ", "lbl_14_caption");

    expectPicture(findRow(P::Img_Ra(0))->picture, 12, 12, "Img_Ra_0_picture");
    expectPicture(findRow(P::Img_Ra(1))->picture, 12, 12, "Img_Ra_1_picture");
    expectPicture(findRow(P::Control::Pic_Mbl)->picture, 556, 20, "Pic_Mbl_picture");
    check(imageDC(form, P::Control::Pic_Mbl) != nullptr && formImageDC(form) != nullptr, "persistent_images");
    check(imageDC(form, P::Control::lbl_7) == nullptr, "labels_have_no_image");
}

void windowlessMouse(Form& form) {
    HWND panel = controlWindow(form, P::Control::Pic_C);
    happened.clear();
    // Right press on "MP3、WAV" (660, 1440 twips in the panel), then a left click on the link label.
    const LPARAM mp3 = at(form, 750, 1500), cdMark = at(form, 480, 900), nothing = at(form, 4500, 150);
    const LPARAM link = at(form, 300, 3180), elsewhere = at(form, 4500, 1500);
    SendMessageW(panel, WM_RBUTTONDOWN, MK_RBUTTON, mp3);
    SendMessageW(panel, WM_RBUTTONUP, 0, mp3);
    SendMessageW(panel, WM_MBUTTONDOWN, MK_MBUTTON, cdMark);  // Img_BGM(1)
    SendMessageW(panel, WM_MBUTTONUP, 0, cdMark);
    SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, nothing);
    SendMessageW(panel, WM_LBUTTONUP, 0, nothing);
    SendMessageW(formWindow(form), WM_LBUTTONDOWN, MK_LBUTTON, link);
    SendMessageW(formWindow(form), WM_LBUTTONUP, 0, link);
    // A press on the link released elsewhere is no click.
    SendMessageW(formWindow(form), WM_LBUTTONDOWN, MK_LBUTTON, link);
    SendMessageW(formWindow(form), WM_LBUTTONUP, 0, elsewhere);
    const std::string url = rowText(P::Control::lbl_URL);
    const std::vector<std::string> expected = {"down " + rowText(P::lbl_BGM(2)) + " 2",
                                               "down " + rowText(P::Img_BGM(1)) + " 4", "down " + url + " 1",
                                               "click " + url, "down " + url + " 1"};
    std::string seen;
    for (const std::string& e : happened) seen += e + "; ";
    note("windowless_events", seen);
    check(happened == expected, "windowless_mouse_events");

    // A disabled label takes no press.
    setControlEnabled(form, P::lbl_BGM(2), false);
    happened.clear();
    SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, mp3);
    SendMessageW(panel, WM_LBUTTONUP, 0, mp3);
    check(happened.empty(), "disabled_label_ignores_press");
    setControlEnabled(form, P::lbl_BGM(2), true);
}

// The pointer the link label shows: its own hand cursor, on a 96 dots per
// inch screen the resource itself, else its picture scaled with its hot spot.
void expectHand(Form& form, const char* what) {
    HWND window = formWindow(form);
    POINT onLink = pointAt(form, 300, 3180);
    ClientToScreen(window, &onLink);
    SetCursorPos(onLink.x, onLink.y);
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    HCURSOR shown = GetCursor();
    ICONINFO info = {};
    BITMAP bitmap = {};
    if (shown && GetIconInfo(shown, &info)) {
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
    }
    const int dpi = formDpi(form);
    note(what, std::to_string(bitmap.bmWidth) + " wide, hot spot " + std::to_string(info.xHotspot) + " " +
                   std::to_string(info.yHotspot));
    if (dpi == 96 && screenDpi == 96) {
        check(shown && shown == LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_LINK_HAND)), what);
    } else {
        check(shown && bitmap.bmWidth == picturePixels(32, dpi) &&
                  static_cast<int>(info.xHotspot) == picturePixels(12, dpi) &&
                  static_cast<int>(info.yHotspot) == picturePixels(10, dpi),
              what);
    }
}

// The pointer over the link label is its own hand cursor; the screen-wide
// hourglass overrides every control's pointer.
void pointers(Form& form) {
    HWND window = formWindow(form);
    const LPARAM hit = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    expectHand(form, "hand_over_link");
    setScreenPointer(ScreenPointer::Hourglass);
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), hit);
    check(GetCursor() == LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)), "hourglass_over_link");
    setScreenPointer(ScreenPointer::Default);
    POINT onBackground = pointAt(form, 4500, 75);
    ClientToScreen(window, &onBackground);
    SetCursorPos(onBackground.x, onBackground.y);
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), hit);
    check(GetCursor() == LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)), "arrow_over_background");
}

void buttonMessages(Form& form) {
    HWND button = controlWindow(form, P::Control::Cmd_Set);
    check(commandState(button) == ButtonState::None, "state_before_Initialize");
    initializeButton(form, P::Control::Cmd_Set);
    check(commandState(button) == ButtonState::Normal, "state_after_Initialize");
    SetFocus(formWindow(form));
    const LPARAM inside = MAKELPARAM(10, 10);

    clicks = 0;
    SendMessageW(button, WM_MOUSEMOVE, 0, inside);
    check(commandState(button) == ButtonState::HighLight, "move_over_HighLight");
    SendMessageW(button, WM_RBUTTONDOWN, MK_RBUTTON, inside);
    check(commandState(button) == ButtonState::HighLight && GetFocus() != button, "right_press_changes_nothing");
    SendMessageW(button, WM_RBUTTONUP, 0, inside);
    check(clicks == 1, "right_release_clicks");

    // A left press takes the focus first: HighLight becomes HighLightSelect.
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    check(GetFocus() == button, "left_press_takes_focus");
    check(commandState(button) == ButtonState::HighLightSelect, "press_HighLightSelect");
    SendMessageW(button, WM_LBUTTONUP, 0, inside);
    check(clicks == 2, "left_release_clicks");

    // Pressed, dragged off, one hover tick, released: no click.
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SetCursorPos(2, 2);
    SendMessageW(button, WM_TIMER, 1, 0);
    check(commandState(button) == ButtonState::Selected, "tick_off_button_Selected");
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(-50, -50));
    check(clicks == 2, "dragged_off_release_no_click");

    // Keys do nothing.
    SendMessageW(button, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(button, WM_CHAR, VK_RETURN, 0);
    SendMessageW(button, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(button, WM_KEYUP, VK_SPACE, 0);
    check(clicks == 2, "keys_do_not_click");

    // Losing the focus: Normal. Disabled: everything ignored.
    SetFocus(formWindow(form));
    check(commandState(button) == ButtonState::Normal, "focus_lost_Normal");
    setControlEnabled(form, P::Control::Cmd_Set, false);
    SendMessageW(button, WM_MOUSEMOVE, 0, inside);
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageW(button, WM_LBUTTONUP, 0, inside);
    check(commandState(button) == ButtonState::Normal && clicks == 2, "disabled_button_ignores_mouse");
    check(!commandEnabled(button), "reads_back_disabled");
    setControlEnabled(form, P::Control::Cmd_Set, true);
    check(commandEnabled(button), "reads_back_enabled");
    SendMessageW(button, WM_MOUSEMOVE, 0, inside);
    SendMessageW(button, WM_RBUTTONUP, 0, inside);
    check(commandState(button) == ButtonState::HighLight && clicks == 3, "enabled_again_reacts");
}

// The colour of one pixel of a window as it shows on the screen.
COLORREF shownPixel(HWND window, int x, int y) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

// The properties as a layout saves and loads them, and the background style.
void buttonProperties(Form& form) {
    HWND button = controlWindow(form, P::Control::Cmd_Set);
    const FontDesc ambient = {"MS Sans Serif", 8.25f, 0, false, false, false};
    StoredButtonProperties stored = commandSaveProperties(button, ambient);
    note("Cmd_Set_stored_keys", std::to_string(stored.size()));
    check(stored.size() == 2 && stored[0].key == ButtonProperty::Caption && stored[1].key == ButtonProperty::Font,
          "Cmd_Set_stores_caption_and_font");
    check(Command::readProperties(stored, ambient).caption == "設定", "caption_round_trips");
    commandSetCaption(button, L"Command");
    stored = commandSaveProperties(button, ambient);
    check(Command::readProperties(stored, ambient).caption == "Command1", "Command_reads_back_as_Command1");
    commandSetCaption(button, L"設定");

    // A replaced font is what the property set saves.
    const FontDesc bold = {"Tahoma", 12.0f, 0, true, false, false};
    commandSetFont(button, bold);
    check(commandFont(button) == bold, "font_replaced");
    stored = commandSaveProperties(button, ambient);
    check(Command::readProperties(stored, ambient).font == bold, "replaced_font_round_trips");
    commandSetFont(button, kGothicFont);

    commandSetFontColour(button, RGB(200, 0, 0));
    check(commandFontColour(button) == RGB(200, 0, 0), "font_colour");
    commandSetFontColour(button, 0);

    // Transparent: the container shows through the face (the dialog's light
    // grey at the frame's corner), the caption stays; opaque: the face again.
    const COLORREF frame = shownPixel(button, 1, 1);
    commandSetVisible(button, false);
    check(!commandVisible(button), "reads_transparent");
    const COLORREF behind = shownPixel(button, 1, 1);
    RECT client;
    GetClientRect(button, &client);
    int dark = 0;
    for (int x = 0; x < client.right; ++x)
        if (GetRValue(shownPixel(button, x, client.bottom / 2)) < 100) ++dark;
    note("transparent_frame", std::to_string(GetRValue(frame)) + " " + std::to_string(GetGValue(frame)) + " " +
                                  std::to_string(GetBValue(frame)) + " -> " + std::to_string(GetRValue(behind)) + " " +
                                  std::to_string(GetGValue(behind)) + " " + std::to_string(GetBValue(behind)));
    note("transparent_caption_dark_pixels", std::to_string(dark));
    check(behind == RGB(192, 192, 192) && frame != behind, "transparent_shows_the_container");
    check(dark > 0, "transparent_keeps_the_caption");
    commandSetVisible(button, true);
    check(commandVisible(button) && shownPixel(button, 1, 1) == frame, "opaque_shows_the_face");
}

// The side of the square around the pixels of a mark that differ from the
// panel's grey (the radio pictures are drawn on that grey).
int markSide(Form& form, ControlRow mark) {
    HWND panel = controlWindow(form, P::Control::Pic_C);
    RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const RECT r = controlRect(form, mark);
    HDC dc = GetDC(panel);
    int left = r.right, right = r.left - 1;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            if (std::abs(GetRValue(c) - 224) + std::abs(GetGValue(c) - 224) + std::abs(GetBValue(c) - 224) > 24) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    ReleaseDC(panel, dc);
    return right - left + 1;
}

// Pictures shown at the form's scale: a mark is the radio picture's 12
// pixels times dpi / 96 across (its edge may blend into the grey), the
// metal tile fills its holder, the link's pointer is scaled.
void scaledPictures(Form& form, const std::string& when) {
    const int dpi = formDpi(form);
    copyPicture(form, P::Img_BGM(0), P::Img_Ra(1));
    const int side = markSide(form, P::Img_BGM(0));
    note(("mark_side_" + when).c_str(), std::to_string(side) + " at " + std::to_string(dpi) + " dpi");
    check(side >= picturePixels(12, dpi) - 2 && side <= picturePixels(12, dpi), ("mark_at_scale_" + when).c_str());
    HDC tile = imageDC(form, P::Control::Pic_Mbl);
    const COLORREF corner = tile ? GetPixel(tile, picturePixels(556, dpi) - 2, picturePixels(20, dpi) - 2) : 0;
    check(tile && corner != RGB(255, 255, 255) && corner != CLR_INVALID, ("tile_at_scale_" + when).c_str());
    expectHand(form, ("hand_at_scale_" + when).c_str());
}

// The system announces a new scale (the window moved to another monitor):
// the dialog lays itself out again, and back. 96 and 144 dots per inch both
// fit the test screen.
void rescaling(Form& form) {
    HWND window = formWindow(form);
    const int original = formDpi(form);
    for (int dpi : {original == 96 ? 144 : 96, original}) {
        const PixelRect client = clientPixels(Solvane_P_Layout, dpi);
        RECT suggested = {0, 0, client.width, client.height};
        AdjustWindowRectEx(&suggested, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
        OffsetRect(&suggested, 20 - suggested.left, 20 - suggested.top);
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        const std::string when = "rescaled_to_" + std::to_string(dpi);
        check(formDpi(form) == dpi, (when + "_dpi").c_str());
        expectScaledLayout(form, (when + "_layout").c_str());
        scaledPictures(form, when);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || !test_report::open(argv[1])) return 2;
    if (argc > 2) screenDpi = std::atoi(argv[2]);
    saverWindow();

    FormEvents events = {};
    events.click = onClick;
    events.mouseDown = onMouseDown;
    Form* dialog = loadForm(Solvane_P_Layout, events);
    check(dialog != nullptr, "dialog_loads");
    if (dialog) {
        showForm(*dialog, false);
        pump();
        settingsDialogLayout(*dialog);
        tabOrder(*dialog);
        windowlessMouse(*dialog);
        pointers(*dialog);
        buttonMessages(*dialog);
        buttonProperties(*dialog);
        scaledPictures(*dialog, "at_load");
        rescaling(*dialog);
        unloadForm(*dialog);
    }
    return test_report::finish();
}
