#include "frontend/ui/dpi_win32.h"

namespace {

template <class Function>
Function user32(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using AdjustForDpiCall = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using GetWindowContextCall = DPI_AWARENESS_CONTEXT(WINAPI*)(HWND);
using SetThreadContextCall = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);

}  // namespace

int systemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int windowDpi(HWND window) {
    static const auto getDpiForWindow = user32<GetDpiForWindowCall>("GetDpiForWindow");
    const int dpi = getDpiForWindow && window ? static_cast<int>(getDpiForWindow(window)) : 0;
    return dpi > 0 ? dpi : systemDpi();
}

RECT outerRect(const RECT& client, DWORD style, DWORD exStyle, int dpi) {
    static const auto adjustForDpi = user32<AdjustForDpiCall>("AdjustWindowRectExForDpi");
    RECT outer = client;
    if (!adjustForDpi || !adjustForDpi(&outer, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    return outer;
}

dpiAwarenessOf::dpiAwarenessOf(HWND window) {
    static const auto getWindowContext = user32<GetWindowContextCall>("GetWindowDpiAwarenessContext");
    static const auto setThreadContext = user32<SetThreadContextCall>("SetThreadDpiAwarenessContext");
    if (!getWindowContext || !setThreadContext || !window) return;
    const DPI_AWARENESS_CONTEXT context = getWindowContext(window);
    if (context) previous_ = setThreadContext(context);
}

dpiAwarenessOf::~dpiAwarenessOf() {
    static const auto setThreadContext = user32<SetThreadContextCall>("SetThreadDpiAwarenessContext");
    if (previous_ && setThreadContext) setThreadContext(previous_);
}
