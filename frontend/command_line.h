// Reading the screen-saver command line: the mode letter and the preview
// host's window handle. Pure functions, so every command line the system
// (or a user) can hand over is checked on a table of examples.
#pragma once
#include <cstdint>
#include <string>

// The second character, upper-cased (ASCII only); 0 when the line is shorter.
// The first character (a slash or a hyphen, normally) is never examined.
char modeLetter(const std::string& commandLine);

// The host window handle of "/p <handle>": read from the fourth character on,
// the third skipped whatever it is. Blanks are skipped, one sign is accepted
// before the first digit, reading stops at the first character that cannot
// continue a decimal integer. No digits give 0; so does a number outside the
// 32-bit signed range, since such a number cannot be a window handle and a
// shortened one could name an unrelated window.
int32_t previewHandleOf(const std::string& commandLine);

enum class StartMode {
    EndAtOnce,          // a non-empty line whose letter is not P, C or S
    Preview,            // P
    Configure,          // C
    Show,               // S: the cursor is hidden
    ShowCursorVisible,  // the empty command line
};

StartMode startModeOf(const std::string& commandLine);

// The arguments part of a full process command line (GetCommandLineA): the
// program's name (quoted or not) and the blanks after it are dropped.
std::string argumentsOf(const std::string& fullCommandLine);
