// The forms runtime: realises a window layout (layouts.h) into a top-level
// window with its controls, at the dots per inch of the screen it shows on
// (and again at each new scale the system announces), runs the window's
// event handlers, and gives the handlers the few operations they need on
// controls. Controls are named by their windows' typed identifiers
// (Solvane_P::Control::Cmd_Set...).
//
// Sections, each in its own file:
//   windows and controls  forms_win32.cpp
//   pictures              form_pictures_win32.cpp  (persistent images, drawing)
//   timers                form_timers_win32.cpp
//   mouse dispatch        form_mouse_win32.cpp     (presses, clicks, pointers)
#pragma once
#include <windows.h>

#include <string>

#include "frontend/ui/control_primitives_win32.h"
#include "frontend/ui/layouts.h"

struct Form;

struct FormEvents {                          // any handler may be null
    void (*load)(Form&);                     // after all controls exist
    void (*timer)(Form&, ControlRow timer);  // a timer control ticked
    void (*queryUnload)(Form&);              // every unload: by code, close box, end of session
    void (*unload)(Form&);                   // after queryUnload
    void (*resize)(Form&);                   // after the window got its size
    void (*dpiChanged)(Form&);               // after the form was laid out again for a new scale
    // A label was clicked with the left button (press and release on it), or a
    // custom button raised its Click event.
    void (*click)(Form&, ControlRow control);
    // A mouse button was pressed on a label or an image (windowless controls).
    void (*mouseDown)(Form&, ControlRow control, int button, int shift, float x, float y);
};

// ---- Windows and controls.

// Creates the window and all controls, hidden, then runs load. The Form stays
// valid for the rest of the process, also after it has been unloaded.
Form* loadForm(const FormLayout& layout, const FormEvents& events);
// Shows the window. modal: runs a nested message loop until the form unloads.
void showForm(Form& form, bool modal);
// Runs queryUnload then unload and destroys the window. Safe to call twice.
void unloadForm(Form& form);
// Runs the message loop until every loaded form has been unloaded.
void runMessageLoop();

HWND formWindow(const Form& form);
// The window of a windowed control (picture box, combo box, custom button), or null.
HWND controlWindow(const Form& form, ControlRow control);

// Position and size in pixels: the form's outer rectangle on the screen, a
// control's rectangle in its container's client area.
void moveForm(Form& form, int left, int top, int width, int height);
void moveControl(Form& form, ControlRow control, int left, int top, int width, int height);
RECT controlRect(const Form& form, ControlRow control);
// The dots per inch the form is laid out for: its window's when it loaded,
// then each new scale the system announces (the window moved to a monitor
// of another scale). rescaleForm lays the form out again for dpi and gives
// the window the suggested outer rectangle, or its size at that scale.
int formDpi(const Form& form);
void rescaleForm(Form& form, int dpi, const RECT* suggested);

// Control properties. Captions are UTF-16; see widen* in control_primitives_win32.h.
void setControlEnabled(Form& form, ControlRow control, bool enabled);
void setControlCaption(Form& form, ControlRow control, const std::wstring& caption);  // labels
std::wstring controlCaption(const Form& form, ControlRow control);
// Combo box text and list.
void setControlText(Form& form, ControlRow control, const std::wstring& text);
std::wstring controlText(const Form& form, ControlRow control);
void addComboItem(Form& form, ControlRow control, const std::wstring& item);
// Custom buttons: Initialize (state Normal, hover timer at 100 ms).
void initializeButton(Form& form, ControlRow button);

// ---- Pictures.

// Drawing on persistent images: the device context of the form's own image
// or of a picture box's image. What is drawn there stays and is shown on
// every repaint; refresh afterwards to show it now.
HDC formImageDC(Form& form);
HDC imageDC(Form& form, ControlRow pictureBox);
void refreshForm(Form& form);
void refreshControl(Form& form, ControlRow control);
// The picture of one control becomes the picture of another (images, picture boxes).
void copyPicture(Form& form, ControlRow to, ControlRow from);
// What a windowed control's container shows behind it (its persistent image
// and windowless controls), drawn into dc in the control's client coordinates.
void paintBehind(HWND control, HDC dc);

// ---- Timers.

void setTimerEnabled(Form& form, ControlRow timer, bool enabled);
bool timerEnabled(const Form& form, ControlRow timer);

// ---- Mouse.

// The screen-wide mouse pointer (overrides every control's pointer).
enum class ScreenPointer { Default, Hourglass };
void setScreenPointer(ScreenPointer pointer);
