// The forms runtime's windows and controls.
//
// Sections: records and lookups; window procedures; realising a control;
// loading, showing and unloading forms; geometry; properties.
#include <algorithm>
#include <cassert>
#include <cmath>
#include <cwchar>
#include <string>
#include <vector>

#include "frontend/ui/button_state_win32.h"
#include "frontend/ui/dpi_win32.h"
#include "frontend/ui/form_records_win32.h"

namespace {

const wchar_t kFormClass[] = L"KestrineForm";
const wchar_t kPictureClass[] = L"KestrinePicture";

std::vector<Form*> allForms;

// A combo box's drop-down list below its edit field: 200 pixels at 96 dots per inch.
const int kDropDownTwips = 3000;

// The height a control's window has below its rectangle: a combo box's
// drop-down list.
int dropDownPixels(const Form& form, const Control& c) {
    return c.layout->kind == ControlKind::ComboBox ? twipsToPixels(kDropDownTwips, form.dpi) : 0;
}

}  // namespace

// ---- Records and lookups.

Form* formOf(HWND window) { return reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

Form* formOfContainer(HWND window) {
    wchar_t name[32] = {};
    if (!window || !GetClassNameW(window, name, 32)) return nullptr;
    if (std::wcscmp(name, kFormClass) != 0 && std::wcscmp(name, kPictureClass) != 0) return nullptr;
    return formOf(window);
}

Control* findControl(Form& form, ControlRow control) {
    const bool ofThisForm = control.layout == form.layout;
    assert(ofThisForm && "a control of another window");
    if (!ofThisForm || findRow(control) == nullptr || control.row >= form.controls.size()) return nullptr;
    return &form.controls[control.row];
}

const Control* findControl(const Form& form, ControlRow control) {
    return findControl(const_cast<Form&>(form), control);
}

Row containerOf(const Form& form, HWND window) {
    for (const Control& c : form.controls)
        if (c.window == window && c.layout->kind == ControlKind::PictureBox) return c.layout->row;
    return kNoRow;
}

HWND containerWindow(const Form& form, Row container) {
    return container == kNoRow ? form.window : form.controls[container].window;
}

COLORREF colourOf(const Colour& c) {
    switch (c.system) {
        case SystemColour::WindowBackground: return GetSysColor(COLOR_WINDOW);
        case SystemColour::WindowText: return GetSysColor(COLOR_WINDOWTEXT);
        case SystemColour::None: break;
    }
    return RGB(c.red, c.green, c.blue);
}

bool isWindowless(ControlKind k) {
    return k == ControlKind::Label || k == ControlKind::Image || k == ControlKind::Shape;
}

// ---- Window procedures.

namespace {

// Messages common to the form and its picture boxes.
bool containerMessage(Form& form, HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_PAINT:
            paintContainer(form, window);
            result = 0;
            return true;
        case WM_ERASEBKGND: result = 1; return true;
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
    return containerMouse(form, window, message, wParam, lParam, result);
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
        case WM_TIMER: timerTicked(*form, wParam); return 0;
        case WM_DPICHANGED: rescaleForm(*form, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam)); return 0;
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

// ---- Realising a control.

void raiseButtonClick(void* context) {
    Control* c = static_cast<Control*>(context);
    Form& form = *c->form;
    if (form.loaded && form.events.click) form.events.click(form, ControlRow(*form.layout, c->layout->row));
}

// A container's font: a picture box's own, or the platform's default
// user-interface font where the layout gives none (the windows).
FontDesc ambientFont(const Form& form, Row container) {
    const FontDesc* own = container == kNoRow ? nullptr : form.controls[container].layout->font;
    if (own) return *own;
    LOGFONTW lf = {};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    const float points = static_cast<float>(std::abs(lf.lfHeight)) * 72.0f / static_cast<float>(systemDpi());
    return FontDesc{narrowUtf8(lf.lfFaceName), points,           lf.lfCharSet,
                    lf.lfWeight >= FW_BOLD,    lf.lfItalic != 0, lf.lfUnderline != 0};
}

// The platform's default user-interface font at dpi (the stock one is made
// for the system's dots per inch).
HFONT createUiFont(int dpi) {
    LOGFONTW lf = {};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    lf.lfHeight = MulDiv(lf.lfHeight, dpi, systemDpi());
    return CreateFontIndirectW(&lf);
}

HMENU childId(Row row) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + row)); }

