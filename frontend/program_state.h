// Program-wide variables of the front end (all zero or empty at start).
#pragma once
#include <cstdint>
#include <string>

// The result of the two system calls whose result the settings dialog tests:
// GetCursorPos and the file chooser.
extern int32_t ApiResult;
// The pointer's screen position when the dialog opened: its caption zoom
// starts and ends there.
extern int16_t CursorX, CursorY;
// The renderer program that show mode starts.
extern std::string RendererPath;

// Music settings (loaded from the INI file at start, edited by the dialog).
extern int16_t BgmKind;         // 0 none, 1 audio CD, 2 file
extern int16_t BgmRepeatTrack;  // CD track to repeat, 0 = none
extern std::string BgmFile;
extern std::string BgmFolder;
