// The custom button's window: turns window messages into the state machine's
// notifications and draws the faces it asks for. No keys are handled.
//
// Sections: the button record; DrawFace and PaintGradient; painting the
// caption; the window procedure; creation; the public members.
#include "frontend/ui/button_state_win32.h"

#include <cstring>

#include "frontend/ui/control_primitives_win32.h"
#include "frontend/ui/layouts.h"
#include "frontend/ui/picture_win32.h"

namespace {

const wchar_t kClassName[] = L"Solvane.Command";
const UINT_PTR kHoverTimer = 1;

// The caption is the window's text.
struct CommandButton {
    HWND window = nullptr;
    ButtonMachine machine;
    CommandButtonHost host;
    FontDesc font = {};
    int dpi = 96;              // the scale of its form
    HFONT madeFont = nullptr;  // font, made at dpi
    COLORREF fontColour = 0;
    bool opaque = true;  // the background style that Visible sets
    bool captionEnabled = true;
    Surface surface;
    RECT captionRect = {0, 0, 0, 0};
    PictureRef faces[7];  // indexed by ButtonFace
};

CommandButton* buttonOf(HWND window) {
    if (!window) return nullptr;
    wchar_t name[32] = {};
    if (!GetClassNameW(window, name, 32) || std::wcscmp(name, kClassName) != 0) return nullptr;
    return reinterpret_cast<CommandButton*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

int px(const CommandButton& b, int twips) { return twipsToPixels(twips, b.dpi); }

}  // namespace

// ---- DrawFace and PaintGradient.

namespace Command {
namespace {

// The lavender grey &HC6C5D7 read as red, green, blue, and white.
void PaintGradient(CommandButton& b, int width, int height) {
    const COLOR16 lavender[3] = {0xC600, 0xC500, 0xD700};
    const COLOR16 white[3] = {0xFF00, 0xFF00, 0xFF00};
    const COLOR16* top = b.machine.invertGradient ? lavender : white;
    const COLOR16* bottom = b.machine.invertGradient ? white : lavender;
    TRIVERTEX v[2] = {};
    v[0].x = 0;
    v[0].y = 0;
    v[0].Red = top[0];
    v[0].Green = top[1];
    v[0].Blue = top[2];
    v[1].x = width - 1;
    v[1].y = height - 1;
    v[1].Red = bottom[0];
    v[1].Green = bottom[1];
    v[1].Blue = bottom[2];
    GRADIENT_RECT rect = {0, 1};
    GradientFill(b.surface.dc, v, 2, &rect, 1, GRADIENT_FILL_RECT_V);
}

// The gradient, then the picture's outer border stretched around the edge in
// eight pieces, then the caption's place. The picture is drawn at the
// button's scale (64 x 25 pixels are 960 x 375 twips), so the pieces' source
// rectangles are twips of the picture.
void DrawFace(CommandButton& b, ButtonFace face) {
    if (face == ButtonFace::NoFace) return;
    takeGradientDirection(b.machine);
    RECT client;
    GetClientRect(b.window, &client);
    const int w = client.right, h = client.bottom;
    if (w <= 0 || h <= 0 || !growSurface(b.surface, w, h, GetSysColor(COLOR_BTNFACE))) return;

    RECT all = {0, 0, b.surface.width, b.surface.height};
    FillRect(b.surface.dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    PaintGradient(b, w, h);

    const PictureRef picture = pictureAtDpi(b.faces[static_cast<int>(face)], b.dpi);
    if (picture) {
        const int e = px(b, 60);  // the border's width on screen
        struct Piece {
            int sx, sy, sw, sh, dx, dy, dw, dh;
        };
        const Piece pieces[8] = {
            {0, 0, 60, 60, 0, 0, e, e},                  // top-left corner
            {60, 0, 840, 60, e, 0, w - 2 * e, e},        // top edge
            {900, 0, 60, 60, w - e, 0, e, e},            // top-right corner
            {900, 60, 60, 255, w - e, e, e, h - 2 * e},  // right edge
            {900, 315, 60, 60, w - e, h - e, e, e},      // bottom-right corner
            {60, 315, 840, 60, e, h - e, w - 2 * e, e},  // bottom edge
            {0, 315, 60, 60, 0, h - e, e, e},            // bottom-left corner
            {0, 60, 60, 255, 0, e, e, h - 2 * e},        // left edge
        };
        for (const Piece& p : pieces) {
            const int sx = px(b, p.sx), sy = px(b, p.sy);
            drawPicture(b.surface.dc, *picture, p.dx, p.dy, p.dw, p.dh, sx, sy, px(b, p.sx + p.sw) - sx,
                        px(b, p.sy + p.sh) - sy);
        }
    }
    InvalidateRect(b.window, nullptr, FALSE);

    // The caption label: 195 twips high, centred vertically 20 twips above the middle.
    const int labelTop = (pixelsToTwips(h, b.dpi) - 195 - 20) / 2;
    b.captionRect = {0, px(b, labelTop), w, px(b, labelTop) + px(b, 195)};
}

}  // namespace
}  // namespace Command

// ---- Painting the caption over the face.

namespace {

void apply(CommandButton& b, const ButtonReaction& r) {
    if (r.blackCaption) b.fontColour = 0;
    if (r.face == ButtonFace::NoFace) return;
    b.captionEnabled = r.captionEnabled;
    Command::DrawFace(b, r.face);
}

void paint(CommandButton& b) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(b.window, &ps);
    RECT client;
    GetClientRect(b.window, &client);
    if (!b.opaque && b.host.paintBehind)
        b.host.paintBehind(b.window, dc);
    else if (b.opaque && b.surface.dc)
        BitBlt(dc, 0, 0, client.right, client.bottom, b.surface.dc, 0, 0, SRCCOPY);

