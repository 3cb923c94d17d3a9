// The custom button's window class "Solvane.Command". The forms runtime
// creates instances from the layouts; the behaviour lives in button_state.h.
#pragma once
#include <windows.h>

#include <string>

#include "frontend/ui/button_state.h"

// Where a button reports its Click.
struct CommandButtonHost {
    void (*click)(void* context) = nullptr;
    void* context = nullptr;
};

// Creates a button as a child of parent at the pixel rectangle, reading its
// persisted properties from bag (missing keys take their read defaults;
// ambient is the container's font), then refreshing its face. Null on failure.
HWND createCommandButton(HWND parent, int x, int y, int width, int height, int controlId, const PropertyBag& bag,
                         const ButtonFont& ambient, const CommandButtonHost& host);

// The button's public members; each does nothing for a window that is not a button.
void commandInitialize(HWND button);
void commandSetEnabled(HWND button, bool enabled);
bool commandEnabled(HWND button);  // reading redraws Normal or Disable
void commandSetCaption(HWND button, const std::wstring& caption);
std::wstring commandCaption(HWND button);
void commandSetFont(HWND button, const ButtonFont& font);  // replaces the caption's font
ButtonFont commandFont(HWND button);
void commandSetFontColour(HWND button, COLORREF colour);
COLORREF commandFontColour(HWND button);
void commandSetVisible(HWND button, bool opaque);
bool commandVisible(HWND button);
// The properties as they would be persisted (the layout's saving step).
void commandSaveProperties(HWND button, const ButtonFont& ambient, PropertyBag& bag);
ButtonState commandState(HWND button);
