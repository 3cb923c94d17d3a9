#include <gtest/gtest.h>

#include "diagnostics/crash_report.h"
#include "diagnostics/failure_log.h"

namespace {

const LogTime kEvening = {2026, 3, 7, 21, 5, 9};

TEST(FailureLogLine, TimeProgramProcessWhatAndReasonOnOneLine) {
    EXPECT_EQ(
        "2026-03-07T21:05:09 Kestrine.dll 4242 model C:\\tolvin\\Solvane.data cannot be read: "
        "The system cannot find the file specified. (error 2)\r\n",
        formatLogLine(kEvening, "Kestrine.dll", 4242, "model C:\\tolvin\\Solvane.data cannot be read",
                      "The system cannot find the file specified.\r\n (error 2)"));
    EXPECT_EQ("2026-03-07T21:05:09 Kestrine.scr 7 renderer gone\r\n",
              formatLogLine(kEvening, "Kestrine.scr", 7, "renderer\ngone", " \r\n"));
}

TEST(FailureLogRotation, PastTheLimitOnlyAndNeverForAnEmptyLog) {
    EXPECT_FALSE(logNeedsRotation(0, 300 * 1024));
    EXPECT_FALSE(logNeedsRotation(262144 - 80, 80));
    EXPECT_TRUE(logNeedsRotation(262144 - 80, 81));
    EXPECT_TRUE(logNeedsRotation(262144, 1));
}

TEST(CrashReport, DescriptionDumpNameAndTheNewestDumpsKept) {
    EXPECT_EQ("unhandled exception c0000005 at Kestrine.dll+0x1a2b",
              crashDescription(0xc0000005u, "Kestrine.dll", 0x1a2b, 0x140001a2b));
    EXPECT_EQ("Kestrine.scr-20260307-210509-88.dmp", crashDumpName("Kestrine.scr", kEvening, 88));
    const std::vector<CrashDump> dumps = {{"e.dmp", 50}, {"a.dmp", 10}, {"f.dmp", 60}, {"c.dmp", 30},
                                          {"b.dmp", 20}, {"d.dmp", 40}, {"g.dmp", 10}};
    EXPECT_EQ((std::vector<std::string>{"a.dmp", "g.dmp"}), crashDumpsToRemove(dumps, 5));
    EXPECT_TRUE(crashDumpsToRemove({{"a.dmp", 1}}, 5).empty());
}

}  // namespace
