// The settings dialog's pictures: button faces, metal tile, radio marks,
// title-bar icon and the link's hand cursor.
#pragma once
#include "assets/generator/icon_file.h"
#include "assets/generator/picture.h"

enum class ButtonFace { Normal, HighLight, Selected, HighLightSelect, Pressed, Disable };

Picture makeButtonFace(ButtonFace face);  // 64 x 25
Picture makeMetalTile();                  // 556 x 20, tiles both ways
Picture makeRadioMark(bool selected);     // 12 x 12
IndexedPicture makeDialogIcon();          // 32 x 32, 8 bits per pixel
MonochromeCursor makeLinkCursor();        // 32 x 32, hot spot (12, 10)