// What a control's look takes from the form's scale: its rectangle, its
// font and its pointer. The windows are placed by the caller.
void scaleControl(Form& form, Control& c) {
    const ControlLayout& l = *c.layout;
    const PixelRect r = controlPixels(l, form.dpi);
    c.rect = {r.left, r.top, r.left + r.width, r.top + r.height};
    const bool hasFont = (l.kind == ControlKind::Label && l.font) || l.kind == ControlKind::ComboBox;
    if (hasFont) {
        HFONT old = c.font;
        c.font = l.kind == ControlKind::ComboBox ? createUiFont(form.dpi) : createFont(*l.font, form.dpi);
        if (c.window) SendMessageW(c.window, WM_SETFONT, reinterpret_cast<WPARAM>(c.font), FALSE);
        if (old) DeleteObject(old);
    }
    if (l.pointer == Pointer::Custom && l.cursor != 0) c.cursor = loadCursorAtDpi(l.cursor, form.dpi);
}

void createControl(Form& form, Control& c) {
    const ControlLayout& l = *c.layout;
    HWND parent = containerWindow(form, l.container);
    scaleControl(form, c);
    const int x = c.rect.left, y = c.rect.top, w = c.rect.right - c.rect.left, h = c.rect.bottom - c.rect.top;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    switch (l.kind) {
        case ControlKind::PictureBox: {
            const DWORD exStyle = l.border == Border::Sunken ? WS_EX_CLIENTEDGE : 0;
            DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VISIBLE;
            if (l.border == Border::SingleLine) style |= WS_BORDER;
            c.window = CreateWindowExW(exStyle, kPictureClass, L"", style, x, y, w, h, parent, childId(l.row), instance,
                                       nullptr);
            if (c.window) SetWindowLongPtrW(c.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&form));
            c.picture = loadPictureResource(l.picture);
            break;
        }
        case ControlKind::Label: c.caption = widenUtf8(l.caption ? l.caption : ""); break;
        case ControlKind::Image: c.picture = loadPictureResource(l.picture); break;
        case ControlKind::ComboBox: {
            // The window's height includes the drop-down list.
            c.window = CreateWindowExW(0, L"COMBOBOX", L"",
                                       WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                                       x, y, w, h + dropDownPixels(form, c), parent, childId(l.row), instance, nullptr);
            c.backBrush = CreateSolidBrush(colourOf(l.back));
            if (c.window) SendMessageW(c.window, WM_SETFONT, reinterpret_cast<WPARAM>(c.font), FALSE);
            break;
        }
        case ControlKind::Timer:
            if (l.enabled) setTimerEnabled(form, ControlRow(*form.layout, l.row), true);
            break;
        case ControlKind::CommandButton: {
            CommandButtonHost host;
            host.click = raiseButtonClick;
            host.context = &c;
            host.paintBehind = paintBehind;
            c.window = createCommandButton(parent, x, y, w, h, kFirstControlId + l.row, storedButtonProperties(l),
                                           ambientFont(form, l.container), form.dpi, host);
            break;
        }
        case ControlKind::Shape: break;
    }
    c.enabled = l.kind == ControlKind::Timer ? true : l.enabled;
}

