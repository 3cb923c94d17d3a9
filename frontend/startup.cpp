#include "frontend/startup.h"

#include "contract/saver_contract.h"
#include "frontend/command_line.h"
#include "frontend/skip_on_error.h"

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
    int width = 0, height = 0;
    bool named = false;
    SkipOnError([&] { named = host != 0 && port.hostSize(host, width, height); });
    if (!named) {
        // Without a host there is nowhere to show the picture: showing a
        // parentless zero-size form would only leave a stray process.
        port.endProgram();
        return;
    }
    // The form covers the host's client area, measured in the host's pixels.
    SkipOnError([&] { port.loadPreviewForm(host, width, height); });
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
        SkipOnError([&] { port.showCursor(false); });
    }
    SkipOnError([&] { port.loadShowForm(); });
}
