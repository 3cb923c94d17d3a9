// The caption zoom with which the settings dialog opens from, and closes
// into, the point CursorX, CursorY.
#pragma once
#include <windows.h>

void AnimateOpen(HWND hWnd);
void AnimateClose(HWND hWnd);
