// The settings dialog's window: the forms runtime's Solvane_P and the system
// calls its handlers (settings_dialog.cpp) make through DialogPort.
#include "frontend/ui/settings_dialog_win32.h"

#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <string>

#include "frontend/skip_on_error.h"
#include "frontend/ui/forms_win32.h"
#include "frontend/ui/settings_dialog.h"
#include "frontend/window_animation_win32.h"

namespace {

using Solvane_P::Control;
using Solvane_P::Size;

// The chooser's texts as Shift-JIS bytes: "BGMﾌｧｲﾙ (MP3 WAV)", "*.MP3;*.WAV", "ﾌｧｲﾙを開く".
const char kFilterSjis[] = "BGM\xCC\xA7\xB2\xD9 (MP3 WAV)\0*.MP3;*.WAV\0";
const char kTitleSjis[] =
    "\xCC\xA7\xB2\xD9\x82\xF0\x8A"
    "J\x82\xAD";
const int kFileBufferLength = 255;
const UINT kShiftJis = 932;

std::wstring fromShiftJis(const char* bytes, size_t length) {
    return widenCodePage(kShiftJis, std::string(bytes, length));
}

// The name as the ANSI functions take it, when it comes back from the ANSI
// code page as exactly the same text: no character dropped, none replaced by
// the default character or by a look-alike ("Ā" by "A", which names another
// file). Names past the chooser's buffer in ANSI bytes count as not held.
bool exactAnsiName(const wchar_t* name, std::string& ansi) {
    // A UTF-8 code page holds every name, and refuses the best-fit flag.
    const DWORD flags = GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const std::string bytes = narrowAnsi(name, flags);
    if (bytes.empty() || bytes.size() >= static_cast<size_t>(kFileBufferLength) || widenAnsi(bytes) != name)
        return false;
    ansi = bytes;
    return true;
}

// The name to store for a chosen file: its own, or else its short (8.3)
// form, which names the same file in plain characters where the volume
// keeps one.
bool storableName(const wchar_t* file, std::string& ansi) {
    if (exactAnsiName(file, ansi)) return true;
    wchar_t shortPath[MAX_PATH + 1] = {};
    const DWORD n = GetShortPathNameW(file, shortPath, MAX_PATH);
    return n > 0 && n < MAX_PATH && exactAnsiName(shortPath, ansi);
}

std::wstring unstorableNameText(const wchar_t* file) {
    return L"This file's name cannot be stored:\n" + std::wstring(file) +
           L"\n\nThe settings keep names in the system's ANSI code page (" + std::to_wstring(GetACP()) +
           L"), which cannot hold all of its characters, and its drive gives it no short name to stand in. "
           L"Rename the file or choose another; the music file stays as it was.";
}

Size sizeOf(const RECT& r) { return Size{r.right - r.left, r.bottom - r.top}; }

struct WindowsDialog : Solvane_P::DialogPort {
    Form* form = nullptr;

    HWND window() const { return formWindow(*form); }

