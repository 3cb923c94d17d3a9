// Program-wide variables of the front end (all zero or empty at start).
#pragma once
#include <cstdint>
#include <string>

extern int32_t ApiResult;
extern int16_t CursorX, CursorY;
extern int16_t PreviewLeft, PreviewTop, PreviewWidth, PreviewHeight;
extern int32_t CursorCount;
extern std::string RendererPath;

// Music settings (loaded from the INI file at start, edited by the dialog).
extern int16_t BgmKind;         // 0 none, 1 audio CD, 2 file
extern int16_t BgmRepeatTrack;  // CD track to repeat, 0 = none
extern std::string BgmFile;
extern std::string BgmFolder;
