// The settings dialog Solvane_P: the music source, the CD track to repeat
// and the music file, written to the settings file on confirm.
#include "frontend/ui/settings_dialog.h"

#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <cstring>
#include <string>

#include "frontend/program_state.h"
#include "frontend/settings.h"
#include "frontend/settings_location.h"
#include "frontend/ui/dialog_choice.h"
#include "frontend/ui/forms.h"
#include "frontend/window_animation_win32.h"

namespace {

// The chooser's texts as Shift-JIS bytes: "BGMﾌｧｲﾙ (MP3 WAV)", "*.MP3;*.WAV", "ﾌｧｲﾙを開く".
const char kFilterSjis[] = "BGM\xCC\xA7\xB2\xD9 (MP3 WAV)\0*.MP3;*.WAV\0";
const char kTitleSjis[] =
    "\xCC\xA7\xB2\xD9\x82\xF0\x8A"
    "J\x82\xAD";
const int kFileBufferLength = 255;
const UINT kShiftJis = 932;

std::wstring fromShiftJis(const char* bytes, size_t length) {
    std::wstring out;
    const int n = MultiByteToWideChar(kShiftJis, 0, bytes, static_cast<int>(length), nullptr, 0);
    if (n <= 0) return out;
    out.assign(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(kShiftJis, 0, bytes, static_cast<int>(length), &out[0], n);
    return out;
}

// The marks and the two source-dependent controls for a source.
void showSource(Form& form, int kind) {
    const SourceControls s = controlsForSource(kind);
    for (int i = 0; i < 3; ++i) copyPicture(form, "Img_BGM", i, "Img_Ra", 0);
    if (s.selectedMark >= 0) copyPicture(form, "Img_BGM", s.selectedMark, "Img_Ra", 1);
    if (s.repeatEnabled) setControlEnabled(form, "BGM_Repeat", -1, true);
}

void SelectBgmKind(Form& form, int16_t index) {
    BgmKind = index;
    setControlEnabled(form, "Cmd_File", -1, false);
    setControlEnabled(form, "BGM_Repeat", -1, false);
    showSource(form, index);
    if (controlsForSource(index).fileButtonEnabled) setControlEnabled(form, "Cmd_File", -1, true);
}

void InitButtons(Form& form) {
    const FormLayout& layout = formLayout(form);
    for (size_t i = 0; i < layout.controlCount; ++i) {
        const ControlLayout& c = layout.controls[i];
        if (c.kind == ControlKind::CommandButton) initializeButton(form, c.name, c.index);
    }
}

// Covers the panel with copies of Pic_Mbl's tile, column by column.
void TilePanel(Form& form, const char* panel) {
    const RECT tile = controlRectPx(form, "Pic_Mbl", -1);
    const RECT area = controlRectPx(form, panel, -1);
    HDC source = imageDC(form, "Pic_Mbl", -1);
    HDC target = imageDC(form, panel, -1);
    const int tileWidth = tile.right - tile.left, tileHeight = tile.bottom - tile.top;
    if (!source || !target) return;
    for (const TileSpot& spot : tileSpots(area.right - area.left, area.bottom - area.top, tileWidth, tileHeight))
        ApiResult = BitBlt(target, spot.x, spot.y, tileWidth, tileHeight, source, 0, 0, SRCCOPY);
    refreshControl(form, panel, -1);
}

void Form_Load(Form& form) {
    const Placement at =
        dialogPlacement(screenWidthTwips(), screenHeightTwips(), formWidthTwips(form), formHeightTwips(form));
    moveForm(form, at.left, at.top, formWidthTwips(form), formHeightTwips(form));
    InitButtons(form);
    TilePanel(form, "Pic_C");
    setControlEnabled(form, "BGM_Repeat", -1, false);
    showSource(form, BgmKind);
    setControlEnabled(form, "Cmd_File", -1, controlsForSource(BgmKind).fileButtonEnabled);
    setControlText(form, "BGM_Repeat", -1, widenUtf8(formatHashes(BgmRepeatTrack)));
    for (const std::string& entry : repeatEntries()) addComboItem(form, "BGM_Repeat", -1, widenUtf8(entry));
    setControlCaption(form, "lbl_Fname", -1, widenAnsi(BgmFile));

    POINT cursor = {0, 0};
    ApiResult = GetCursorPos(&cursor);
    if (ApiResult != 0) {
        // A coordinate that does not fit 16 bits keeps its previous value.
        if (cursor.x >= -32768 && cursor.x <= 32767) CursorX = static_cast<int16_t>(cursor.x);
        if (cursor.y >= -32768 && cursor.y <= 32767) CursorY = static_cast<int16_t>(cursor.y);
    } else {
        CursorX = 0;
        CursorY = 0;
    }
    AnimateOpen(formWindow(form));
    setScreenPointer(ScreenPointer::Default);
}

// The background: horizontal lines whose brightness follows a sine curve.
void Form_Resize(Form& form) {
    HDC dc = imageDC(form);
    if (!dc) return;
    const int width = formInsideWidthPx(form);
    const std::vector<int> shades = backgroundShades(formInsideHeightPx(form));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(DC_PEN));
    for (size_t y = 0; y < shades.size(); ++y) {
        const int v = shades[y];
        SetDCPenColor(dc, RGB(v, v, v + 30));
        MoveToEx(dc, 0, static_cast<int>(y), nullptr);
        LineTo(dc, width, static_cast<int>(y));
    }
    SelectObject(dc, oldPen);
    refreshControl(form);
}

void Form_Unload(Form& form) { AnimateClose(formWindow(form)); }

void Cmd_File_Click(Form& form) {
    // The platform's Unicode chooser with the Shift-JIS texts decoded, so the
    // title and filter read correctly whatever the system's code page; the
    // chosen path is kept in the ANSI code page like every other path here.
    const std::wstring filter = fromShiftJis(kFilterSjis, sizeof kFilterSjis);  // both NULs at the end
    const std::wstring title = fromShiftJis(kTitleSjis, sizeof kTitleSjis);
    const std::wstring folder = widenAnsi(BgmFolder);
    wchar_t file[kFileBufferLength + 1] = {};
    wchar_t fileTitle[kFileBufferLength + 1] = {};

    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = formWindow(form);
    ofn.hInstance = GetModuleHandleW(nullptr);
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = kFileBufferLength;
    ofn.lpstrFileTitle = fileTitle;
    ofn.nMaxFileTitle = kFileBufferLength;
    ofn.lpstrInitialDir = folder.c_str();
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = 0;
    ApiResult = GetOpenFileNameW(&ofn);
    if (ApiResult <= 0) return;

    // A name the ANSI functions could not open, or one past the buffer's
    // length in ANSI bytes, counts as a failed choice. (A UTF-8 code page
    // holds every name, and refuses the lossy flag.)
    BOOL lossy = FALSE;
    BOOL* lossyFlag = GetACP() == CP_UTF8 ? nullptr : &lossy;
    const int n = WideCharToMultiByte(CP_ACP, 0, file, -1, nullptr, 0, nullptr, lossyFlag);
    if (n <= 1 || n > kFileBufferLength || lossy) return;
    std::string chosen(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, file, -1, &chosen[0], n, nullptr, nullptr);
    chosen.resize(std::strlen(chosen.c_str()));

    BgmFile = chosen;
    setControlCaption(form, "lbl_Fname", -1, widenAnsi(BgmFile));
    BgmFolder = FolderOfPath(BgmFile);
}

void Cmd_Set_Click(Form& form) {
    BgmRepeatTrack = repeatTrackFromText(narrowAnsi(controlText(form, "BGM_Repeat", -1)));
    const SettingsSave save = saveSettings();
    if (!save.saved) {
        // Closing would look as if the choice were kept: say where it could
        // not go, and stay open for another try or a cancel.
        MessageBoxW(formWindow(form), widenAnsi(saveFailureText(save)).c_str(), L"Kestrine", MB_OK | MB_ICONERROR);
        return;
    }
    unloadForm(form);
}

void Cmd_Can_Click(Form& form) { unloadForm(form); }

void lbl_URL_Click(Form& form) {
    setScreenPointer(ScreenPointer::Hourglass);
    const std::string address = narrowAnsi(controlCaption(form, "lbl_URL", -1));
    ShellExecuteA(formWindow(form), "open", address.c_str(), "", "", SW_SHOWNORMAL);
    setScreenPointer(ScreenPointer::Default);
}

void onClick(Form& form, const char* name, int) {
    if (std::strcmp(name, "Cmd_File") == 0)
        Cmd_File_Click(form);
    else if (std::strcmp(name, "Cmd_Set") == 0)
        Cmd_Set_Click(form);
    else if (std::strcmp(name, "Cmd_Can") == 0)
        Cmd_Can_Click(form);
    else if (std::strcmp(name, "lbl_URL") == 0)
        lbl_URL_Click(form);
}

// lbl_BGM_MouseDown and Img_BGM_MouseDown: any mouse button selects the source.
void onMouseDown(Form& form, const char* name, int index, int, int, float, float) {
    if (std::strcmp(name, "lbl_BGM") == 0 || std::strcmp(name, "Img_BGM") == 0)
        SelectBgmKind(form, static_cast<int16_t>(index));
}

}  // namespace

void showSettingsDialog() {
    FormEvents events = {};
    events.load = Form_Load;
    events.resize = Form_Resize;
    events.unload = Form_Unload;
    events.click = onClick;
    events.mouseDown = onMouseDown;
    Form* form = loadForm(Solvane_P_Layout, events);
    if (form) showForm(*form, true);
}
