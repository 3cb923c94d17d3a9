#include "frontend/window_animation_win32.h"

#include "frontend/program_state.h"

namespace {

RECT cursorPoint() {
    RECT point = {CursorX, CursorY, CursorX, CursorY};
    return point;
}

}  // namespace

void AnimateOpen(HWND hWnd) {
    RECT window = {0, 0, 0, 0};
    GetWindowRect(hWnd, &window);
    const RECT from = cursorPoint();
    DrawAnimatedRects(hWnd, IDANI_CAPTION, &from, &window);
}

void AnimateClose(HWND hWnd) {
    RECT window = {0, 0, 0, 0};
    GetWindowRect(hWnd, &window);
    const RECT to = cursorPoint();
    DrawAnimatedRects(hWnd, IDANI_CAPTION, &window, &to);
}
