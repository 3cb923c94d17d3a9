// Kestrine.scr's entry: installs the Windows calls behind the portable
// modules, runs Main's start-up steps and then the forms' message loop.
#include <windows.h>

#include <cstdint>
#include <string>

#include "frontend/command_line.h"
#include "frontend/music.h"
#include "frontend/music_win32.h"
#include "frontend/preview_mode_win32.h"
#include "frontend/program_state.h"
#include "frontend/settings.h"
#include "frontend/settings_win32.h"
#include "frontend/show_mode_win32.h"
#include "frontend/startup.h"
#include "frontend/ui/forms.h"
#include "frontend/ui/settings_dialog.h"

namespace {

HWND asWindow(int32_t handle) {
    // Window handles are 32-bit values, sign-extended in a 64-bit process.
    return reinterpret_cast<HWND>(static_cast<intptr_t>(handle));
}

struct WindowsStartup : StartupPort {
    std::string arguments;

    bool windowExists(const char* caption) override { return FindWindowA(nullptr, caption) != nullptr; }
    bool windowRect(int32_t handle, int& left, int& top, int& right, int& bottom) override {
        HWND window = asWindow(handle);
        RECT rect = {0, 0, 0, 0};
        ApiResult = IsWindow(window) ? GetWindowRect(window, &rect) : 0;
        if (!ApiResult) return false;
        left = rect.left;
        top = rect.top;
        right = rect.right;
        bottom = rect.bottom;
        return true;
    }
    int twipsPerPixelX() override { return ::twipsPerPixelX(); }
    int twipsPerPixelY() override { return ::twipsPerPixelY(); }
    void makeFolder(const char* path) override { ApiResult = CreateDirectoryA(path, nullptr); }
    void loadSettings() override { LoadSettings(); }
    void showSettingsDialog() override { ::showSettingsDialog(); }
    int32_t showCursor(bool show) override { return ShowCursor(show ? TRUE : FALSE); }
    void loadPreviewForm(int32_t hostHandle) override { LoadPreviewForm(asWindow(hostHandle)); }
    void loadShowForm() override { LoadShowForm(arguments); }
    void endProgram() override { ExitProcess(0); }
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        UseSettingsPlatform(&WindowsSettingsPlatform());
        UseMciPort(&WindowsMciPort());
        WindowsStartup startup;
        startup.arguments = ArgumentsOf(GetCommandLineA());
        Main(startup.arguments, startup);
        runMessageLoop();
    } catch (...) {
    }
    ExitProcess(0);
}
