// The settings dialog's handlers and the rules they follow.
//
// Sections: the handlers (load, background, panel, choice, buttons, link,
// event routing); the repeat box's texts; placement, tiling and shading.
#include "frontend/ui/settings_dialog.h"

#include <cctype>
#include <cmath>

#include "frontend/blank_text.h"
#include "frontend/number_text.h"
#include "frontend/program_state.h"
#include "frontend/settings_file.h"
#include "frontend/settings_location.h"

namespace Solvane_P {

namespace {

// The marks show the source: every mark unselected, then the source's mark
// selected; a source outside 0 to 2 names no mark.
void showMarks(DialogPort& port, int index) {
    for (int i = 0; i < 3; ++i) port.copyPicture(Img_BGM(i), Img_Ra(0));
    if (index >= 0 && index <= 2) port.copyPicture(Img_BGM(index), Img_Ra(1));
}

// GetCursorPos gives 32-bit coordinates; one that does not fit the 16-bit
// variable leaves it as it was.
void keepCoordinate(int32_t value, int16_t& variable) {
    if (value >= INT16_MIN && value <= INT16_MAX) variable = static_cast<int16_t>(value);
}

}  // namespace

// ---- Loading and closing.

void Form_Load(DialogPort& port) {
    const Size screen = port.screenTwips();
    const Size dialog = port.dialogTwips();
    const Placement at = dialogPlacement(screen.width, screen.height, dialog.width, dialog.height);
    port.moveDialog(at.left, at.top);
    InitButtons(port);
    TilePanel(port, Control::Pic_C);
    port.setEnabled(Control::BGM_Repeat, false);
    showMarks(port, BgmKind);
    if (BgmKind == 1) port.setEnabled(Control::BGM_Repeat, true);
    port.setEnabled(Control::Cmd_File, BgmKind == 2);
    port.setText(Control::BGM_Repeat, formatHashes(BgmRepeatTrack));
    for (const std::string& entry : repeatEntries()) port.addItem(Control::BGM_Repeat, entry);
    port.setCaption(Control::lbl_Fname, BgmFile);

    int32_t x = 0, y = 0;
    ApiResult = port.cursorPos(x, y);
    if (ApiResult != 0) {
        keepCoordinate(x, CursorX);
        keepCoordinate(y, CursorY);
    } else {
        CursorX = 0;
        CursorY = 0;
    }
    port.animateOpen();
    port.showHourglass(false);
}

void Form_Unload(DialogPort& port) { port.animateClose(); }

void Form_DpiChanged(DialogPort& port) { TilePanel(port, Control::Pic_C); }

// ---- The background: horizontal lines whose brightness follows a sine curve.

void Form_Resize(DialogPort& port) {
    const Size inside = port.insideSize();
    const std::vector<int> shades = backgroundShades(inside.height);
    for (size_t y = 0; y < shades.size(); ++y) {
        const int v = shades[y];
        port.drawLine(static_cast<int>(y), inside.width, v, v, v + 30);
    }
    port.refreshDialog();
}

// ---- The panel and the buttons.

void TilePanel(DialogPort& port, Control panel) {
    const Size tile = port.controlSize(Control::Pic_Mbl);
    const Size area = port.controlSize(panel);
    for (const TileSpot& spot : tileSpots(area.width, area.height, tile.width, tile.height))
        port.copyImage(Control::Pic_Mbl, panel, spot.x, spot.y, tile.width, tile.height);
    port.refresh(panel);
}

void InitButtons(DialogPort& port) {
    for (size_t i = 0; i < Solvane_P_Layout.controlCount; ++i) {
        const ControlLayout& c = Solvane_P_Layout.controls[i];
        if (c.kind == ControlKind::CommandButton) port.initializeButton(static_cast<Control>(c.row));
    }
}

// ---- The music source.

void SelectBgmKind(DialogPort& port, int16_t index) {
    BgmKind = index;
    port.setEnabled(Control::Cmd_File, false);
    port.setEnabled(Control::BGM_Repeat, false);
    showMarks(port, index);
    if (index == 1) port.setEnabled(Control::BGM_Repeat, true);
    if (index == 2) port.setEnabled(Control::Cmd_File, true);
}

// Any mouse button selects; where it was pressed does not matter.
void lbl_BGM_MouseDown(DialogPort& port, int16_t index, int16_t, int16_t, float, float) { SelectBgmKind(port, index); }

void Img_BGM_MouseDown(DialogPort& port, int16_t index, int16_t, int16_t, float, float) { SelectBgmKind(port, index); }

// ---- The buttons and the link.

void Cmd_File_Click(DialogPort& port) {
    std::string chosen;
    ApiResult = port.chooseFile(BgmFolder, chosen);
    if (ApiResult <= 0) return;
    BgmFile = chosen;
    port.setCaption(Control::lbl_Fname, BgmFile);
    BgmFolder = FolderOfPath(BgmFile);
}

void Cmd_Set_Click(DialogPort& port) {
    BgmRepeatTrack = repeatTrackFromText(port.text(Control::BGM_Repeat));
    const SettingsSave save = saveSettings();
    if (!save.saved) {
        // Closing would look as if the choice were kept: say where it could
        // not go, and stay open for another try or a cancel.
        port.showError(saveFailureText(save));
        return;
    }
    port.unload();
}

void Cmd_Can_Click(DialogPort& port) { port.unload(); }

void lbl_URL_Click(DialogPort& port) {
    port.showHourglass(true);
    port.openAddress(port.caption(Control::lbl_URL));
    port.showHourglass(false);
}

// ---- Event routing.

void Click(DialogPort& port, Control control) {
    switch (control) {
        case Control::Cmd_File: Cmd_File_Click(port); break;
        case Control::Cmd_Set: Cmd_Set_Click(port); break;
        case Control::Cmd_Can: Cmd_Can_Click(port); break;
        case Control::lbl_URL: lbl_URL_Click(port); break;
        default: break;
    }
}

void MouseDown(DialogPort& port, Control control, int button, int shift, float x, float y) {
    const auto b = static_cast<int16_t>(button);
    const auto s = static_cast<int16_t>(shift);
    if (lbl_BGM.indexOf(control) >= 0)
        lbl_BGM_MouseDown(port, static_cast<int16_t>(lbl_BGM.indexOf(control)), b, s, x, y);
    if (Img_BGM.indexOf(control) >= 0)
        Img_BGM_MouseDown(port, static_cast<int16_t>(Img_BGM.indexOf(control)), b, s, x, y);
}

}  // namespace Solvane_P

