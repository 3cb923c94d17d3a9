// What the forms runtime and the custom button both draw and read with:
// fonts, captions, the mouse buttons of a message, and text in the code
// pages the captions come in.
#pragma once
#include <windows.h>

#include <string>

#include "frontend/ui/font_desc.h"
#include "text/code_page_win32.h"

// A layout's font at dpi.
HFONT createFont(const FontDesc& font, int dpi);

// Draws a caption in its colour, or greyed as the system draws disabled text:
// a light copy one pixel below right, the grey text over it.
void drawCaptionText(HDC dc, const wchar_t* text, RECT r, UINT format, bool enabled, COLORREF colour);

// The mouse button (kMouseLeft...) a button message is about; 0 for other messages.
int mouseButtonOf(UINT message);
// True while any mouse button is down, by a mouse message's key flags.
bool anyMouseButtonHeld(WPARAM keys);

// Text conversions for captions.
std::wstring widenUtf8(const std::string& text);
std::string narrowUtf8(const std::wstring& text);
std::wstring widenAnsi(const std::string& text);  // the system's ANSI code page
std::string narrowAnsi(const std::wstring& text);
