// What the front end's unit tests start from: the program-wide variables at
// their start values, and a fake standing in for the system (the settings
// file's calls or MCI) for as long as the test runs.
#pragma once
#include "frontend/music.h"
#include "frontend/program_state.h"
#include "frontend/settings_file.h"

inline void resetProgramState() {
    ApiResult = 0;
    CursorX = CursorY = 0;
    RendererPath.clear();
    BgmKind = 0;
    BgmRepeatTrack = 0;
    BgmFile.clear();
    BgmFolder.clear();
    MciResult.clear();
    CdPollActive = false;
}

// Installs the fake for the life of the test (a member of its fixture) and
// takes it out again after.
template <class Port, void (*use)(Port*)>
struct InUse {
    explicit InUse(Port& port) {
        resetProgramState();
        use(&port);
    }
    ~InUse() { use(nullptr); }
    InUse(const InUse&) = delete;
    InUse& operator=(const InUse&) = delete;
};

using SettingsPlatformInUse = InUse<SettingsPlatform, useSettingsPlatform>;
using MciPortInUse = InUse<MciPort, useMciPort>;
