// The forms runtime on Win32. A form is a top-level window of class
// "KestrineForm" with a persistent image (a memory bitmap that keeps what the
// handlers draw); picture boxes are child windows of class "KestrinePicture"
// with their own persistent images. Labels, images, shapes and lines have no
// window: their container draws them over its persistent image and hit-tests
// them for the mouse. Combo boxes are the native control; custom buttons are
// the "Solvane.Command" class (command_button_win32.cpp).
#include "frontend/ui/forms.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "frontend/ui/button_state.h"
#include "frontend/ui/command_button_win32.h"
#include "frontend/ui/picture_win32.h"

namespace {

const wchar_t kFormClass[] = L"KestrineForm";
const wchar_t kPictureClass[] = L"KestrinePicture";
const int kFirstControlId = 100;

struct Control {
    Form* form = nullptr;
    const ControlLayout* layout = nullptr;
    int container = -1;        // index of the containing picture box, -1 for the form
    RECT rect = {0, 0, 0, 0};  // pixels, in the container's client area
    std::wstring caption;
    bool enabled = true;
    bool visible = true;
    PictureRef picture;
    HFONT font = nullptr;
    HWND window = nullptr;
    Surface image;  // picture boxes
    HBRUSH backBrush = nullptr;
    HCURSOR cursor = nullptr;
    bool timerOn = false;
    int intervalMs = 0;
};

}  // namespace

struct Form {
    const FormLayout* layout = nullptr;
    FormEvents events = {};
    HWND window = nullptr;
    bool loaded = false;
    bool unloading = false;
    bool shown = false;
    Surface image;
    std::vector<Control> controls;
    int pressed = -1;  // windowless control that took the left press
    HICON icon = nullptr;
};

namespace {

std::vector<Form*> allForms;
ScreenPointer screenPointer = ScreenPointer::Default;

COLORREF colourOf(const Colour& c) {
    switch (c.system) {
        case SystemColour::WindowBackground: return GetSysColor(COLOR_WINDOW);
        case SystemColour::WindowText: return GetSysColor(COLOR_WINDOWTEXT);
        case SystemColour::None: break;
    }
    return RGB(c.red, c.green, c.blue);
}

int dpiX() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int dpiY() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int pxX(int twips) { return twipsToPixels(twips, twipsPerPixelX()); }
int pxY(int twips) { return twipsToPixels(twips, twipsPerPixelY()); }

HFONT makeFont(const FontDesc* desc) {
    if (!desc) return nullptr;
    LOGFONTW lf = {};
    lf.lfHeight = -static_cast<LONG>(std::lround(desc->points * dpiY() / 72.0));
    lf.lfWeight = FW_NORMAL;
    lf.lfUnderline = desc->underline;
    lf.lfCharSet = desc->charset;
    const std::wstring face = widenUtf8(desc->face);
    wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&lf);
}

ButtonFont buttonFontOf(const FontDesc* desc) {
    if (!desc) return ButtonFont{"MS Sans Serif", 8.25f, 0, false, false, false};
    return ButtonFont{desc->face, desc->points, desc->charset, false, false, desc->underline};
}

bool isWindowless(ControlKind k) {
    return k == ControlKind::Label || k == ControlKind::Image || k == ControlKind::Shape || k == ControlKind::Line;
}

Control* find(Form& form, const char* name, int index) {
    if (!name) return nullptr;
    for (Control& c : form.controls)
        if (c.layout->index == index && std::strcmp(c.layout->name, name) == 0) return &c;
    return nullptr;
}

const Control* find(const Form& form, const char* name, int index) {
    return find(const_cast<Form&>(form), name, index);
}