// ---- The repeat box's texts.

std::string formatHashes(long value) {
    if (value == 0) return "";
    return std::to_string(value);
}

std::vector<std::string> repeatEntries() {
    std::vector<std::string> entries;
    for (int i = 0; i <= 30; ++i) entries.push_back(formatHashes(i));
    return entries;
}

double roundHalfEven(double v) {
    const double lower = std::floor(v);
    const double diff = v - lower;
    if (diff < 0.5) return lower;
    if (diff > 0.5) return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

namespace {

bool parseRadix(const std::string& digits, int radix, double* value) {
    if (digits.empty() || digits.size() > 16) return false;
    unsigned long long v = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        if (d >= radix) return false;
        v = v * static_cast<unsigned>(radix) + static_cast<unsigned>(d);
    }
    if (value) *value = static_cast<double>(v);
    return true;
}

}  // namespace

bool isNumericText(const std::string& text, double* value) {
    const std::string t = trimBlanks(text);
    if (t.size() > 2 && t[0] == '&') {
        const char r = static_cast<char>(std::toupper(static_cast<unsigned char>(t[1])));
        if (r == 'H') return parseRadix(t.substr(2), 16, value);
        if (r == 'O') return parseRadix(t.substr(2), 8, value);
        return false;
    }
    double v = 0.0;
    if (!readDecimal(t, v)) return false;
    if (value) *value = v;
    return true;
}

int16_t repeatTrackFromText(const std::string& text) {
    double v = 0.0;
    if (!isNumericText(text, &v)) return 0;
    const double r = roundHalfEven(v);  // an overflowing exponent gives +-inf, limited below
    if (r > 32767.0) return 32767;
    if (r < -32768.0) return -32768;
    return static_cast<int16_t>(r);
}

// ---- Placement, tiling and shading.

Placement dialogPlacement(int screenWidth, int screenHeight, int dialogWidth, int dialogHeight) {
    return Placement{(screenWidth - dialogWidth) / 2, (screenHeight - dialogHeight) / 3};
}

std::vector<TileSpot> tileSpots(int panelWidth, int panelHeight, int tileWidth, int tileHeight) {
    std::vector<TileSpot> spots;
    if (tileWidth <= 0 || tileHeight <= 0) return spots;
    int x = 0, y = 0;
    for (;;) {
        spots.push_back({x, y});
        if (y > panelHeight) {
            if (x > panelWidth) break;
            x += tileWidth;
            y = 0;
        } else {
            y += tileHeight;
        }
    }
    return spots;
}

std::vector<int> backgroundShades(int insideHeight) {
    std::vector<int> shades;
    if (insideHeight <= 0) {
        // k would be 0: sin(0 / 0) is not a number; the one line at y = 0 is dark.
        if (insideHeight == 0) shades.push_back(0);
        return shades;
    }
    const double k = insideHeight / 3.142;
    for (int y = 0; y <= insideHeight; ++y)
        shades.push_back(static_cast<int>(roundHalfEven(std::fabs(std::sin(y / k) * 220.0))));
    return shades;
}
