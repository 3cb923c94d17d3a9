// The custom button's window: turns window messages into the state machine's
// notifications and draws the faces it asks for. No keys are handled.
#include "frontend/ui/command_button_win32.h"

#include <cmath>
#include <cstring>

#include "frontend/ui/forms.h"
#include "frontend/ui/layouts.h"
#include "frontend/ui/picture_win32.h"

namespace {

const wchar_t kClassName[] = L"Solvane.Command";
const UINT_PTR kHoverTimer = 1;

struct CommandButton {
    HWND window = nullptr;
    ButtonMachine machine;
    CommandButtonHost host;
    std::wstring caption;
    ButtonFont fontSpec;
    HFONT font = nullptr;
    COLORREF fontColour = 0;
    bool opaque = true;
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

// The face pictures come from the button's own layout.
PictureRef facePicture(ButtonFace face) {
    static const char* const names[7] = {nullptr,           "Normal",  "HighLight", "Selected",
                                         "HighLightSelect", "Pressed", "Disable"};
    const char* name = names[static_cast<int>(face)];
    const ControlLayout* c = name ? findControl(Command_Layout, name, -1) : nullptr;
    return c ? loadPictureResource(c->picture) : nullptr;
}

std::wstring fromUtf8(const std::string& s) { return widenUtf8(s); }

HFONT makeFont(const ButtonFont& f) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    LOGFONTW lf = {};
    lf.lfHeight = -static_cast<LONG>(std::lround(f.points * dpi / 72.0));
    lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = f.italic;
    lf.lfUnderline = f.underline;
    lf.lfCharSet = static_cast<BYTE>(f.charset);
    lf.lfQuality = DEFAULT_QUALITY;
    const std::wstring face = fromUtf8(f.face);
    wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&lf);
}

int px(int twips) { return twipsToPixels(twips, twipsPerPixelY()); }

// PaintGradient: lavender grey &HC6C5D7 read as red, green, blue, and white.
void paintGradient(CommandButton& b, int width, int height) {
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

// DrawFace: the gradient, then the picture's outer border stretched around
// the edge in eight pieces (source in the 64 x 25 picture's pixels, which are
// the design's twips at 15 per pixel).
void drawFace(CommandButton& b, ButtonFace face) {
    if (face == ButtonFace::NoFace) return;
    buttonUpdateGradient(b.machine);
    RECT client;
    GetClientRect(b.window, &client);
    const int w = client.right, h = client.bottom;
    if (w <= 0 || h <= 0 || !growSurface(b.surface, w, h, GetSysColor(COLOR_BTNFACE))) return;

    RECT all = {0, 0, b.surface.width, b.surface.height};
    FillRect(b.surface.dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    paintGradient(b, w, h);

    const PictureRef& picture = b.faces[static_cast<int>(face)];
    if (picture) {
        const int e = px(60);  // the border's width on screen
        struct Piece {
            int sx, sy, sw, sh, dx, dy, dw, dh;
        };
        const Piece pieces[8] = {
            {0, 0, 4, 4, 0, 0, e, e},                // top-left corner
            {4, 0, 56, 4, e, 0, w - 2 * e, e},       // top edge
            {60, 0, 4, 4, w - e, 0, e, e},           // top-right corner
            {60, 4, 4, 17, w - e, e, e, h - 2 * e},  // right edge
            {60, 21, 4, 4, w - e, h - e, e, e},      // bottom-right corner
            {4, 21, 56, 4, e, h - e, w - 2 * e, e},  // bottom edge
            {0, 21, 4, 4, 0, h - e, e, e},           // bottom-left corner
            {0, 4, 4, 17, 0, e, e, h - 2 * e},       // left edge
        };
        for (const Piece& p : pieces)
            drawPicture(b.surface.dc, *picture, p.dx, p.dy, p.dw, p.dh, p.sx, p.sy, p.sw, p.sh);
    }
    InvalidateRect(b.window, nullptr, FALSE);

    // The caption label: 195 twips high, centred vertically 20 twips above the middle.
    const int tpp = twipsPerPixelY();
    const int labelTop = (h * tpp - 195 - 20) / 2;
    b.captionRect = {0, px(labelTop), w, px(labelTop) + px(195)};
}

void apply(CommandButton& b, const ButtonReaction& r) {
    if (r.blackCaption) b.fontColour = 0;
    if (r.face != ButtonFace::NoFace) {
        b.captionEnabled = r.captionEnabled;
        drawFace(b, r.face);
    }
}

void paint(CommandButton& b) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(b.window, &ps);
    RECT client;
    GetClientRect(b.window, &client);
    if (b.opaque && b.surface.dc)
        BitBlt(dc, 0, 0, client.right, client.bottom, b.surface.dc, 0, 0, SRCCOPY);
    else
        paintContainerBehind(b.window, dc);

    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, b.font ? b.font : GetStockObject(DEFAULT_GUI_FONT));
    RECT text = b.captionRect;
    const UINT format = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
    if (b.captionEnabled) {
        SetTextColor(dc, b.fontColour);
        DrawTextW(dc, b.caption.c_str(), -1, &text, format);
    } else {
        // Greyed as the platform draws disabled text: a light copy below right.
        OffsetRect(&text, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        DrawTextW(dc, b.caption.c_str(), -1, &text, format);
        OffsetRect(&text, -1, -1);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        DrawTextW(dc, b.caption.c_str(), -1, &text, format);
    }
    SelectObject(dc, oldFont);
    EndPaint(b.window, &ps);
}

int buttonOfMessage(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP: return kButtonLeft;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: return kButtonRight;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP: return kButtonMiddle;
    }
    return 0;
}