Form* formOf(HWND window) { return reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

// The container index a window stands for: -1 the form, else a picture box.
int containerOf(const Form& form, HWND window) {
    for (size_t i = 0; i < form.controls.size(); ++i)
        if (form.controls[i].window == window && form.controls[i].layout->kind == ControlKind::PictureBox)
            return static_cast<int>(i);
    return -1;
}

HWND containerWindow(const Form& form, int container) {
    return container < 0 ? form.window : form.controls[static_cast<size_t>(container)].window;
}

Surface* containerImage(Form& form, int container) {
    return container < 0 ? &form.image : &form.controls[static_cast<size_t>(container)].image;
}

void invalidateControl(Control& c) {
    if (c.window) {
        InvalidateRect(c.window, nullptr, FALSE);
        return;
    }
    HWND owner = containerWindow(*c.form, c.container);
    if (owner) InvalidateRect(owner, &c.rect, FALSE);
}

// ---- Drawing the windowless controls of one container.

void drawLabel(HDC dc, const Control& c) {
    const ControlLayout& l = *c.layout;
    HGDIOBJ oldFont = SelectObject(dc, c.font ? c.font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    RECT r = c.rect;
    if (l.border == Border::SingleLine) {
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&r, -2, -1);
    }
    // A label one line high shows its caption on that line, running past the
    // right edge rather than losing the end when the platform's substitute
    // font is wider than the design font; taller labels wrap.
    TEXTMETRICW tm = {};
    GetTextMetricsW(dc, &tm);
    const bool oneLine = (r.bottom - r.top) < 2 * tm.tmHeight;
    UINT format = DT_NOPREFIX | (oneLine ? DT_SINGLELINE | DT_NOCLIP : DT_WORDBREAK | DT_EDITCONTROL);
    if (l.alignment == Alignment::Centre) format |= DT_CENTER;
    if (c.enabled) {
        SetTextColor(dc, colourOf(l.fore));
        DrawTextW(dc, c.caption.c_str(), -1, &r, format);
    } else {
        OffsetRect(&r, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        DrawTextW(dc, c.caption.c_str(), -1, &r, format);
        OffsetRect(&r, -1, -1);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        DrawTextW(dc, c.caption.c_str(), -1, &r, format);
    }
    SelectObject(dc, oldFont);
}

void drawImage(HDC dc, const Control& c) {
    if (!c.picture) return;
    const PictureData& p = *c.picture;
    const int w = c.rect.right - c.rect.left, h = c.rect.bottom - c.rect.top;
    if (c.layout->stretch) {
        drawPicture(dc, p, c.rect.left, c.rect.top, w, h, 0, 0, p.width, p.height);
    } else {
        // Unstretched pictures keep their size, cut at the control's edge.
        const int dw = std::min(w, p.width), dh = std::min(h, p.height);
        drawPicture(dc, p, c.rect.left, c.rect.top, dw, dh, 0, 0, dw, dh);
    }
}

void drawShape(HDC dc, const Control& c) {
    HPEN pen = CreatePen(PS_SOLID, 1, colourOf(c.layout->fore));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
    if (c.layout->kind == ControlKind::Shape) {
        Rectangle(dc, c.rect.left, c.rect.top, c.rect.right, c.rect.bottom);
    } else {
        MoveToEx(dc, c.rect.left, c.rect.top, nullptr);
        LineTo(dc, c.rect.right, c.rect.bottom);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

// The persistent image of a container and its windowless controls, with the
// container's client origin at (originX, originY) in dc.
void drawContainer(Form& form, int container, HDC dc, int originX, int originY, const RECT& clip) {
    Surface* image = containerImage(form, container);
    if (image->dc)
        BitBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, image->dc, clip.left - originX,
               clip.top - originY, SRCCOPY);
    POINT oldOrigin;
    SetViewportOrgEx(dc, originX, originY, &oldOrigin);
    for (const Control& c : form.controls) {
        if (c.container != container || !c.visible || !isWindowless(c.layout->kind)) continue;
        switch (c.layout->kind) {
            case ControlKind::Label: drawLabel(dc, c); break;
            case ControlKind::Image: drawImage(dc, c); break;
            default: drawShape(dc, c); break;
        }
    }
    SetViewportOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
}

void paintContainer(Form& form, HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    drawContainer(form, containerOf(form, window), dc, 0, 0, ps.rcPaint);
    EndPaint(window, &ps);
}

// The topmost windowless control under a point of a container (later controls
// lie above earlier ones), or -1.
int hitTest(const Form& form, int container, POINT p) {
    for (int i = static_cast<int>(form.controls.size()) - 1; i >= 0; --i) {
        const Control& c = form.controls[static_cast<size_t>(i)];
        const ControlKind k = c.layout->kind;
        if (c.container != container || !c.visible || !c.enabled) continue;
        if (k != ControlKind::Label && k != ControlKind::Image) continue;
        if (PtInRect(&c.rect, p)) return i;
    }
    return -1;
}

int mouseButtonOf(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP: return kMouseLeft;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: return kMouseRight;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP: return kMouseMiddle;
    }
    return 0;
}

int shiftOf(WPARAM keys) {
    return ((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) | ((GetKeyState(VK_MENU) < 0) ? 4 : 0);
}

// Mouse presses and releases on a container: windowless controls get
// MouseDown for any button and Click for a left press and release on them.
// Nothing of the form is touched after a handler ran: it may have unloaded it.
void containerMouse(Form& form, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const int container = containerOf(form, window);
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
            const Control& c = form.controls[static_cast<size_t>(hit)];
            form.events.mouseDown(form, c.layout->name, c.layout->index, button, shiftOf(wParam),
                                  static_cast<float>(p.x - c.rect.left), static_cast<float>(p.y - c.rect.top));
        }
        return;
    }
    if ((wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0 && GetCapture() == window) ReleaseCapture();
    if (button != kMouseLeft) return;
    const int pressed = form.pressed;
    form.pressed = -1;
    if (pressed >= 0 && hitTest(form, container, p) == pressed && form.events.click) {
        const Control& c = form.controls[static_cast<size_t>(pressed)];
        form.events.click(form, c.layout->name, c.layout->index);
    }
}

bool containerCursor(Form& form, HWND window) {
    if (screenPointer == ScreenPointer::Hourglass) {
        SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));  // IDC_WAIT
        return true;
    }
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(window, &p);
    const int hit = hitTest(form, containerOf(form, window), p);
    HCURSOR cursor = hit >= 0 ? form.controls[static_cast<size_t>(hit)].cursor : nullptr;
    SetCursor(cursor ? cursor : LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));  // IDC_ARROW
    return true;
}

