// Inside the forms runtime: the records of a loaded form and its controls,
// and what the runtime's files use of each other. Not for the runtime's users
// (they include forms_win32.h).
//
// A form is a top-level window of class "KestrineForm" with a persistent
// image (a memory bitmap that keeps what the handlers draw); picture boxes
// are child windows of class "KestrinePicture" with their own persistent
// images. Labels, images and shapes have no window: their container draws
// them over its persistent image and hit-tests them for the mouse. Combo
// boxes are the native control; custom buttons are the "Solvane.Command"
// class (button_state_win32.cpp).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "frontend/ui/forms_win32.h"
#include "frontend/ui/picture_win32.h"

struct Control {
    Form* form = nullptr;
    const ControlLayout* layout = nullptr;
    RECT rect = {0, 0, 0, 0};  // pixels, in the container's client area
    std::wstring caption;      // labels
    bool enabled = true;
    PictureRef picture;
    HFONT font = nullptr;  // labels and combo boxes, made at the form's scale
    HWND window = nullptr;
    Surface image;  // picture boxes, made when first needed
    HBRUSH backBrush = nullptr;
    HCURSOR cursor = nullptr;
    bool timerOn = false;
};

struct Form {
    const FormLayout* layout = nullptr;
    FormEvents events = {};
    HWND window = nullptr;
    bool loaded = false;
    bool unloading = false;
    bool shown = false;
    int dpi = 96;  // the scale its controls are laid out for
    Surface image;
    std::vector<Control> controls;  // one per layout row, in row order
    int pressed = -1;               // row of the windowless control that took the left press
    HICON icon = nullptr;
};

// Child window identifiers and timer identifiers: this plus the row.
constexpr int kFirstControlId = 100;

// ---- forms_win32.cpp
Form* formOf(HWND window);
// The form that a form window or picture box belongs to; null for any other window.
Form* formOfContainer(HWND window);
// The control a typed identifier names; a debug build stops on one that is
// not a control of this form, otherwise the answer is null.
Control* findControl(Form& form, ControlRow control);
const Control* findControl(const Form& form, ControlRow control);
// The container a window stands for: kNoRow for the form, else a picture box's row.
Row containerOf(const Form& form, HWND window);
HWND containerWindow(const Form& form, Row container);
COLORREF colourOf(const Colour& colour);
bool isWindowless(ControlKind kind);

// ---- form_pictures_win32.cpp
// The persistent image of a container (kNoRow: the form), made with its
// background colour and picture the first time it is needed.
Surface* containerImage(Form& form, Row container);
void paintContainer(Form& form, HWND window);
void invalidateControl(Control& c);

// ---- form_timers_win32.cpp
void timerTicked(Form& form, WPARAM id);
void stopTimers(Form& form);

// ---- form_mouse_win32.cpp
// Presses, releases and the pointer over a container; false for other messages.
bool containerMouse(Form& form, HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
