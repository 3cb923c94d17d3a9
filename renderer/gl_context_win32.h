// The WGL side of a render window: its pixel format, its GL context, and the
// swap interval of the context that is current.
#pragma once

#include <windows.h>

// Sets the window's pixel format (double-buffered RGBA of the given colour
// bits, 16-bit depth) and makes a GL context for it, not yet current. A
// context in shareWith gives the new one its texture objects and display
// lists. Nullptr when any step fails; a context made before the failing
// step is deleted.
HGLRC createGlContext(HDC deviceContext, int bits, HGLRC shareWith);

// Asks the current context to swap every interval refreshes (0: at once),
// where the driver offers swap control; otherwise does nothing.
void setSwapInterval(int interval);

// The current context's entry point of that name (GL beyond 1.1), or
// nullptr; the scene's lookup (glProcLookup).
void (*lookUpWglProc(const char* name))();
