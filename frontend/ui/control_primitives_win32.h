// What the forms runtime and the custom button both draw and read with:
// fonts, captions and the mouse buttons of a message; their text converts
// through text/code_page_win32.h.
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
