// Loads the preview form Solvane_R into the host's preview window; the
// program ends when that window goes away.
#pragma once
#include <windows.h>

// The size of the host's client area in the host's own pixels (its DPI
// awareness may differ from this program's); false when host names no window.
bool previewHostSize(HWND host, int& width, int& height);

// The form becomes the host's child and covers its client area: width and
// height are that area's size in the host's pixels. The form's window takes
// the host's DPI awareness, so the two measure alike and the system accepts
// the parenting.
void loadPreviewForm(HWND host, int width, int height);
