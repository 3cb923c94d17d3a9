// What a crash leaves behind, decided without the system: the log line that
// names the exception and where it struck, the minidump's file name, and
// which older minidumps go so that only the newest few stay.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "diagnostics/failure_log.h"

// How many minidumps the crashes folder keeps.
constexpr size_t kKeptCrashDumps = 5;

// "unhandled exception c0000005 at Kestrine.dll+0x1a2b", or, for an address
// inside no module, "... at 0x0 (in no module)".
std::string crashDescription(uint32_t exceptionCode, const std::string& module, uint64_t offset, uint64_t address);

// "<program>-<YYYYMMDD-HHMMSS>-<pid>.dmp": sorted by name, a program's dumps
// come oldest first.
std::string crashDumpName(const std::string& program, const LogTime& time, unsigned long processId);

struct CrashDump {
    std::string name;
    uint64_t writeTime;  // any clock that grows with time
};

// The names of the dumps beyond the newest keep of them, by write time (ties
// by name), oldest first.
std::vector<std::string> crashDumpsToRemove(std::vector<CrashDump> dumps, size_t keep);
