// Blanks as the command line, the settings file and the dialog's boxes know
// them: spaces and tabs, nothing else.
#pragma once

#include <string>

inline bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The text without the blanks at either end.
inline std::string trimBlanks(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}
