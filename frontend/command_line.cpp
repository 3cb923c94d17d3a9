#include "frontend/command_line.h"

#include "frontend/ascii_case.h"
#include "frontend/blank_text.h"

char modeLetter(const std::string& commandLine) {
    if (commandLine.size() < 2) return 0;
    return upperAscii(commandLine[1]);
}

int32_t previewHandleOf(const std::string& commandLine) {
    const int64_t kMaxMagnitude = 2147483648LL;  // |INT32_MIN|
    bool negative = false;
    bool signSeen = false;
    bool digitSeen = false;
    int64_t magnitude = 0;
    for (size_t i = 3; i < commandLine.size(); ++i) {
        const char c = commandLine[i];
        if (isBlank(c)) continue;
        if ((c == '+' || c == '-') && !signSeen && !digitSeen) {
            signSeen = true;
            negative = (c == '-');
            continue;
        }
        if (c < '0' || c > '9') break;
        digitSeen = true;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kMaxMagnitude) return 0;
    }
    if (!negative && magnitude == kMaxMagnitude) return 0;
    const int64_t value = negative ? -magnitude : magnitude;
    return static_cast<int32_t>(value);
}

StartMode startModeOf(const std::string& commandLine) {
    if (commandLine.empty()) return StartMode::ShowCursorVisible;
    switch (modeLetter(commandLine)) {
        case 'P': return StartMode::Preview;
        case 'C': return StartMode::Configure;
        case 'S': return StartMode::Show;
        default: return StartMode::EndAtOnce;
    }
}

std::string argumentsOf(const std::string& fullCommandLine) {
    size_t i = 0;
    const size_t n = fullCommandLine.size();
    while (i < n && isBlank(fullCommandLine[i])) ++i;
    if (i < n && fullCommandLine[i] == '"') {
        const size_t close = fullCommandLine.find('"', i + 1);
        i = (close == std::string::npos) ? n : close + 1;
    }
    while (i < n && !isBlank(fullCommandLine[i])) ++i;
    while (i < n && isBlank(fullCommandLine[i])) ++i;
    return fullCommandLine.substr(i);
}
