#include "frontend/show_mode.h"

#include "contract/saver_contract.h"
#include "frontend/command_line.h"
#include "frontend/music.h"
#include "frontend/program_state.h"
#include "frontend/skip_on_error.h"

namespace {

bool rendererSeen = false;

const char* const kStagedPictures[3] = {kLakeBedPath, kBackdropPath, kSplashPath};

void startMusic(ShowModePort& port) {
    if (BgmKind == 1) {
        StartCdAudio();
        port.setTimerEnabled(ShowTimer::CdPoll, true);
    } else if (BgmKind == 2) {
        const MusicFileKind kind = MusicFileKindOf(BgmFile);
        if (kind == MusicFileKind::Wav) StartWav();
        if (kind == MusicFileKind::Mp3) {
            StartMp3();
            port.setTimerEnabled(ShowTimer::Mp3Poll, true);
        }
    }
}

void stopMusic(ShowModePort& port) {
    SkipOnError([&] {
        if (port.timerEnabled(ShowTimer::CdPoll)) {
            port.setTimerEnabled(ShowTimer::CdPoll, false);
            StopCdAudio();
        }
    });
    SkipOnError([&] {
        if (BgmKind != 2) return;
        const MusicFileKind kind = MusicFileKindOf(BgmFile);
        if (kind == MusicFileKind::Wav) StopWav();
        if (kind == MusicFileKind::Mp3) {
            port.setTimerEnabled(ShowTimer::Mp3Poll, false);
            StopMp3();
        }
    });
}

}  // namespace

bool RendererWindowSeen() { return rendererSeen; }

void ShowFormLoad(ShowModePort& port) {
    rendererSeen = false;
    for (int i = 0; i < 3; ++i) {
        SkipOnError([&] { port.savePicture(i, kStagedPictures[i]); });
    }
    SkipOnError([&] { port.copyFile(port.programFolder() + "\\" + kModelFileName, kModelPath); });
    SkipOnError([&] { startMusic(port); });
    SkipOnError([&] { RendererPath = port.programFolder() + "\\" + kRendererFileName; });
    SkipOnError([&] { port.startProgram(RendererPath); });
    SkipOnError([&] { port.setTimerEnabled(ShowTimer::RendererWatch, true); });
}

void ShowMp3Tick(ShowModePort&) {
    SkipOnError([] { PollMp3(); });
}

void ShowCdTick(ShowModePort& port) {
    SkipOnError([] { PollCdAudio(); });
    SkipOnError([&] { port.setTimerEnabled(ShowTimer::CdPoll, CdPollActive); });
}

void ShowWatchTick(ShowModePort& port) {
    bool present = false;
    SkipOnError([&] { present = port.windowExists(kRendererCaption); });
    if (present) {
        rendererSeen = true;
        return;
    }
    // The renderer takes a moment to open its window after its process
    // starts; until the window has first appeared, only the end of the
    // process (or a start that failed) ends show mode.
    if (!rendererSeen) {
        bool running = false;
        SkipOnError([&] { running = port.programRunning(); });
        if (running) return;
    }
    SkipOnError([&] { port.setTimerEnabled(ShowTimer::RendererWatch, false); });
    port.unloadForm();
}

void ShowQueryUnload(ShowModePort& port) {
    stopMusic(port);
    SkipOnError([&] {
        if (ModeLetter(port.commandLine()) == 'S') CursorCount = port.showCursor(true);
    });
    port.endProgram();
}
