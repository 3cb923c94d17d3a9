#include "frontend/show_mode.h"

#include "contract/saver_contract.h"
#include "diagnostics/failure_log.h"
#include "frontend/command_line.h"
#include "frontend/music.h"
#include "frontend/program_state.h"
#include "frontend/skip_on_error.h"

namespace {

using Solvane_S::Control;

bool rendererSeen = false;

const char* const kStagedPaths[3] = {kLakeBedPath, kBackdropPath, kSplashPath};

void startMusic(ShowModePort& port) {
    if (BgmKind == 1) {
        StartCdAudio();
        port.setTimerEnabled(Control::Timer2, true);
    } else if (BgmKind == 2) {
        const MusicFileKind kind = musicFileKindOf(BgmFile);
        if (kind == MusicFileKind::Wav) StartWav();
        if (kind == MusicFileKind::Mp3) {
            StartMp3();
            port.setTimerEnabled(Control::Timer1, true);
        }
    }
}

void stopMusic(ShowModePort& port) {
    skipOnError([&] {
        if (port.timerEnabled(Control::Timer2)) {
            port.setTimerEnabled(Control::Timer2, false);
            StopCdAudio();
        }
    });
    skipOnError([&] {
        if (BgmKind != 2) return;
        const MusicFileKind kind = musicFileKindOf(BgmFile);
        if (kind == MusicFileKind::Wav) StopWav();
        if (kind == MusicFileKind::Mp3) {
            port.setTimerEnabled(Control::Timer1, false);
            StopMp3();
        }
    });
}

}  // namespace

bool rendererWindowSeen() { return rendererSeen; }

namespace Solvane_S {

void Form_Load(ShowModePort& port) {
    rendererSeen = false;
    for (int i = 0; i < 3; ++i) {
        // The picture that the layout gives Display(i).
        skipOnError([&] { port.savePicture(findRow(Display(i))->picture, kStagedPaths[i]); });
    }
    skipOnError([&] { port.copyFile(port.programFolder() + "\\" + kModelFileName, kModelPath); });
    skipOnError([&] { startMusic(port); });
    skipOnError([&] { RendererPath = port.programFolder() + "\\" + kRendererFileName; });
    skipOnError([&] { port.startProgram(RendererPath); });
    skipOnError([&] { port.setTimerEnabled(Control::Timer3, true); });
}

void Timer1_Timer(ShowModePort&) {
    skipOnError([] { PollMp3(); });
}

void Timer2_Timer(ShowModePort& port) {
    skipOnError([] { PollCdAudio(); });
    skipOnError([&] { port.setTimerEnabled(Control::Timer2, CdPollActive); });
}

void Timer3_Timer(ShowModePort& port) {
    bool present = false;
    skipOnError([&] { present = port.windowExists(kRendererCaption); });
    if (present) {
        rendererSeen = true;
        return;
    }
    // The renderer takes a moment to open its window after its process
    // starts; until the window has first appeared, only the end of the
    // process (or a start that failed) ends show mode.
    if (!rendererSeen) {
        bool running = false;
        skipOnError([&] { running = port.programRunning(); });
        if (running) return;
        logFailure("the renderer's window never appeared; show mode ends", "");
    }
    skipOnError([&] { port.setTimerEnabled(Control::Timer3, false); });
    port.unloadForm();
}

void Form_QueryUnload(ShowModePort& port) {
    stopMusic(port);
    skipOnError([&] {
        if (modeLetter(port.commandLine()) == 'S') port.showCursor(true);
    });
    port.endProgram();
}

}  // namespace Solvane_S
