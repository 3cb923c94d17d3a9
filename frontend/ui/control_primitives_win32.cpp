// The forms runtime's and the custom button's shared primitives.
//
// Sections: fonts; captions; mouse buttons.
#include "frontend/ui/control_primitives_win32.h"

#include <cmath>
#include <cwchar>

#include "frontend/ui/button_state.h"

// ---- Fonts.

HFONT createFont(const FontDesc& desc, int dpi) {
    LOGFONTW lf = {};
    lf.lfHeight = -static_cast<LONG>(std::lround(desc.points * dpi / 72.0));
    lf.lfWeight = desc.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = desc.italic;
    lf.lfUnderline = desc.underline;
    lf.lfCharSet = desc.charset;
    const std::wstring face = widenUtf8(desc.face);
    wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&lf);
}

// ---- Captions.

void drawCaptionText(HDC dc, const wchar_t* text, RECT r, UINT format, bool enabled, COLORREF colour) {
    if (enabled) {
        SetTextColor(dc, colour);
        DrawTextW(dc, text, -1, &r, format);
        return;
    }
    OffsetRect(&r, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
    DrawTextW(dc, text, -1, &r, format);
    OffsetRect(&r, -1, -1);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, text, -1, &r, format);
}

// ---- Mouse buttons.

bool anyMouseButtonHeld(WPARAM keys) { return (keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0; }

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
