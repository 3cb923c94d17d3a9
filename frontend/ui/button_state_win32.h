// The custom button's window class "Solvane.Command": window messages become
// the state machine's notifications (button_state.h), and the faces it asks
// for are drawn. The forms runtime creates the instances from the layouts.
#pragma once
#include <windows.h>

#include <string>

#include "frontend/ui/button_state.h"
#include "frontend/ui/font_desc.h"

// Where a button reports its Click, and what draws what its container shows
// behind it (into dc in the button's client coordinates) while it is transparent.
struct CommandButtonHost {
    void (*click)(void* context) = nullptr;
    void* context = nullptr;
    void (*paintBehind)(HWND button, HDC dc) = nullptr;
};

// Creates a button as a child of parent at the pixel rectangle, drawn for
// the screen's dots per inch dpi; reads its persisted properties from stored
// (a key not stored takes its read default; ambient is its container's
// font), runs RefreshFace and takes its size. Null on failure.
HWND createCommandButton(HWND parent, int x, int y, int width, int height, int controlId,
                         const StoredButtonProperties& stored, const FontDesc& ambient, int dpi,
                         const CommandButtonHost& host);

// The button's public members. Each does nothing (or reads as empty) for a
// window that is not a button.
// Initialize: state Normal, and the hover timer starts.
void commandInitialize(HWND button);
void commandSetEnabled(HWND button, bool enabled);
bool commandEnabled(HWND button);  // redraws the Normal or Disable face
void commandSetCaption(HWND button, const std::wstring& caption);
std::wstring commandCaption(HWND button);
void commandSetFont(HWND button, const FontDesc& font);  // replaces the caption's font
FontDesc commandFont(HWND button);
void commandSetFontColour(HWND button, COLORREF colour);  // both run RefreshFace
COLORREF commandFontColour(HWND button);
// Visible: false makes the background transparent (the face no longer
// shows, the caption stays); true makes it opaque and runs RefreshFace, as
// reading it does while it is opaque.
void commandSetVisible(HWND button, bool visible);
bool commandVisible(HWND button);
// Saving into a layout: the stored property set, then RefreshFace.
StoredButtonProperties commandSaveProperties(HWND button, const FontDesc& ambient);
// Draws the button for another scale from its next face and paint on (its
// form gives it its new size next).
void commandSetDpi(HWND button, int dpi);
// The state machine's state; None for a window that is not a button.
ButtonState commandState(HWND button);