bool anyButtonHeld(WPARAM keys) { return (keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0; }

LRESULT CALLBACK buttonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CommandButton* b = reinterpret_cast<CommandButton*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!b) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
        case WM_PAINT: paint(*b); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_SIZE: apply(*b, buttonApplyEnabled(b->machine)); return 0;
        case WM_MOUSEMOVE: apply(*b, buttonMouseMove(b->machine)); return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            // A left press takes the focus first, as a push button does.
            if (message == WM_LBUTTONDOWN && b->machine.enabled && GetFocus() != window) SetFocus(window);
            SetCapture(window);
            apply(*b, buttonMouseDown(b->machine, buttonOfMessage(message)));
            return 0;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            if (!anyButtonHeld(wParam) && GetCapture() == window) ReleaseCapture();
            const ButtonReaction r = buttonMouseUp(b->machine, buttonOfMessage(message));
            apply(*b, r);
            // Last: the Click may close the form and destroy this window.
            if (r.click && b->host.click) b->host.click(b->host.context);
            return 0;
        }
        case WM_SETFOCUS: apply(*b, buttonFocusGained(b->machine)); return 0;
        case WM_KILLFOCUS: apply(*b, buttonFocusLost(b->machine)); return 0;
        case WM_TIMER:
            if (wParam == kHoverTimer) {
                POINT cursor;
                bool over = true;
                if (GetCursorPos(&cursor)) over = WindowFromPoint(cursor) == window;
                apply(*b, buttonTimerTick(b->machine, over));
            }
            return 0;
        case WM_GETDLGCODE: return 0;
        case WM_NCDESTROY:
            KillTimer(window, kHoverTimer);
            freeSurface(b->surface);
            if (b->font) DeleteObject(b->font);
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

HWND createCommandButton(HWND parent, int x, int y, int width, int height, int controlId, const PropertyBag& bag,
                         const ButtonFont& ambient, const CommandButtonHost& host) {
    if (!registerClass()) return nullptr;
    CommandButton* b = new CommandButton;
    b->host = host;
    for (int f = 1; f < 7; ++f) b->faces[f] = facePicture(static_cast<ButtonFace>(f));

    // Loading from the layout: the six keys in reading order, then RefreshFace.
    const ButtonProperties p = loadButtonProperties(bag, ambient);
    b->machine.enabled = p.enabled;
    b->caption = fromUtf8(p.caption);
    b->fontSpec = p.font;
    b->font = makeFont(p.font);
    b->machine.firstRun = p.firstRun;
    b->fontColour = static_cast<COLORREF>(p.fontColour);
    b->opaque = p.visible != 0;

    HWND window = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, x, y, width,
                                  height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                                  GetModuleHandleW(nullptr), nullptr);
    if (!window) {
        if (b->font) DeleteObject(b->font);
        delete b;
        return nullptr;
    }
    b->window = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(b));
    apply(*b, buttonRefreshFace(b->machine));
    if (!b->machine.enabled) apply(*b, buttonApplyEnabled(b->machine));
    return window;
}

