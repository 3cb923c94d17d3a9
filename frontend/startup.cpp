#include "frontend/startup.h"

#include "contract/saver_contract.h"
#include "frontend/command_line.h"
#include "frontend/skip_on_error.h"

namespace {

bool anotherCopyRuns(StartupPort& port) {
    // Both lookups are made, whatever the first one found.
    bool showing = false;
    bool configuring = false;
    skipOnError([&] { showing = port.windowExists(kShowFormCaption); });
    skipOnError([&] { configuring = port.windowExists(kSettingsFormCaption); });
    return showing || configuring;
}

void startPreview(const std::string& commandLine, StartupPort& port) {
    const int32_t host = previewHandleOf(commandLine);
    int width = 0, height = 0;
    bool named = false;
    skipOnError([&] { named = host != 0 && port.hostSize(host, width, height); });
    if (!named) {
        // Without a host there is nowhere to show the picture: showing a
        // parentless zero-size form would only leave a stray process.
        port.endProgram();
        return;
    }
    // The form covers the host's client area, measured in the host's pixels.
    skipOnError([&] { port.loadPreviewForm(host, width, height); });
}

}  // namespace

void Main(const std::string& commandLine, StartupPort& port) {
    if (anotherCopyRuns(port)) {
        port.endProgram();
        return;
    }
    const StartMode mode = startModeOf(commandLine);
    if (mode == StartMode::Preview) {
        startPreview(commandLine, port);
        return;
    }
    skipOnError([&] { port.makeFolder(kStagingFolder); });
    skipOnError([&] { port.loadSettings(); });
    if (mode == StartMode::Configure) {
        skipOnError([&] { port.showSettingsDialog(); });
        port.endProgram();
        return;
    }
    if (mode == StartMode::EndAtOnce) {
        port.endProgram();
        return;
    }
    if (mode == StartMode::Show) {
        skipOnError([&] { port.showCursor(false); });
    }
    skipOnError([&] { port.loadShowForm(); });
}
