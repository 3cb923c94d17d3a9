// The settings dialog's deciding logic without any window: which mark is
// selected and which controls are usable for a music source, the repeat
// box's texts, the conversion of its text when confirming, the placement of
// the dialog, the panel's tiling walk and the background's line shades.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Which controls a music source makes usable. selectedMark is the index of
// the mark shown as selected, or -1 when the source names no mark.
struct SourceControls {
    int selectedMark = -1;
    bool repeatEnabled = false;
    bool fileButtonEnabled = false;
};

// The same rule serves the load (steps 4 to 7) and a press on a choice.
SourceControls controlsForSource(int bgmKind);

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

// Form_Resize's background: for each y from 0 to the inside height, the
// shade v of the line (red v, green v, blue v + 30).
std::vector<int> backgroundShades(int insideHeight);