void commandInitialize(HWND button) {
    CommandButton* b = buttonOf(button);
    if (!b) return;
    apply(*b, buttonInitialize(b->machine));
    SetTimer(b->window, kHoverTimer, 100, nullptr);
}

void commandSetEnabled(HWND button, bool enabled) {
    if (CommandButton* b = buttonOf(button)) apply(*b, buttonSetEnabled(b->machine, enabled));
}

bool commandEnabled(HWND button) {
    CommandButton* b = buttonOf(button);
    if (!b) return false;
    ButtonReaction r;
    const bool enabled = buttonReadEnabled(b->machine, r);
    apply(*b, r);
    return enabled;
}

void commandSetCaption(HWND button, const std::wstring& caption) {
    // Writing the caption does not redraw the face; the label shows the new text.
    if (CommandButton* b = buttonOf(button)) {
        b->caption = caption;
        InvalidateRect(b->window, nullptr, FALSE);
    }
}

std::wstring commandCaption(HWND button) {
    CommandButton* b = buttonOf(button);
    return b ? b->caption : std::wstring();
}

void commandSetFont(HWND button, const ButtonFont& font) {
    CommandButton* b = buttonOf(button);
    if (!b) return;
    HFONT made = makeFont(font);
    if (!made) return;
    if (b->font) DeleteObject(b->font);
    b->font = made;
    b->fontSpec = font;
    InvalidateRect(b->window, nullptr, FALSE);
}

ButtonFont commandFont(HWND button) {
    CommandButton* b = buttonOf(button);
    return b ? b->fontSpec : ButtonFont{};
}

void commandSetFontColour(HWND button, COLORREF colour) {
    if (CommandButton* b = buttonOf(button)) {
        b->fontColour = colour;
        apply(*b, buttonRefreshFace(b->machine));
        InvalidateRect(b->window, nullptr, FALSE);
    }
}

COLORREF commandFontColour(HWND button) {
    CommandButton* b = buttonOf(button);
    if (!b) return 0;
    const COLORREF colour = b->fontColour;
    apply(*b, buttonRefreshFace(b->machine));
    return colour;
}

void commandSetVisible(HWND button, bool opaque) {
    CommandButton* b = buttonOf(button);
    if (!b) return;
    b->opaque = opaque;
    if (opaque) apply(*b, buttonRefreshFace(b->machine));
    InvalidateRect(b->window, nullptr, FALSE);
}

bool commandVisible(HWND button) {
    CommandButton* b = buttonOf(button);
    if (!b) return false;
    if (b->opaque) apply(*b, buttonRefreshFace(b->machine));
    return b->opaque;
}

void commandSaveProperties(HWND button, const ButtonFont& ambient, PropertyBag& bag) {
    CommandButton* b = buttonOf(button);
    if (!b) return;
    ButtonProperties p;
    p.enabled = b->machine.enabled;
    {
        // Captions are kept as UTF-8 in the property set.
        const int n = WideCharToMultiByte(CP_UTF8, 0, b->caption.c_str(), static_cast<int>(b->caption.size()), nullptr,
                                          0, nullptr, nullptr);
        p.caption.assign(n > 0 ? static_cast<size_t>(n) : 0, '\0');
        if (n > 0)
            WideCharToMultiByte(CP_UTF8, 0, b->caption.c_str(), static_cast<int>(b->caption.size()), &p.caption[0], n,
                                nullptr, nullptr);
    }
    p.firstRun = b->machine.firstRun;
    p.font = b->fontSpec;
    p.fontColour = b->fontColour;
    p.visible = b->opaque ? 1 : 0;
    saveButtonProperties(p, ambient, bag);
    apply(*b, buttonRefreshFace(b->machine));
}

ButtonState commandState(HWND button) {
    CommandButton* b = buttonOf(button);
    return b ? b->machine.state : ButtonState::None;
}
