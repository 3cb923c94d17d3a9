// The custom button's window class "Solvane.Command": window messages become
// the state machine's notifications (button_state.h), and the faces it asks
// for are drawn. The forms runtime creates the instances from the layouts.
#pragma once
#include <windows.h>

#include <string>

#include "frontend/ui/button_state.h"
#include "frontend/ui/layouts.h"

// Where a button reports its Click.
struct CommandButtonHost {
    void (*click)(void* context) = nullptr;
    void* context = nullptr;
};

// Creates an enabled button as a child of parent at the pixel rectangle with
// the caption (its window text) and font its layout gives, and draws its
// Normal face. Null on failure.
HWND createCommandButton(HWND parent, int x, int y, int width, int height, int controlId, const std::wstring& caption,
                         const FontDesc& font, const CommandButtonHost& host);

// Initialize: state Normal, and the hover timer starts.
void commandInitialize(HWND button);
// Writing the Enabled property.
void commandSetEnabled(HWND button, bool enabled);
// The state machine's state; None for a window that is not a button.
ButtonState commandState(HWND button);
