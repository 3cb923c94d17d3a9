// Show mode: the hidden saver form Solvane_S stages the scene's files, starts
// the music and the renderer, watches for the renderer's window and runs the
// stop sequence. The handlers here decide; the form's window, timers and the
// process calls behind them come through ShowModePort.
#pragma once
#include <string>

#include "frontend/ui/layouts.h"

struct ShowModePort {
    virtual ~ShowModePort() = default;
    // Writes one of the program's pictures as a BMP file.
    virtual bool savePicture(Picture picture, const std::string& path) = 0;
    virtual bool copyFile(const std::string& from, const std::string& to) = 0;
    virtual std::string programFolder() = 0;
    // Starts a program file with no arguments, shown normally with the focus.
    virtual bool startProgram(const std::string& path) = 0;
    // Whether the process started by startProgram is still running.
    virtual bool programRunning() = 0;
    virtual bool windowExists(const char* caption) = 0;
    virtual void setTimerEnabled(Solvane_S::Control timer, bool enabled) = 0;
    virtual bool timerEnabled(Solvane_S::Control timer) = 0;
    virtual void showCursor(bool show) = 0;
    // The process's command line (its arguments only).
    virtual std::string commandLine() = 0;
    // Unloads Solvane_S: Form_QueryUnload runs.
    virtual void unloadForm() = 0;
    // Ends the process at once (a fake records it and returns).
    virtual void endProgram() = 0;
};

namespace Solvane_S {

// The start sequence: stage, music, renderer, watch.
void Form_Load(ShowModePort& port);
// The MP3 poll, the CD poll and the renderer watch.
void Timer1_Timer(ShowModePort& port);
void Timer2_Timer(ShowModePort& port);
void Timer3_Timer(ShowModePort& port);
// The stop sequence, for every kind of unload (the watch, a system shutdown
// or log-off). Ends the program.
void Form_QueryUnload(ShowModePort& port);

}  // namespace Solvane_S

// Whether the renderer's window has been seen since the form loaded.
bool rendererWindowSeen();
