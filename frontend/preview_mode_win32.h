// Loads the preview form Solvane_R into the host's preview window; the
// program ends when that window goes away.
#pragma once
#include <windows.h>

// The form becomes the host's child and covers it: width and height are the
// host window's size in pixels.
void LoadPreviewForm(HWND host, int width, int height);
