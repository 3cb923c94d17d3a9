#include "frontend/startup.h"

#include "contract/saver_contract.h"
#include "frontend/command_line.h"
#include "frontend/program_state.h"
#include "frontend/skip_on_error.h"

bool TwipsAs16Bit(int twipsPerPixel, int pixels, int16_t& twips) {
    const int64_t value = static_cast<int64_t>(twipsPerPixel) * pixels;
    if (value < INT16_MIN || value > INT16_MAX) return false;
    twips = static_cast<int16_t>(value);
    return true;
}

namespace {

bool anotherCopyRuns(StartupPort& port) {
    // Both lookups are made, whatever the first one found.
    bool showing = false;
    bool configuring = false;
    SkipOnError([&] { showing = port.windowExists(kShowFormCaption); });
    SkipOnError([&] { configuring = port.windowExists(kSettingsFormCaption); });
    return showing || configuring;
}

void startPreview(const std::string& commandLine, StartupPort& port) {
    const int32_t host = PreviewHandleOf(commandLine);
    int left = 0, top = 0, right = 0, bottom = 0;
    bool named = false;
    SkipOnError([&] { named = host != 0 && port.windowRect(host, left, top, right, bottom); });
    if (!named) {
        // Without a host there is nowhere to show the picture: showing a
        // parentless zero-size form would only leave a stray process.
        port.endProgram();
        return;
    }
    PreviewLeft = 0;
    PreviewTop = 0;
    SkipOnError([&] { TwipsAs16Bit(port.twipsPerPixelX(), right - left, PreviewWidth); });
    SkipOnError([&] { TwipsAs16Bit(port.twipsPerPixelY(), bottom - top, PreviewHeight); });
    SkipOnError([&] { port.loadPreviewForm(host); });
}

}  // namespace

void Main(const std::string& commandLine, StartupPort& port) {
    if (anotherCopyRuns(port)) {
        port.endProgram();
        return;
    }
    const StartMode mode = StartModeOf(commandLine);
    if (mode == StartMode::Preview) {
        startPreview(commandLine, port);
        return;
    }
    SkipOnError([&] { port.makeFolder(kStagingFolder); });
    SkipOnError([&] { port.loadSettings(); });
    if (mode == StartMode::Configure) {
        SkipOnError([&] { port.showSettingsDialog(); });
        port.endProgram();
        return;
    }
    if (mode == StartMode::EndAtOnce) {
        port.endProgram();
        return;
    }
    if (mode == StartMode::Show) {
        SkipOnError([&] { CursorCount = port.showCursor(false); });
    }
    SkipOnError([&] { port.loadShowForm(); });
}
