#include "frontend/show_mode_win32.h"

#include <windows.h>

#include <cstring>

#include "frontend/program_state.h"
#include "frontend/settings.h"
#include "frontend/show_mode.h"
#include "frontend/ui/forms.h"

namespace {

const char* timerName(ShowTimer timer) {
    switch (timer) {
        case ShowTimer::Mp3Poll: return "Timer1";
        case ShowTimer::CdPoll: return "Timer2";
        case ShowTimer::RendererWatch: return "Timer3";
    }
    return "";
}

struct WindowsShowForm : ShowModePort {
    Form* form = nullptr;
    std::string arguments;
    HANDLE renderer = nullptr;

    bool savePicture(int index, const std::string& path) override {
        return form && ::savePicture(*form, "Display", index, path.c_str());
    }
    bool copyFile(const std::string& from, const std::string& to) override {
        return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
    }
    std::string programFolder() override { return ActiveSettingsPlatform().programFolder(); }
    bool startProgram(const std::string& path) override {
        STARTUPINFOA startup;
        std::memset(&startup, 0, sizeof startup);
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process;
        std::memset(&process, 0, sizeof process);
        if (!CreateProcessA(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
            ApiResult = 0;
            return false;
        }
        // The saver's own window is hidden, so hand the foreground on to the
        // renderer: its window is to take the focus.
        AllowSetForegroundWindow(process.dwProcessId);
        ApiResult = static_cast<int32_t>(process.dwProcessId);
        CloseHandle(process.hThread);
        renderer = process.hProcess;
        return true;
    }
    bool programRunning() override { return renderer && WaitForSingleObject(renderer, 0) == WAIT_TIMEOUT; }
    bool windowExists(const char* caption) override { return FindWindowA(nullptr, caption) != nullptr; }
    void setTimerEnabled(ShowTimer timer, bool enabled) override {
        if (form) ::setTimerEnabled(*form, timerName(timer), enabled);
    }
    bool timerEnabled(ShowTimer timer) override { return form && ::timerEnabled(*form, timerName(timer)); }
    int32_t showCursor(bool show) override { return ShowCursor(show ? TRUE : FALSE); }
    std::string commandLine() override { return arguments; }
    void unloadForm() override {
        if (form) ::unloadForm(*form);
    }
    void endProgram() override { ExitProcess(0); }
};

WindowsShowForm saverForm;

// Window procedures must not let anything escape into the system.
template <class Handler>
void guarded(Form& form, Handler&& handler) {
    saverForm.form = &form;
    try {
        handler();
    } catch (...) {
    }
}

void onLoad(Form& form) {
    guarded(form, [] { ShowFormLoad(saverForm); });
}

void onTimer(Form& form, const char* name) {
    guarded(form, [name] {
        if (std::strcmp(name, "Timer1") == 0) ShowMp3Tick(saverForm);
        if (std::strcmp(name, "Timer2") == 0) ShowCdTick(saverForm);
        if (std::strcmp(name, "Timer3") == 0) ShowWatchTick(saverForm);
    });
}

void onQueryUnload(Form& form) {
    guarded(form, [] { ShowQueryUnload(saverForm); });
}

}  // namespace

void LoadShowForm(const std::string& commandLine) {
    saverForm.arguments = commandLine;
    FormEvents events = {};
    events.load = onLoad;
    events.timer = onTimer;
    events.queryUnload = onQueryUnload;
    saverForm.form = loadForm(Solvane_S_Layout, events);
}
