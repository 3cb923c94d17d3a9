#include "frontend/show_mode_win32.h"

#include <windows.h>

#include <cstring>

#include "contract/saver_contract.h"
#include "diagnostics/failure_log_win32.h"
#include "files/whole_file.h"
#include "frontend/settings.h"
#include "frontend/show_mode.h"
#include "frontend/skip_on_error.h"
#include "frontend/staging_win32.h"
#include "frontend/ui/forms_win32.h"
#include "frontend/ui/picture_win32.h"

namespace {

using Solvane_S::Control;

struct WindowsShowForm : ShowModePort {
    Form* form = nullptr;
    std::string arguments;
    HANDLE renderer = nullptr;
    bool folderChecked = false;
    bool folderUsable = false;

    // The staging folder is looked at once, before the first file.
    bool stagingFolderUsable() {
        if (!folderChecked) folderUsable = prepareStagingFolder(windowsStagingFiles(), kStagingFolder);
        folderChecked = true;
        return folderUsable;
    }
    bool stage(const std::string& path, const std::vector<uint8_t>& bytes, const std::string& failure) {
        if (!stagingFolderUsable()) return false;
        std::string reason;
        if (stageFile(windowsStagingFiles(), path, bytes, reason)) return true;
        logFailure(failure, reason);
        return false;
    }
    bool savePicture(Picture picture, const std::string& path) override {
        const PictureRef decoded = loadPictureResource(picture);
        const std::vector<uint8_t> file = decoded ? pictureBmpFile(*decoded) : std::vector<uint8_t>();
        if (file.empty()) {
            logFailure("the picture for " + path + " cannot be decoded", "");
            return false;
        }
        return stage(path, file, "staged picture " + path + " cannot be written");
    }
    bool copyFile(const std::string& from, const std::string& to) override {
        std::vector<uint8_t> bytes;
        if (!readWholeFile(from, bytes)) return logLastError("copying " + from + " to " + to + " failed");
        return stage(to, bytes, "copying " + from + " to " + to + " failed");
    }
    std::string programFolder() override { return activeSettingsPlatform().programFolder(); }
    bool startProgram(const std::string& path) override {
        STARTUPINFOA startup;
        std::memset(&startup, 0, sizeof startup);
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process;
        std::memset(&process, 0, sizeof process);
        if (!CreateProcessA(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
            return logLastError("the renderer " + path + " cannot be started");
        // The saver's own window is hidden, so hand the foreground on to the
        // renderer: its window is to take the focus.
        AllowSetForegroundWindow(process.dwProcessId);
        CloseHandle(process.hThread);
        renderer = process.hProcess;
        return true;
    }
    bool programRunning() override { return renderer && WaitForSingleObject(renderer, 0) == WAIT_TIMEOUT; }
    bool windowExists(const char* caption) override { return FindWindowA(nullptr, caption) != nullptr; }
    void setTimerEnabled(Control timer, bool enabled) override {
        if (form) ::setTimerEnabled(*form, timer, enabled);
    }
    bool timerEnabled(Control timer) override { return form && ::timerEnabled(*form, timer); }
    void showCursor(bool show) override { ShowCursor(show ? TRUE : FALSE); }
    std::string commandLine() override { return arguments; }
    void unloadForm() override {
        if (form) ::unloadForm(*form);
    }
    void endProgram() override { ExitProcess(0); }
};

WindowsShowForm saverForm;

// The form's events, handed to the handlers with the saver's port. Nothing
// escapes a window procedure into the system.
void onLoad(Form& form) {
    saverForm.form = &form;
    skipOnError([] { Solvane_S::Form_Load(saverForm); });
}

void onTimer(Form&, ControlRow timer) {
    skipOnError([timer] {
        switch (timer.as<Control>()) {
            case Control::Timer1: Solvane_S::Timer1_Timer(saverForm); break;
            case Control::Timer2: Solvane_S::Timer2_Timer(saverForm); break;
            case Control::Timer3: Solvane_S::Timer3_Timer(saverForm); break;
            default: break;
        }
    });
}

void onQueryUnload(Form&) {
    skipOnError([] { Solvane_S::Form_QueryUnload(saverForm); });
}

}  // namespace

void loadShowForm(const std::string& commandLine) {
    saverForm.arguments = commandLine;
    FormEvents events = {};
    events.load = onLoad;
    events.timer = onTimer;
    events.queryUnload = onQueryUnload;
    saverForm.form = loadForm(Solvane_S_Layout, events);
}