    wchar_t caption[256] = {};
    GetWindowTextW(b.window, caption, 256);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, b.madeFont ? b.madeFont : GetStockObject(DEFAULT_GUI_FONT));
    const UINT format = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
    drawCaptionText(dc, caption, b.captionRect, format, b.captionEnabled, b.fontColour);
    SelectObject(dc, oldFont);
    EndPaint(b.window, &ps);
}

// ---- The window procedure.

LRESULT CALLBACK buttonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CommandButton* b = reinterpret_cast<CommandButton*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!b) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
        case WM_PAINT: paint(*b); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_SIZE: apply(*b, Command::ApplyEnabled(b->machine)); return 0;
        case WM_MOUSEMOVE: apply(*b, Command::mouseMove(b->machine)); return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            // A left press takes the focus first, as a push button does.
            if (message == WM_LBUTTONDOWN && b->machine.enabled && GetFocus() != window) SetFocus(window);
            SetCapture(window);
            apply(*b, Command::mouseDown(b->machine, mouseButtonOf(message)));
            return 0;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            if (!anyMouseButtonHeld(wParam) && GetCapture() == window) ReleaseCapture();
            const ButtonReaction r = Command::mouseUp(b->machine, mouseButtonOf(message));
            apply(*b, r);
            // Last: the Click may close the form and destroy this window.
            if (r.click && b->host.click) b->host.click(b->host.context);
            return 0;
        }
        case WM_SETFOCUS: apply(*b, Command::focusGained(b->machine)); return 0;
        case WM_KILLFOCUS: apply(*b, Command::focusLost(b->machine)); return 0;
        case WM_TIMER:
            if (wParam == kHoverTimer) {
                POINT cursor;
                bool over = true;
                if (GetCursorPos(&cursor)) over = WindowFromPoint(cursor) == window;
                apply(*b, Command::TmrMouse_Timer(b->machine, over));
            }
            return 0;
        case WM_GETDLGCODE: return 0;
        case WM_NCDESTROY:
            KillTimer(window, kHoverTimer);
            freeSurface(b->surface);
            if (b->madeFont) DeleteObject(b->madeFont);
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            delete b;
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool registerClass() {
    static bool registered = false;
    if (registered) return true;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = buttonProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.lpszClassName = kClassName;
    registered = RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return registered;
}

}  // namespace

// ---- Creation.

namespace {

// Replaces the caption's font; false (keeping the old one) when the platform
// cannot make it.
bool takeFont(CommandButton& b, const FontDesc& font) {
    HFONT made = createFont(font, b.dpi);
    if (!made) return false;
    if (b.madeFont) DeleteObject(b.madeFont);
    b.madeFont = made;
    b.font = font;
    return true;
}

}  // namespace

