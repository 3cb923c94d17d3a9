// Loads the preview form Solvane_R into the host's preview window; the
// program ends when that window goes away.
#pragma once
#include <windows.h>

void LoadPreviewForm(HWND host);
