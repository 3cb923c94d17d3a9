// Resource numbers of the pictures that Kestrine.scr carries. Shared by
// resources.rc and the layout tables, so it holds nothing but #defines.
#pragma once

#define IDI_DIALOG_ICON 1  // first icon: also the program's icon

#define IDR_LAKE_BED 101       // JPEG 256 x 256
#define IDR_BACKDROP 102       // JPEG 1024 x 256
#define IDR_SPLASH 103         // JPEG 64 x 64
#define IDR_PREVIEW 104        // JPEG 152 x 112
#define IDR_METAL_TILE 105     // BMP 556 x 20
#define IDR_RADIO_OFF 106      // JPEG 12 x 12
#define IDR_RADIO_ON 107       // JPEG 12 x 12
#define IDR_BUTTON_NORMAL 110  // BMP 64 x 25 each
#define IDR_BUTTON_HIGHLIGHT 111
#define IDR_BUTTON_SELECTED 112
#define IDR_BUTTON_HIGHLIGHT_SELECT 113
#define IDR_BUTTON_PRESSED 114
#define IDR_BUTTON_DISABLE 115

#define IDC_LINK_HAND 201  // monochrome cursor 32 x 32
