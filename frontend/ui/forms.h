// The forms runtime: realises a window layout (layouts.h) into a top-level
// window with its controls, runs the window's event handlers, and gives the
// handlers the few operations they need on controls. Win32 only.
//
// Controls are named as in the layouts; index -1 names a control that is not
// part of a control array. Every function tolerates a name that does not
// exist (it does nothing and returns a neutral value), so a handler never
// crashes on a missing control.
#pragma once
#include <windows.h>

#include <string>

#include "frontend/ui/layouts.h"

struct Form;

// Mouse buttons as handed to mouseDown (several may be pressed at once).
enum : int { kMouseLeft = 1, kMouseRight = 2, kMouseMiddle = 4 };

struct FormEvents {                          // any handler may be null
    void (*load)(Form&);                     // after all controls exist (Form_Load)
    void (*timer)(Form&, const char* name);  // a timer control ticked (Timer1_Timer...)
    void (*queryUnload)(Form&);              // every unload: by code, close box, end of session
    void (*unload)(Form&);                   // Form_Unload
    void (*resize)(Form&);                   // Form_Resize: after the window got its size
    // A label was clicked with the left button (press and release on it), or a
    // custom button raised its Click event.
    void (*click)(Form&, const char* name, int index);
    // A mouse button was pressed on a label or an image (windowless controls).
    void (*mouseDown)(Form&, const char* name, int index, int button, int shift, float x, float y);
};

// Creates the window and all controls, hidden, then runs load. The Form stays
// valid for the rest of the process, also after it has been unloaded.
Form* loadForm(const FormLayout& layout, const FormEvents& events);
// Shows the window. modal: runs a nested message loop until the form unloads.
void showForm(Form& form, bool modal);
// Runs queryUnload then unload and destroys the window. Safe to call twice.
void unloadForm(Form& form);
bool formLoaded(const Form& form);
// Runs the message loop until every loaded form has been unloaded.
void runMessageLoop();

HWND formWindow(const Form& form);
const FormLayout& formLayout(const Form& form);
// The window of a windowed control (picture box, combo box, custom button), or null.
HWND controlWindow(const Form& form, const char* name, int index = -1);

// Timers.
void setTimerEnabled(Form& form, const char* name, bool enabled);
bool timerEnabled(const Form& form, const char* name);
void setTimerInterval(Form& form, const char* name, int intervalMs);

// Writes the control's picture (picture box or image) as a 24-bit BMP with a
// 40-byte header. False when the control has no picture or the write failed.
bool savePicture(const Form& form, const char* name, int index, const char* path);
// The picture of one control becomes the picture of another (images, picture boxes).
void copyPicture(Form& form, const char* toName, int toIndex, const char* fromName, int fromIndex);

// Position and size. moveForm takes the outer window rectangle in twips.
void moveForm(Form& form, int leftTwips, int topTwips, int widthTwips, int heightTwips);
void moveControl(Form& form, const char* name, int index, int leftPx, int topPx, int widthPx, int heightPx);
int formWidthTwips(const Form& form);  // outer size
int formHeightTwips(const Form& form);
int formInsideWidthPx(const Form& form);  // client size
int formInsideHeightPx(const Form& form);
RECT controlRectPx(const Form& form, const char* name, int index);  // in its container
int twipsPerPixelX();
int twipsPerPixelY();
int screenWidthTwips();
int screenHeightTwips();

// Drawing on persistent images: the device context of the form's own image
// (name null) or of a picture box's image. What is drawn there stays and is
// shown on every repaint; call refreshControl afterwards to show it now.
HDC imageDC(Form& form, const char* name = nullptr, int index = -1);
void refreshControl(Form& form, const char* name = nullptr, int index = -1);

// Control properties. Captions are UTF-16; see widen* below.
void setControlEnabled(Form& form, const char* name, int index, bool enabled);
bool controlEnabled(const Form& form, const char* name, int index);
void setControlVisible(Form& form, const char* name, int index, bool visible);
void setControlCaption(Form& form, const char* name, int index, const std::wstring& caption);
std::wstring controlCaption(const Form& form, const char* name, int index);
// Combo box text and list.
void setControlText(Form& form, const char* name, int index, const std::wstring& text);
std::wstring controlText(const Form& form, const char* name, int index);
void addComboItem(Form& form, const char* name, int index, const std::wstring& item);
// Custom buttons: Initialize (state Normal, hover timer at 100 ms).
void initializeButton(Form& form, const char* name, int index);

// The screen-wide mouse pointer (overrides every control's pointer).
enum class ScreenPointer { Default, Hourglass };
void setScreenPointer(ScreenPointer pointer);

// Text conversions for captions.
std::wstring widenUtf8(const std::string& text);
std::wstring widenAnsi(const std::string& text);  // the system's ANSI code page
std::string narrowAnsi(const std::wstring& text);

// For controls drawn by the runtime's own window classes: paints what the
// container shows behind the control (its persistent image and windowless
// controls) into dc, in the control's client coordinates.
void paintContainerBehind(HWND control, HDC dc);