// A windowed control moved to its rectangle at the form's scale; a picture
// box's image is made again at its new size when next needed.
void placeControl(Form& form, Control& c) {
    invalidateControl(c);
    scaleControl(form, c);
    if (c.window) {
        if (c.layout->kind == ControlKind::CommandButton) commandSetDpi(c.window, form.dpi);
        if (c.layout->kind == ControlKind::PictureBox) freeSurface(c.image);
        SetWindowPos(c.window, nullptr, c.rect.left, c.rect.top, c.rect.right - c.rect.left,
                     c.rect.bottom - c.rect.top + dropDownPixels(form, c), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    invalidateControl(c);
}

// Sibling windows in the order of their tab indexes, so that the system's
// focus order (GetNextDlgTabItem) follows the layout's tab order within each
// container.
void orderByTabIndex(Form& form) {
    std::vector<const Control*> windowed;
    for (const Control& c : form.controls)
        if (c.window && c.layout->tabIndex >= 0) windowed.push_back(&c);
    std::stable_sort(windowed.begin(), windowed.end(),
                     [](const Control* a, const Control* b) { return a->layout->tabIndex < b->layout->tabIndex; });
    for (const Control* c : windowed)
        SetWindowPos(c->window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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

// The window's outer size around its layout's client area at the form's scale.
SIZE outerSize(const Form& form) {
    const PixelRect client = clientPixels(*form.layout, form.dpi);
    const RECT outer = outerRect(RECT{0, 0, client.width, client.height}, formStyle(*form.layout),
                                 formExStyle(*form.layout), form.dpi);
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

}  // namespace

// ---- Loading, showing and unloading forms.

Form* loadForm(const FormLayout& layout, const FormEvents& events) {
    if (!registerClasses()) return nullptr;
    Form* form = new Form;
    form->layout = &layout;
    form->events = events;

    form->dpi = systemDpi();
    const PixelRect at = clientPixels(layout, form->dpi);
    SIZE outer = outerSize(*form);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    form->window =
        CreateWindowExW(formExStyle(layout), kFormClass, widenUtf8(layout.caption).c_str(), formStyle(layout), at.left,
                        at.top, outer.cx, outer.cy, nullptr, nullptr, instance, nullptr);
    if (!form->window) {
        delete form;
        return nullptr;
    }
    allForms.push_back(form);
    SetWindowLongPtrW(form->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    // A monitor of another scale than the system's: the window's own.
    if (windowDpi(form->window) != form->dpi) {
        form->dpi = windowDpi(form->window);
        outer = outerSize(*form);
        SetWindowPos(form->window, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
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
    form->controls.resize(layout.controlCount);
    for (size_t i = 0; i < layout.controlCount; ++i) {
        form->controls[i].form = form;
        form->controls[i].layout = &layout.controls[i];
    }
    form->loaded = true;
    for (Control& c : form->controls) createControl(*form, c);
    orderByTabIndex(*form);

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
    stopTimers(form);
    if (GetCapture() && form.window && (GetCapture() == form.window || IsChild(form.window, GetCapture())))
        ReleaseCapture();
    if (form.window) DestroyWindow(form.window);
    form.window = nullptr;
    for (Control& c : form.controls) freeControl(c);
    freeSurface(form.image);
    form.loaded = false;
    form.unloading = false;
}

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

HWND controlWindow(const Form& form, ControlRow control) {
    const Control* c = findControl(form, control);
    return c ? c->window : nullptr;
}

// ---- Geometry.

void moveForm(Form& form, int left, int top, int width, int height) {
    if (form.window) SetWindowPos(form.window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void moveControl(Form& form, ControlRow control, int left, int top, int width, int height) {
    Control* c = findControl(form, control);
    if (!c) return;
    invalidateControl(*c);
    c->rect = {left, top, left + width, top + height};
    if (c->window) {
        SetWindowPos(c->window, nullptr, left, top, width, height + dropDownPixels(form, *c),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (c->image.dc) {
            RECT inside;
            GetClientRect(c->window, &inside);
            growSurface(c->image, inside.right, inside.bottom, colourOf(c->layout->back));
        }
    }
    invalidateControl(*c);
}

RECT controlRect(const Form& form, ControlRow control) {
    const Control* c = findControl(form, control);
    return c ? c->rect : RECT{0, 0, 0, 0};
}

int formDpi(const Form& form) { return form.dpi; }

void rescaleForm(Form& form, int dpi, const RECT* suggested) {
    if (!form.loaded || !form.window || dpi <= 0 || dpi == form.dpi) return;
    form.dpi = dpi;
    for (Control& c : form.controls) placeControl(form, c);
    if (suggested) {
        SetWindowPos(form.window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        const SIZE outer = outerSize(form);
        SetWindowPos(form.window, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    refreshForm(form);
    if (form.events.dpiChanged) form.events.dpiChanged(form);
}

// ---- Properties.

void setControlEnabled(Form& form, ControlRow control, bool enabled) {
    Control* c = findControl(form, control);
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

void setControlCaption(Form& form, ControlRow control, const std::wstring& caption) {
    Control* c = findControl(form, control);
    if (!c || c->layout->kind != ControlKind::Label) return;
    c->caption = caption;
    invalidateControl(*c);
}

std::wstring controlCaption(const Form& form, ControlRow control) {
    const Control* c = findControl(form, control);
    return c ? c->caption : std::wstring();
}

void setControlText(Form& form, ControlRow control, const std::wstring& text) {
    Control* c = findControl(form, control);
    if (c && c->window && c->layout->kind == ControlKind::ComboBox) SetWindowTextW(c->window, text.c_str());
}

std::wstring controlText(const Form& form, ControlRow control) {
    const Control* c = findControl(form, control);
    if (!c || !c->window || c->layout->kind != ControlKind::ComboBox) return std::wstring();
    const int length = GetWindowTextLengthW(c->window);
    if (length <= 0) return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(c->window, &text[0], length + 1);
    text.resize(static_cast<size_t>(std::max(got, 0)));
    return text;
}

void addComboItem(Form& form, ControlRow control, const std::wstring& item) {
    Control* c = findControl(form, control);
    if (c && c->window && c->layout->kind == ControlKind::ComboBox)
        SendMessageW(c->window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void initializeButton(Form& form, ControlRow button) {
    Control* c = findControl(form, button);
    if (c && c->layout->kind == ControlKind::CommandButton) commandInitialize(c->window);
}