    // Twips at the dialog's scale.
    int twips(int pixels) { return pixelsToTwips(pixels, formDpi(*form)); }
    Size screenTwips() override {
        return Size{twips(GetSystemMetrics(SM_CXSCREEN)), twips(GetSystemMetrics(SM_CYSCREEN))};
    }
    Size dialogTwips() override {
        RECT r = {0, 0, 0, 0};
        GetWindowRect(window(), &r);
        const Size pixels = sizeOf(r);
        return Size{twips(pixels.width), twips(pixels.height)};
    }
    void moveDialog(int leftTwips, int topTwips) override {
        RECT r = {0, 0, 0, 0};
        GetWindowRect(window(), &r);
        const int dpi = formDpi(*form);
        moveForm(*form, twipsToPixels(leftTwips, dpi), twipsToPixels(topTwips, dpi), r.right - r.left,
                 r.bottom - r.top);
    }
    Size insideSize() override {
        RECT r = {0, 0, 0, 0};
        GetClientRect(window(), &r);
        return sizeOf(r);
    }
    void drawLine(int y, int width, int red, int green, int blue) override {
        HDC dc = formImageDC(*form);
        if (!dc) return;
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(DC_PEN));
        SetDCPenColor(dc, RGB(red, green, blue));
        MoveToEx(dc, 0, y, nullptr);
        LineTo(dc, width, y);
        SelectObject(dc, oldPen);
    }
    void refreshDialog() override { refreshForm(*form); }
    Size controlSize(Control control) override { return sizeOf(controlRect(*form, control)); }
    void copyImage(Control from, Control to, int x, int y, int width, int height) override {
        HDC source = imageDC(*form, from);
        HDC target = imageDC(*form, to);
        if (source && target) BitBlt(target, x, y, width, height, source, 0, 0, SRCCOPY);
    }
    void refresh(Control control) override { refreshControl(*form, control); }
    void initializeButton(Control button) override { ::initializeButton(*form, button); }
    void setEnabled(Control control, bool enabled) override { setControlEnabled(*form, control, enabled); }
    void copyPicture(Control to, Control from) override { ::copyPicture(*form, to, from); }
    void setText(Control combo, const std::string& text) override { setControlText(*form, combo, widenAnsi(text)); }
    std::string text(Control combo) override { return narrowAnsi(controlText(*form, combo)); }
    void addItem(Control combo, const std::string& item) override { addComboItem(*form, combo, widenAnsi(item)); }
    void setCaption(Control label, const std::string& caption) override {
        setControlCaption(*form, label, widenAnsi(caption));
    }
    std::string caption(Control label) override { return narrowAnsi(controlCaption(*form, label)); }
    int32_t cursorPos(int32_t& x, int32_t& y) override {
        POINT cursor = {0, 0};
        const BOOL got = GetCursorPos(&cursor);
        x = cursor.x;
        y = cursor.y;
        return got;
    }
    void animateOpen() override { AnimateOpen(window()); }
    void animateClose() override { AnimateClose(window()); }
    void showHourglass(bool on) override { setScreenPointer(on ? ScreenPointer::Hourglass : ScreenPointer::Default); }
    int32_t chooseFile(const std::string& folder, std::string& path) override;
    void openAddress(const std::string& address) override {
        ShellExecuteA(window(), "open", address.c_str(), "", "", SW_SHOWNORMAL);
    }
    void showError(const std::string& text) override {
        MessageBoxW(window(), widenAnsi(text).c_str(), L"Kestrine", MB_OK | MB_ICONERROR);
    }
    void unload() override { unloadForm(*form); }
};

int32_t WindowsDialog::chooseFile(const std::string& folder, std::string& path) {
    // The platform's Unicode chooser with the Shift-JIS texts decoded, so the
    // title and filter read correctly whatever the system's code page; the
    // chosen path is kept in the ANSI code page like every other path here.
    const std::wstring filter = fromShiftJis(kFilterSjis, sizeof kFilterSjis);  // both NULs at the end
    const std::wstring title = fromShiftJis(kTitleSjis, sizeof kTitleSjis);
    const std::wstring initialFolder = widenAnsi(folder);
    wchar_t file[kFileBufferLength + 1] = {};
    wchar_t fileTitle[kFileBufferLength + 1] = {};

    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = window();
    ofn.hInstance = GetModuleHandleW(nullptr);
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = kFileBufferLength;
    ofn.lpstrFileTitle = fileTitle;
    ofn.nMaxFileTitle = kFileBufferLength;
    ofn.lpstrInitialDir = initialFolder.c_str();
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = 0;
    const int32_t result = GetOpenFileNameW(&ofn);
    if (result <= 0) return result;

    // A name that cannot be stored keeps the previous choice, and the user
    // learns why rather than finding the music silent later.
    if (!storableName(file, path)) {
        MessageBoxW(window(), unstorableNameText(file).c_str(), L"Kestrine", MB_OK | MB_ICONERROR);
        return 0;
    }
    return result;
}

WindowsDialog dialog;

// The form's events, handed to the handlers with the dialog's port. Nothing
// escapes a window procedure into the system.
void onLoad(Form& form) {
    dialog.form = &form;
    skipOnError([] { Solvane_P::Form_Load(dialog); });
}

void onResize(Form&) {
    skipOnError([] { Solvane_P::Form_Resize(dialog); });
}

void onUnload(Form&) {
    skipOnError([] { Solvane_P::Form_Unload(dialog); });
}

void onDpiChanged(Form&) {
    skipOnError([] { Solvane_P::Form_DpiChanged(dialog); });
}

void onClick(Form&, ControlRow control) {
    skipOnError([control] { Solvane_P::Click(dialog, control.as<Control>()); });
}

void onMouseDown(Form&, ControlRow control, int button, int shift, float x, float y) {
    skipOnError([=] { Solvane_P::MouseDown(dialog, control.as<Control>(), button, shift, x, y); });
}

}  // namespace

void showSettingsDialog() {
    // load, timer, queryUnload, unload, resize, dpiChanged, click, mouseDown
    const FormEvents events = {onLoad, nullptr, nullptr, onUnload, onResize, onDpiChanged, onClick, onMouseDown};
    if (Form* form = loadForm(Solvane_P_Layout, events)) showForm(*form, true);
}
