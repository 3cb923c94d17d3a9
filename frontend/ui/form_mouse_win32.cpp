// The forms runtime's mouse dispatch: windowless controls (labels, images)
// have no window, so their container hit-tests each press and release and
// raises MouseDown and Click for them; it also chooses the pointer.
//
// Sections: hit testing; presses and releases; the pointer.
#include "frontend/ui/form_records_win32.h"

namespace {

ScreenPointer screenPointer = ScreenPointer::Default;

// ---- Hit testing.

// The topmost windowless control under a point of a container (later controls
// lie above earlier ones), or -1.
int hitTest(const Form& form, Row container, POINT p) {
    for (int i = static_cast<int>(form.controls.size()) - 1; i >= 0; --i) {
        const Control& c = form.controls[static_cast<size_t>(i)];
        const ControlKind k = c.layout->kind;
        if (c.layout->container != container || !c.enabled) continue;
        if (k != ControlKind::Label && k != ControlKind::Image) continue;
        if (PtInRect(&c.rect, p)) return i;
    }
    return -1;
}

// ---- Presses and releases.

int shiftOf(WPARAM keys) {
    return ((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) | ((GetKeyState(VK_MENU) < 0) ? 4 : 0);
}

ControlRow rowOfControl(const Form& form, int index) { return ControlRow(*form.layout, static_cast<Row>(index)); }

// Windowless controls get MouseDown for any button and Click for a left press
// and release on them. Nothing of the form is touched after a handler ran: it
// may have unloaded the form.
void pressOrRelease(Form& form, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const Row container = containerOf(form, window);
    const POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const int button = mouseButtonOf(message);
    const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
    if (down) {
        // A picture box takes the focus when pressed, as its container's active control.
        if (GetFocus() != window) SetFocus(window);
        SetCapture(window);
        const int hit = hitTest(form, container, p);
        if (button == kMouseLeft) form.pressed = hit;
        if (hit >= 0 && form.events.mouseDown) {
            const RECT& r = form.controls[static_cast<size_t>(hit)].rect;
            form.events.mouseDown(form, rowOfControl(form, hit), button, shiftOf(wParam),
                                  static_cast<float>(p.x - r.left), static_cast<float>(p.y - r.top));
        }
        return;
    }
    if (!anyMouseButtonHeld(wParam) && GetCapture() == window) ReleaseCapture();
    if (button != kMouseLeft) return;
    const int pressed = form.pressed;
    form.pressed = -1;
    if (pressed >= 0 && hitTest(form, container, p) == pressed && form.events.click)
        form.events.click(form, rowOfControl(form, pressed));
}

// ---- The pointer.

HCURSOR systemCursor(ScreenPointer pointer) {
    return LoadCursorW(nullptr, MAKEINTRESOURCEW(pointer == ScreenPointer::Hourglass ? 32514 : 32512));
}

void setContainerCursor(Form& form, HWND window) {
    if (screenPointer == ScreenPointer::Hourglass) {
        SetCursor(systemCursor(ScreenPointer::Hourglass));
        return;
    }
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(window, &p);
    const int hit = hitTest(form, containerOf(form, window), p);
    HCURSOR cursor = hit >= 0 ? form.controls[static_cast<size_t>(hit)].cursor : nullptr;
    SetCursor(cursor ? cursor : systemCursor(ScreenPointer::Default));
}

}  // namespace

bool containerMouse(Form& form, HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            pressOrRelease(form, window, message, wParam, lParam);
            result = 0;
            return true;
        case WM_SETCURSOR:
            if (LOWORD(lParam) != HTCLIENT || reinterpret_cast<HWND>(wParam) != window) return false;
            setContainerCursor(form, window);
            result = TRUE;
            return true;
    }
    return false;
}

void setScreenPointer(ScreenPointer pointer) {
    screenPointer = pointer;
    SetCursor(systemCursor(pointer));
}
