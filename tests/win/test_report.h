// The report file of a wine test's Windows program: one "key value" line per
// finding, flushed at once so a program that hangs or crashes still leaves
// what it saw. The test script reads the file after the program ends (Wine's
// helper processes can hold inherited output open, so nothing goes through
// standard output), and the exit code tells whether every check passed.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace test_report {

inline FILE* file = nullptr;
inline int failures = 0;

// Opens REPORT for writing; false when it cannot be made.
inline bool open(const char* path) {
    file = std::fopen(path, "w");
    return file != nullptr;
}

inline void note(const char* key, const std::string& value) {
    if (!file) return;
    std::fprintf(file, "%s %s\n", key, value.c_str());
    std::fflush(file);
}

// A named check: "WHAT ok" or "WHAT FAIL", and a failure counted.
inline void check(bool ok, const char* what) {
    note(what, ok ? "ok" : "FAIL");
    if (!ok) ++failures;
}

// Writes the failure count, closes the file and gives the exit code: 0 when
// every check passed.
inline int finish() {
    note("failures", std::to_string(failures));
    if (file) std::fclose(file);
    file = nullptr;
    return failures == 0 ? 0 : 1;
}

// One thing a probe can be asked to do, by name, and how many words of the
// command line follow its name.
struct Scenario {
    const char* name;
    int words;
    void (*run)(char** words);
};

// A probe's whole command line: REPORT NAME [WORD...]. Runs the scenario of
// that name and finishes the report; 2 when the report cannot be made, or
// the name is unknown or has too few words after it.
template <size_t N>
int runScenario(int argc, char** argv, const Scenario (&scenarios)[N]) {
    if (argc < 3) return 2;
    if (!open(argv[1])) return 2;
    for (const Scenario& s : scenarios) {
        if (std::string(s.name) != argv[2]) continue;
        if (argc - 3 < s.words) return 2;
        s.run(argv + 3);
        return finish();
    }
    return 2;
}

}  // namespace test_report
