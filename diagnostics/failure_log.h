// The failure log both programs keep: one line for every failure or degraded
// mode that the screen does not show (a refused display mode, a missing
// model, music that will not play). What is on screen stays as it is; the
// line is for the user's bug report. A clean run writes nothing.
//
// Portable code reports through logFailure; the Windows side installs the
// sink that writes %LOCALAPPDATA%\Kestrine\Kestrine.log. Without a sink (the
// native build, the tests) failures go nowhere.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// what: what failed, with the paths or values involved; reason: the system's
// own words for it (or empty). Both in the ANSI code page, as the programs'
// paths and the system's ANSI texts are; the sink writes them as UTF-8.
void logFailure(const std::string& what, const std::string& reason);

using FailureSink = void (*)(const std::string& what, const std::string& reason);
// Where logFailure sends its reports; null sends them nowhere.
void useFailureSink(FailureSink sink);

struct LogTime {
    int year, month, day, hour, minute, second;
};

// One line of the log: the local time to the second (ISO 8601), the program's
// file name, the process id, what failed and the reason, ending in CR LF.
// Line breaks and other control characters inside the texts become spaces,
// so every event stays on its own line.
std::string formatLogLine(const LogTime& time, const std::string& program, unsigned long processId,
                          const std::string& what, const std::string& reason);

// Past this size the log is renamed Kestrine.log.1 and a new one begins.
constexpr uint64_t kLogRotationBytes = 256 * 1024;

// True when a line of lineLength bytes would take a log of logSize bytes past
// the rotation size. An empty log takes any line.
bool logNeedsRotation(uint64_t logSize, size_t lineLength);
