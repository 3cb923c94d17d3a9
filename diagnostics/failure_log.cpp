#include "diagnostics/failure_log.h"

#include <cstdio>

namespace {

FailureSink activeSink = nullptr;

// The text with each run of spaces and control characters as one space, and
// none at either end (the system's messages end in a line break).
std::string oneLine(const std::string& text) {
    std::string line;
    bool gap = false;
    for (char c : text) {
        const bool blank = static_cast<unsigned char>(c) <= 0x20 || c == 0x7f;
        if (blank) {
            gap = !line.empty();
            continue;
        }
        if (gap) line += ' ';
        gap = false;
        line += c;
    }
    return line;
}

}  // namespace

void useFailureSink(FailureSink sink) { activeSink = sink; }

void logFailure(const std::string& what, const std::string& reason) {
    if (activeSink) activeSink(what, reason);
}

std::string formatLogLine(const LogTime& time, const std::string& program, unsigned long processId,
                          const std::string& what, const std::string& reason) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02dT%02d:%02d:%02d", time.year, time.month, time.day, time.hour,
                  time.minute, time.second);
    std::string line = stamp;
    line += " " + oneLine(program) + " " + std::to_string(processId) + " " + oneLine(what);
    const std::string because = oneLine(reason);
    if (!because.empty()) line += ": " + because;
    return line + "\r\n";
}

bool logNeedsRotation(uint64_t logSize, size_t lineLength) {
    return logSize > 0 && logSize + lineLength > kLogRotationBytes;
}
