#include "frontend/program_state.h"

int32_t ApiResult = 0;
int16_t CursorX = 0, CursorY = 0;
int16_t PreviewLeft = 0, PreviewTop = 0, PreviewWidth = 0, PreviewHeight = 0;
int32_t CursorCount = 0;
std::string RendererPath;

int16_t BgmKind = 0;
int16_t BgmRepeatTrack = 0;
std::string BgmFile;
std::string BgmFolder;