HWND createCommandButton(HWND parent, int x, int y, int width, int height, int controlId,
                         const StoredButtonProperties& stored, const FontDesc& ambient, int dpi,
                         const CommandButtonHost& host) {
    if (!registerClass()) return nullptr;
    CommandButton* b = new CommandButton;
    b->host = host;
    b->dpi = dpi;
    for (int f = 1; f < 7; ++f) b->faces[f] = loadPictureResource(buttonFacePicture(static_cast<ButtonFace>(f)));

    // Loading from the layout: the keys in reading order, applied.
    const ButtonProperties p = Command::readProperties(stored, ambient);
    b->machine.enabled = p.enabled;
    takeFont(*b, p.font);
    b->machine.firstRun = p.firstRun;
    b->fontColour = static_cast<COLORREF>(p.fontColour);
    b->opaque = p.visible != 0;

    HWND window = CreateWindowExW(
        0, kClassName, widenUtf8(p.caption).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, x, y, width,
        height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), GetModuleHandleW(nullptr), nullptr);
    if (!window) {
        if (b->madeFont) DeleteObject(b->madeFont);
        delete b;
        return nullptr;
    }
    b->window = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(b));
    apply(*b, Command::RefreshFace(b->machine));
    // Then the container gives it its size: Resize runs ApplyEnabled.
    apply(*b, Command::ApplyEnabled(b->machine));
    return window;
}

// ---- The public members.

void commandInitialize(HWND button) {
    CommandButton* b = buttonOf(button);
    if (!b) return;
    apply(*b, Command::Initialize(b->machine));
    SetTimer(b->window, kHoverTimer, 100, nullptr);
}

void commandSetEnabled(HWND button, bool enabled) {
    if (CommandButton* b = buttonOf(button)) apply(*b, Command::setEnabled(b->machine, enabled));
}

bool commandEnabled(HWND button) {
    CommandButton* b = buttonOf(button);
    if (!b) return false;
    ButtonReaction redraw;
    const bool enabled = Command::readEnabled(b->machine, redraw);
    apply(*b, redraw);
    return enabled;
}

void commandSetCaption(HWND button, const std::wstring& caption) {
    // The face is not redrawn; the caption shows the new text.
    if (CommandButton* b = buttonOf(button)) {
        SetWindowTextW(b->window, caption.c_str());
        InvalidateRect(b->window, &b->captionRect, FALSE);
    }
}

std::wstring commandCaption(HWND button) {
    CommandButton* b = buttonOf(button);
    if (!b) return std::wstring();
    wchar_t caption[256] = {};
    GetWindowTextW(b->window, caption, 256);
    return caption;
}

void commandSetFont(HWND button, const FontDesc& font) {
    CommandButton* b = buttonOf(button);
    if (b && takeFont(*b, font)) InvalidateRect(b->window, nullptr, FALSE);
}

FontDesc commandFont(HWND button) {
    CommandButton* b = buttonOf(button);
    return b ? b->font : FontDesc{};
}

void commandSetFontColour(HWND button, COLORREF colour) {
    if (CommandButton* b = buttonOf(button)) {
        b->fontColour = colour;
        apply(*b, Command::RefreshFace(b->machine));
        InvalidateRect(b->window, nullptr, FALSE);
    }
}

COLORREF commandFontColour(HWND button) {
    CommandButton* b = buttonOf(button);
    if (!b) return 0;
    const COLORREF colour = b->fontColour;
    apply(*b, Command::RefreshFace(b->machine));
    return colour;
}

void commandSetVisible(HWND button, bool visible) {
    CommandButton* b = buttonOf(button);
    if (!b) return;
    b->opaque = visible;
    if (visible) apply(*b, Command::RefreshFace(b->machine));
    InvalidateRect(b->window, nullptr, FALSE);
}

bool commandVisible(HWND button) {
    CommandButton* b = buttonOf(button);
    if (!b) return false;
    if (b->opaque) apply(*b, Command::RefreshFace(b->machine));
    return b->opaque;
}

StoredButtonProperties commandSaveProperties(HWND button, const FontDesc& ambient) {
    CommandButton* b = buttonOf(button);
    if (!b) return {};
    ButtonProperties p;
    p.enabled = b->machine.enabled;
    p.caption = narrowUtf8(commandCaption(button));
    p.firstRun = b->machine.firstRun;
    p.font = b->font;
    p.fontColour = b->fontColour;
    p.visible = b->opaque ? 1 : 0;
    const StoredButtonProperties stored = Command::saveProperties(p, ambient);
    apply(*b, Command::RefreshFace(b->machine));
    return stored;
}

void commandSetDpi(HWND button, int dpi) {
    CommandButton* b = buttonOf(button);
    if (!b || dpi == b->dpi) return;
    b->dpi = dpi;
    takeFont(*b, b->font);
}

ButtonState commandState(HWND button) {
    CommandButton* b = buttonOf(button);
    return b ? b->machine.state : ButtonState::None;
}
