// The settings dialog Solvane_P: the music source, the CD track to repeat and
// the music file, written to the settings file on confirm. Its handlers
// decide here; the dialog's window and the system calls behind them come
// through DialogPort (settings_dialog_win32.cpp supplies the real ones).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "frontend/ui/layouts.h"

namespace Solvane_P {

struct Size {
    int width, height;
};

struct DialogPort {
    virtual ~DialogPort() = default;
    // The screen's size and the dialog's outer size, in twips.
    virtual Size screenTwips() = 0;
    virtual Size dialogTwips() = 0;
    // Moves the dialog's top-left corner to a screen position in twips.
    virtual void moveDialog(int leftTwips, int topTwips) = 0;
    // The dialog's inside in pixels, and a line of one colour across it on
    // the dialog's persistent image.
    virtual Size insideSize() = 0;
    virtual void drawLine(int y, int width, int red, int green, int blue) = 0;
    virtual void refreshDialog() = 0;
    // A control's size in pixels; copying part of one picture box's image
    // into another's (BitBlt with SRCCOPY), then showing it.
    virtual Size controlSize(Control control) = 0;
    virtual void copyImage(Control from, Control to, int x, int y, int width, int height) = 0;
    virtual void refresh(Control control) = 0;
    // The custom button's Initialize.
    virtual void initializeButton(Control button) = 0;
    virtual void setEnabled(Control control, bool enabled) = 0;
    virtual void copyPicture(Control to, Control from) = 0;
    // Texts in the system's ANSI code page: the combo box's text and list, a
    // label's caption.
    virtual void setText(Control combo, const std::string& text) = 0;
    virtual std::string text(Control combo) = 0;
    virtual void addItem(Control combo, const std::string& item) = 0;
    virtual void setCaption(Control label, const std::string& caption) = 0;
    virtual std::string caption(Control label) = 0;
    // GetCursorPos: its result; the pointer's screen position when not 0.
    virtual int32_t cursorPos(int32_t& x, int32_t& y) = 0;
    // The caption zoom from CursorX, CursorY to the dialog, and back.
    virtual void animateOpen() = 0;
    virtual void animateClose() = 0;
    // The screen's mouse pointer: the hourglass, or the default shape.
    virtual void showHourglass(bool on) = 0;
    // The file chooser (filter, title, buffer length and flags as the
    // dialog gives them) opened in a folder: its result, and the chosen
    // path when that is greater than 0.
    virtual int32_t chooseFile(const std::string& folder, std::string& path) = 0;
    // Opens a web address with the system's handler.
    virtual void openAddress(const std::string& address) = 0;
    // A message box over the dialog (text in the ANSI code page) that the
    // user closes.
    virtual void showError(const std::string& text) = 0;
    // Unloads the dialog: Form_Unload runs.
    virtual void unload() = 0;
};

// The dialog's event handlers and procedures.
void Form_Load(DialogPort& port);
void Form_Resize(DialogPort& port);
void Form_Unload(DialogPort& port);
// The window was laid out again for a new scale (moved to a monitor of
// another scale): the panel's image was made anew and is covered again.
void Form_DpiChanged(DialogPort& port);
void SelectBgmKind(DialogPort& port, int16_t index);
void InitButtons(DialogPort& port);
void TilePanel(DialogPort& port, Control panel);
void lbl_BGM_MouseDown(DialogPort& port, int16_t index, int16_t button, int16_t shift, float x, float y);
void Img_BGM_MouseDown(DialogPort& port, int16_t index, int16_t button, int16_t shift, float x, float y);
void Cmd_File_Click(DialogPort& port);
void Cmd_Set_Click(DialogPort& port);
void Cmd_Can_Click(DialogPort& port);
void lbl_URL_Click(DialogPort& port);

// The window's events, routed to the handlers above: a Click of a button or
// of the link label, a mouse press on a windowless control.
void Click(DialogPort& port, Control control);
void MouseDown(DialogPort& port, Control control, int button, int shift, float x, float y);

}  // namespace Solvane_P

// ---- The rules the handlers follow, as plain functions.

// The "##" number pattern: empty for 0, else the decimal number.
std::string formatHashes(long value);

// The repeat box's 31 entries: "", "1" ... "30".
std::vector<std::string> repeatEntries();

// The repeat box's text as the stored track: a numeric text rounds to the
// nearest whole number, halves to the even neighbour; anything else is 0.
// A number beyond the 16-bit range is limited to -32768 or 32767.
int16_t repeatTrackFromText(const std::string& text);
// Whether the text reads as a number (spaces around it, a sign, digits with
// one decimal point, an exponent; or &H hexadecimal / &O octal).
bool isNumericText(const std::string& text, double* value = nullptr);

// Whole-number rounding with halves to the even neighbour.
double roundHalfEven(double v);

// (screen - dialog) / 2 and / 3, truncated toward zero.
struct Placement {
    int left, top;
};
Placement dialogPlacement(int screenWidth, int screenHeight, int dialogWidth, int dialogHeight);

// TilePanel's walk: where each copy of the tile lands, column by column,
// each column running one tile past the bottom edge. A tile without area
// gives no copies (the walk would never end).
struct TileSpot {
    int x, y;
};
std::vector<TileSpot> tileSpots(int panelWidth, int panelHeight, int tileWidth, int tileHeight);

// The background's shades: for each y from 0 to the inside height, the
// shade v of the line (red v, green v, blue v + 30).
std::vector<int> backgroundShades(int insideHeight);
