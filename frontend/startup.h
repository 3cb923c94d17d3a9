// Main: the start-up steps of Kestrine.scr, in order, over the window system
// calls they need. The Win32 program supplies the real calls; tests supply
// fakes that record what was asked.
#pragma once
#include <cstdint>
#include <string>

struct StartupPort {
    virtual ~StartupPort() = default;
    // A top-level window with exactly this caption exists (FindWindowA).
    virtual bool windowExists(const char* caption) = 0;
    // The size of a host window's client area in the host's own pixels;
    // false when the handle names no window.
    virtual bool hostSize(int32_t handle, int& width, int& height) = 0;
    virtual void makeFolder(const char* path) = 0;
    virtual void loadSettings() = 0;
    virtual void showSettingsDialog() = 0;
    virtual void showCursor(bool show) = 0;
    // Loads the preview form into the host window, sized in the host's pixels.
    virtual void loadPreviewForm(int32_t hostHandle, int width, int height) = 0;
    virtual void loadShowForm() = 0;
    // Ends the process at once: no further form event runs. A fake records
    // the call and returns, and Main then returns too.
    virtual void endProgram() = 0;
};

// Runs the start-up steps for the command line (its arguments only).
void Main(const std::string& commandLine, StartupPort& port);
