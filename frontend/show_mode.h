// Show mode: the hidden saver form Solvane_S stages the scene's files, starts
// the music and the renderer, watches for the renderer's window and runs the
// stop sequence. The handlers here decide; the form's window, timers and the
// process calls behind them come through ShowModePort.
#pragma once
#include <cstdint>
#include <string>

enum class ShowTimer { Mp3Poll /* Timer1 */, CdPoll /* Timer2 */, RendererWatch /* Timer3 */ };

struct ShowModePort {
    virtual ~ShowModePort() = default;
    // Saves the picture of Display(index) as a BMP file.
    virtual bool savePicture(int index, const std::string& path) = 0;
    virtual bool copyFile(const std::string& from, const std::string& to) = 0;
    virtual std::string programFolder() = 0;
    // Starts a program file with no arguments, shown normally with the focus.
    virtual bool startProgram(const std::string& path) = 0;
    // Whether the process started by startProgram is still running.
    virtual bool programRunning() = 0;
    virtual bool windowExists(const char* caption) = 0;
    virtual void setTimerEnabled(ShowTimer timer, bool enabled) = 0;
    virtual bool timerEnabled(ShowTimer timer) = 0;
    virtual int32_t showCursor(bool show) = 0;
    // The process's command line (its arguments only).
    virtual std::string commandLine() = 0;
    // Unloads Solvane_S: the form's query-unload handler runs.
    virtual void unloadForm() = 0;
    // Ends the process at once (a fake records it and returns).
    virtual void endProgram() = 0;
};

// Form_Load: stage, music, renderer, watch.
void ShowFormLoad(ShowModePort& port);
// Timer1_Timer, Timer2_Timer, Timer3_Timer.
void ShowMp3Tick(ShowModePort& port);
void ShowCdTick(ShowModePort& port);
void ShowWatchTick(ShowModePort& port);
// Form_QueryUnload: the stop sequence, for every kind of unload (the watch,
// a system shutdown or log-off). Ends the program.
void ShowQueryUnload(ShowModePort& port);

// Whether the renderer's window has been seen since the form loaded.
bool RendererWindowSeen();
