#include "frontend/program_state.h"

int32_t ApiResult = 0;
int16_t CursorX = 0, CursorY = 0;
std::string RendererPath;

int16_t BgmKind = 0;
int16_t BgmRepeatTrack = 0;
std::string BgmFile;
std::string BgmFolder;
