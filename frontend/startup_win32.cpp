// Kestrine.scr's entry: installs the Windows calls behind the portable
// modules, runs Main's start-up steps and then the forms' message loop.
#include <windows.h>

#include <cstdint>
#include <string>

#include "diagnostics/crash_report_win32.h"
#include "diagnostics/failure_log_win32.h"
#include "frontend/command_line.h"
#include "frontend/music.h"
#include "frontend/music_win32.h"
#include "frontend/preview_mode_win32.h"
#include "frontend/settings.h"
#include "frontend/settings_win32.h"
#include "frontend/show_mode_win32.h"
#include "frontend/startup.h"
#include "frontend/ui/forms_win32.h"
#include "frontend/ui/settings_dialog_win32.h"

namespace {

HWND asWindow(int32_t handle) {
    // Window handles are 32-bit values, sign-extended in a 64-bit process.
    return reinterpret_cast<HWND>(static_cast<intptr_t>(handle));
}

struct WindowsStartup : StartupPort {
    std::string arguments;

    bool windowExists(const char* caption) override { return FindWindowA(nullptr, caption) != nullptr; }
    bool hostSize(int32_t handle, int& width, int& height) override {
        return previewHostSize(asWindow(handle), width, height);
    }
    void makeFolder(const char* path) override {
        if (!CreateDirectoryA(path, nullptr)) logFolderNotMade("the staging folder", path);
    }
    void loadSettings() override { LoadSettings(); }
    void showSettingsDialog() override { ::showSettingsDialog(); }
    void showCursor(bool show) override { ShowCursor(show ? TRUE : FALSE); }
    void loadPreviewForm(int32_t hostHandle, int width, int height) override {
        ::loadPreviewForm(asWindow(hostHandle), width, height);
    }
    void loadShowForm() override { ::loadShowForm(arguments); }
    void endProgram() override { ExitProcess(0); }
};

// A crash ends the process at once: the cursor comes back and the music
// stops first.
void restoreAfterCrash() {
    ShowCursor(TRUE);
    StopChosenMusic();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        startFailureLog();
        installCrashReport(restoreAfterCrash);
        useSettingsPlatform(&windowsSettingsPlatform());
        useMciPort(&windowsMciPort());
        WindowsStartup startup;
        startup.arguments = argumentsOf(GetCommandLineA());
        Main(startup.arguments, startup);
        runMessageLoop();
    } catch (...) {
    }
    ExitProcess(0);
}
