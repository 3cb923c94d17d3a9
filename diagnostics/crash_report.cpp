#include "diagnostics/crash_report.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>

std::string crashDescription(uint32_t exceptionCode, const std::string& module, uint64_t offset, uint64_t address) {
    char text[96];
    if (module.empty()) {
        std::snprintf(text, sizeof text, "unhandled exception %08" PRIx32 " at 0x%" PRIx64 " (in no module)",
                      exceptionCode, address);
        return text;
    }
    std::snprintf(text, sizeof text, "+0x%" PRIx64, offset);
    char code[16];
    std::snprintf(code, sizeof code, "%08" PRIx32, exceptionCode);
    return std::string("unhandled exception ") + code + " at " + module + text;
}

std::string crashDumpName(const std::string& program, const LogTime& time, unsigned long processId) {
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", time.year, time.month, time.day, time.hour,
                  time.minute, time.second);
    return program + "-" + stamp + "-" + std::to_string(processId) + ".dmp";
}

std::vector<std::string> crashDumpsToRemove(std::vector<CrashDump> dumps, size_t keep) {
    std::sort(dumps.begin(), dumps.end(), [](const CrashDump& a, const CrashDump& b) {
        return a.writeTime != b.writeTime ? a.writeTime < b.writeTime : a.name < b.name;
    });
    std::vector<std::string> names;
    for (size_t i = 0; i + keep < dumps.size(); ++i) names.push_back(dumps[i].name);
    return names;
}