// Messages common to the form and its picture boxes.
bool containerMessage(Form& form, HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_PAINT:
            paintContainer(form, window);
            result = 0;
            return true;
        case WM_ERASEBKGND: result = 1; return true;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            containerMouse(form, window, message, wParam, lParam);
            result = 0;
            return true;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == window) {
                result = containerCursor(form, window);
                return true;
            }
            return false;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX: {
            // The combo box's own background colour.
            HWND child = reinterpret_cast<HWND>(lParam);
            for (Control& c : form.controls) {
                if (c.layout->kind != ControlKind::ComboBox || !c.backBrush) continue;
                if (child != c.window && GetParent(child) != c.window) continue;
                SetBkColor(reinterpret_cast<HDC>(wParam), colourOf(c.layout->back));
                result = reinterpret_cast<LRESULT>(c.backBrush);
                return true;
            }
            return false;
        }
    }
    return false;
}

LRESULT CALLBACK pictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Form* form = formOf(window);
    LRESULT result = 0;
    if (form && containerMessage(*form, window, message, wParam, lParam, result)) return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK formProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Form* form = formOf(window);
    if (!form) return DefWindowProcW(window, message, wParam, lParam);
    LRESULT result = 0;
    if (containerMessage(*form, window, message, wParam, lParam, result)) return result;
    switch (message) {
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) {
                growSurface(form->image, LOWORD(lParam), HIWORD(lParam), colourOf(form->layout->back));
                if (form->loaded && form->shown && form->events.resize) form->events.resize(*form);
            }
            return 0;
        case WM_TIMER:
            for (Control& c : form->controls) {
                if (c.layout->kind == ControlKind::Timer &&
                    static_cast<WPARAM>(&c - form->controls.data()) + kFirstControlId == wParam) {
                    if (c.timerOn && form->events.timer) form->events.timer(*form, c.layout->name);
                    break;
                }
            }
            return 0;
        case WM_CLOSE: unloadForm(*form); return 0;
        case WM_QUERYENDSESSION: unloadForm(*form); return TRUE;
        case WM_ENDSESSION:
            if (wParam) unloadForm(*form);
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            form->window = nullptr;
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool registerClasses() {
    static bool done = false;
    if (done) return true;
    WNDCLASSW wc = {};
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.lpfnWndProc = formProc;
    wc.lpszClassName = kFormClass;
    if (!RegisterClassW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    wc.lpfnWndProc = pictureProc;
    wc.lpszClassName = kPictureClass;
    if (!RegisterClassW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    done = true;
    return true;
}

void raiseButtonClick(void* context) {
    Control* c = static_cast<Control*>(context);
    Form& form = *c->form;
    if (form.loaded && form.events.click) form.events.click(form, c->layout->name, c->layout->index);
}

// ---- Realising one control.

void createControl(Form& form, Control& c, int id) {
    const ControlLayout& l = *c.layout;
    HWND parent = containerWindow(form, c.container);
    const int x = pxX(l.left), y = pxY(l.top), w = pxX(l.width), h = pxY(l.height);
    c.rect = {x, y, x + w, y + h};
    HINSTANCE instance = GetModuleHandleW(nullptr);
    switch (l.kind) {
        case ControlKind::PictureBox: {
            const DWORD exStyle = l.border == Border::Sunken ? WS_EX_CLIENTEDGE : 0;
            DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (l.visible ? WS_VISIBLE : 0);
            if (l.border == Border::SingleLine) style |= WS_BORDER;
            c.window = CreateWindowExW(exStyle, kPictureClass, L"", style, x, y, w, h, parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
            if (c.window) SetWindowLongPtrW(c.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&form));
            RECT inside = {0, 0, w, h};
            if (c.window) GetClientRect(c.window, &inside);
            growSurface(c.image, inside.right, inside.bottom, colourOf(l.back));
            c.picture = loadPictureResource(l.picture);
            if (c.picture && c.image.dc)
                drawPicture(c.image.dc, *c.picture, 0, 0, c.picture->width, c.picture->height, 0, 0, c.picture->width,
                            c.picture->height);
            break;
        }
        case ControlKind::Label: c.caption = widenUtf8(l.caption ? l.caption : ""); break;
        case ControlKind::Image: c.picture = loadPictureResource(l.picture); break;
        case ControlKind::ComboBox: {
            // The window's height includes the drop-down list.
            c.window = CreateWindowExW(
                0, L"COMBOBOX", L"",
                WS_CHILD | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL | (l.visible ? WS_VISIBLE : 0), x,
                y, w, h + 200, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
            c.backBrush = CreateSolidBrush(colourOf(l.back));
            if (c.window)
                SendMessageW(c.window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
            break;
        }
        case ControlKind::Timer:
            c.intervalMs = l.intervalMs;
            c.timerOn = false;
            if (l.enabled) setTimerEnabled(form, l.name, true);
            break;
        case ControlKind::CommandButton: {
            // The instance's persisted properties as the layout stores them:
            // caption and font, the rest at their defaults.
            const FontDesc* ambientFont =
                c.container < 0 ? form.layout->font : form.controls[static_cast<size_t>(c.container)].layout->font;
            const ButtonFont ambient = buttonFontOf(ambientFont);
            ButtonProperties design;
            design.caption = l.caption ? l.caption : "";
            design.font = l.font ? buttonFontOf(l.font) : ambient;
            PropertyBag bag;
            saveButtonProperties(design, ambient, bag);
            CommandButtonHost host;
            host.click = raiseButtonClick;
            host.context = &c;
            c.window = createCommandButton(parent, x, y, w, h, id, bag, ambient, host);
            break;
        }
        case ControlKind::Shape:
        case ControlKind::Line: break;
    }
    c.enabled = l.kind == ControlKind::Timer ? true : l.enabled;
    c.visible = l.visible;
    c.font = makeFont(l.kind == ControlKind::Label ? l.font : nullptr);
    if (l.kind == ControlKind::PictureBox && c.window && l.font) {
        HFONT f = makeFont(l.font);
        if (f) SendMessageW(c.window, WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
        c.font = f;
    }
    if (l.pointer == Pointer::Custom && l.cursor != 0) c.cursor = LoadCursorW(instance, MAKEINTRESOURCEW(l.cursor));
}

void freeControl(Control& c) {
    freeSurface(c.image);
    if (c.font) DeleteObject(c.font);
    if (c.backBrush) DeleteObject(c.backBrush);
    c.font = nullptr;
    c.backBrush = nullptr;
    c.window = nullptr;
}

DWORD formStyle(const FormLayout& layout) {
    if (layout.style == FormStyle::FixedDialog) return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    return WS_POPUP | WS_CLIPCHILDREN;
}

DWORD formExStyle(const FormLayout& layout) { return layout.style == FormStyle::FixedDialog ? WS_EX_WINDOWEDGE : 0; }

}  // namespace

// ---- Forms.

Form* loadForm(const FormLayout& layout, const FormEvents& events) {
    if (!registerClasses()) return nullptr;
    Form* form = new Form;
    form->layout = &layout;
    form->events = events;

    RECT outer = {0, 0, pxX(layout.width), pxY(layout.height)};
    AdjustWindowRectEx(&outer, formStyle(layout), FALSE, formExStyle(layout));
    HINSTANCE instance = GetModuleHandleW(nullptr);
    form->window = CreateWindowExW(formExStyle(layout), kFormClass, widenUtf8(layout.caption).c_str(),
                                   formStyle(layout), pxX(layout.left), pxY(layout.top), outer.right - outer.left,
                                   outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
    if (!form->window) {
        delete form;
        return nullptr;
    }
    allForms.push_back(form);
    SetWindowLongPtrW(form->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    RECT client;
    GetClientRect(form->window, &client);
    growSurface(form->image, client.right, client.bottom, colourOf(layout.back));
    if (layout.icon) {
        form->icon = LoadIconW(instance, MAKEINTRESOURCEW(layout.icon));
        if (form->icon) {
            SendMessageW(form->window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(form->icon));
            SendMessageW(form->window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(form->icon));
        }
    }

    // Controls keep their addresses: buttons and timers refer back to them.
    form->controls.reserve(layout.controlCount);
    for (size_t i = 0; i < layout.controlCount; ++i) {
        form->controls.emplace_back();
        Control& c = form->controls.back();
        c.form = form;
        c.layout = &layout.controls[i];
        if (c.layout->container) {
            for (size_t k = 0; k < i; ++k)
                if (std::strcmp(form->controls[k].layout->name, c.layout->container) == 0 &&
                    form->controls[k].layout->kind == ControlKind::PictureBox)
                    c.container = static_cast<int>(k);
        }
    }
    form->loaded = true;
    for (size_t i = 0; i < form->controls.size(); ++i)
        createControl(*form, form->controls[i], kFirstControlId + static_cast<int>(i));

    if (events.load) events.load(*form);
    return form;
}

void showForm(Form& form, bool modal) {
    if (!form.loaded || !form.window) return;
    if (!form.shown) {
        form.shown = true;
        if (form.events.resize) form.events.resize(form);
        if (!form.loaded || !form.window) return;
    }
    ShowWindow(form.window, SW_SHOW);
    UpdateWindow(form.window);
    if (!modal) return;
    MSG msg;
    while (form.loaded) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void unloadForm(Form& form) {
    if (!form.loaded || form.unloading) return;
    form.unloading = true;
    if (form.events.queryUnload) form.events.queryUnload(form);
    if (form.events.unload) form.events.unload(form);
    for (Control& c : form.controls)
        if (c.layout->kind == ControlKind::Timer && c.timerOn && form.window)
            KillTimer(form.window, kFirstControlId + static_cast<UINT_PTR>(&c - form.controls.data()));
    if (GetCapture() && form.window && (GetCapture() == form.window || IsChild(form.window, GetCapture())))
        ReleaseCapture();
    if (form.window) DestroyWindow(form.window);
    form.window = nullptr;
    for (Control& c : form.controls) freeControl(c);
    freeSurface(form.image);
    form.loaded = false;
    form.unloading = false;
}

bool formLoaded(const Form& form) { return form.loaded; }

void runMessageLoop() {
    MSG msg;
    for (;;) {
        const bool anyLoaded = std::any_of(allForms.begin(), allForms.end(), [](const Form* f) { return f->loaded; });
        if (!anyLoaded) return;
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) return;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

HWND formWindow(const Form& form) { return form.window; }
const FormLayout& formLayout(const Form& form) { return *form.layout; }

HWND controlWindow(const Form& form, const char* name, int index) {
    const Control* c = find(form, name, index);
    return c ? c->window : nullptr;
}

// ---- Timers.

namespace {

void scheduleTimer(const Form& form, const Control& c) {
    const UINT_PTR id = kFirstControlId + static_cast<UINT_PTR>(&c - form.controls.data());
    // An interval of 0 never ticks.
    if (c.timerOn && c.intervalMs > 0)
        SetTimer(form.window, id, static_cast<UINT>(c.intervalMs), nullptr);
    else
        KillTimer(form.window, id);
}

}  // namespace

void setTimerEnabled(Form& form, const char* name, bool enabled) {
    Control* c = find(form, name, -1);
    if (!c || c->layout->kind != ControlKind::Timer || !form.window) return;
    // Enabling a running timer leaves its period alone, so a handler that
    // re-enables its own timer keeps a steady beat.
    if (c->timerOn == enabled) return;
    c->timerOn = enabled;
    scheduleTimer(form, *c);
}

bool timerEnabled(const Form& form, const char* name) {
    const Control* c = find(form, name, -1);
    return c && c->layout->kind == ControlKind::Timer && c->timerOn;
}

void setTimerInterval(Form& form, const char* name, int intervalMs) {
    Control* c = find(form, name, -1);
    if (!c || c->layout->kind != ControlKind::Timer) return;
    c->intervalMs = std::max(intervalMs, 0);
    if (form.window) scheduleTimer(form, *c);
}

// ---- Pictures.

bool savePicture(const Form& form, const char* name, int index, const char* path) {
    const Control* c = find(form, name, index);
    return c && c->picture && writePictureBmp(*c->picture, path);
}

void copyPicture(Form& form, const char* toName, int toIndex, const char* fromName, int fromIndex) {
    Control* to = find(form, toName, toIndex);
    const Control* from = find(form, fromName, fromIndex);
    if (!to || !from) return;
    to->picture = from->picture;
    if (to->layout->kind == ControlKind::PictureBox && to->image.dc && to->picture)
        drawPicture(to->image.dc, *to->picture, 0, 0, to->picture->width, to->picture->height, 0, 0, to->picture->width,
                    to->picture->height);
    invalidateControl(*to);
}

// ---- Geometry.

void moveForm(Form& form, int leftTwips, int topTwips, int widthTwips, int heightTwips) {
    if (!form.window) return;
    SetWindowPos(form.window, nullptr, pxX(leftTwips), pxY(topTwips), pxX(widthTwips), pxY(heightTwips),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void moveControl(Form& form, const char* name, int index, int leftPx, int topPx, int widthPx, int heightPx) {
    Control* c = find(form, name, index);
    if (!c) return;
    invalidateControl(*c);
    c->rect = {leftPx, topPx, leftPx + widthPx, topPx + heightPx};
    if (c->window) {
        const int extra = c->layout->kind == ControlKind::ComboBox ? 200 : 0;
        SetWindowPos(c->window, nullptr, leftPx, topPx, widthPx, heightPx + extra, SWP_NOZORDER | SWP_NOACTIVATE);
        if (c->layout->kind == ControlKind::PictureBox) {
            RECT inside;
            GetClientRect(c->window, &inside);
            growSurface(c->image, inside.right, inside.bottom, colourOf(c->layout->back));
        }
    }
    invalidateControl(*c);
}

int formWidthTwips(const Form& form) {
    RECT r = {0, 0, 0, 0};
    if (form.window) GetWindowRect(form.window, &r);
    return (r.right - r.left) * twipsPerPixelX();
}

int formHeightTwips(const Form& form) {
    RECT r = {0, 0, 0, 0};
    if (form.window) GetWindowRect(form.window, &r);
    return (r.bottom - r.top) * twipsPerPixelY();
}

int formInsideWidthPx(const Form& form) {
    RECT r = {0, 0, 0, 0};
    if (form.window) GetClientRect(form.window, &r);
    return r.right;
}

int formInsideHeightPx(const Form& form) {
    RECT r = {0, 0, 0, 0};
    if (form.window) GetClientRect(form.window, &r);
    return r.bottom;
}

RECT controlRectPx(const Form& form, const char* name, int index) {
    const Control* c = find(form, name, index);
    return c ? c->rect : RECT{0, 0, 0, 0};
}

int twipsPerPixelX() { return std::max(1, 1440 / dpiX()); }
int twipsPerPixelY() { return std::max(1, 1440 / dpiY()); }
int screenWidthTwips() { return GetSystemMetrics(SM_CXSCREEN) * twipsPerPixelX(); }
int screenHeightTwips() { return GetSystemMetrics(SM_CYSCREEN) * twipsPerPixelY(); }

// ---- Persistent images.

HDC imageDC(Form& form, const char* name, int index) {
    if (!name) return form.image.dc;
    Control* c = find(form, name, index);
    return c && c->layout->kind == ControlKind::PictureBox ? c->image.dc : nullptr;
}

void refreshControl(Form& form, const char* name, int index) {
    if (!name) {
        if (form.window) InvalidateRect(form.window, nullptr, FALSE);
        return;
    }
    if (Control* c = find(form, name, index)) invalidateControl(*c);
}

// ---- Properties.

void setControlEnabled(Form& form, const char* name, int index, bool enabled) {
    Control* c = find(form, name, index);
    if (!c) return;
    c->enabled = enabled;
    switch (c->layout->kind) {
        case ControlKind::CommandButton: commandSetEnabled(c->window, enabled); break;
        case ControlKind::ComboBox:
        case ControlKind::PictureBox:
            if (c->window) EnableWindow(c->window, enabled);
            break;
        default: invalidateControl(*c); break;
    }
}

bool controlEnabled(const Form& form, const char* name, int index) {
    const Control* c = find(form, name, index);
    if (!c) return false;
    if (c->layout->kind == ControlKind::CommandButton) return commandEnabled(c->window);
    if (c->window) return IsWindowEnabled(c->window) != FALSE;
    return c->enabled;
}

void setControlVisible(Form& form, const char* name, int index, bool visible) {
    Control* c = find(form, name, index);
    if (!c) return;
    c->visible = visible;
    if (c->window)
        ShowWindow(c->window, visible ? SW_SHOWNA : SW_HIDE);
    else
        invalidateControl(*c);
}

void setControlCaption(Form& form, const char* name, int index, const std::wstring& caption) {
    Control* c = find(form, name, index);
    if (!c) return;
    if (c->layout->kind == ControlKind::CommandButton) {
        commandSetCaption(c->window, caption);
        return;
    }
    c->caption = caption;
    invalidateControl(*c);
}

std::wstring controlCaption(const Form& form, const char* name, int index) {
    const Control* c = find(form, name, index);
    if (!c) return std::wstring();
    if (c->layout->kind == ControlKind::CommandButton) return commandCaption(c->window);
    return c->caption;
}

void setControlText(Form& form, const char* name, int index, const std::wstring& text) {
    Control* c = find(form, name, index);
    if (c && c->window && c->layout->kind == ControlKind::ComboBox) SetWindowTextW(c->window, text.c_str());
}

std::wstring controlText(const Form& form, const char* name, int index) {
    const Control* c = find(form, name, index);
    if (!c || !c->window || c->layout->kind != ControlKind::ComboBox) return std::wstring();
    const int length = GetWindowTextLengthW(c->window);
    if (length <= 0) return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(c->window, &text[0], length + 1);
    text.resize(static_cast<size_t>(std::max(got, 0)));
    return text;
}

void addComboItem(Form& form, const char* name, int index, const std::wstring& item) {
    Control* c = find(form, name, index);
    if (c && c->window && c->layout->kind == ControlKind::ComboBox)
        SendMessageW(c->window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void initializeButton(Form& form, const char* name, int index) {
    Control* c = find(form, name, index);
    if (c && c->layout->kind == ControlKind::CommandButton) commandInitialize(c->window);
}

void setScreenPointer(ScreenPointer pointer) {
    screenPointer = pointer;
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(pointer == ScreenPointer::Hourglass ? 32514 : 32512)));
}

// ---- Text.

std::wstring widenUtf8(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
    return out;
}

std::wstring widenAnsi(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
    return out;
}

std::string narrowAnsi(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int n =
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return std::string();
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

void paintContainerBehind(HWND control, HDC dc) {
    HWND parent = GetParent(control);
    Form* form = parent ? formOf(parent) : nullptr;
    RECT client;
    GetClientRect(control, &client);
    if (!form) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    POINT origin = {0, 0};
    MapWindowPoints(parent, control, &origin, 1);
    drawContainer(*form, containerOf(*form, parent), dc, origin.x, origin.y, client);
}
