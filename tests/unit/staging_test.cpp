// The staging steps over a folder in memory: what stands at a name, who
// holds it, and whether a link can be removed.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "diagnostics/failure_log.h"
#include "frontend/staging.h"

namespace {

using Bytes = std::vector<uint8_t>;
std::vector<std::string> logged;

struct Entry {
    Bytes bytes;
    uint32_t names = 1;
    bool heldElsewhere = false;
};

struct MemoryFolder : StagingFiles {
    std::map<std::string, Entry> entries;
    FolderKind kind = FolderKind::Plain;
    bool linkRemovable = true;
    std::vector<std::string> held;

    FolderKind folderKind(const std::string&) override { return kind; }
    bool removeFolderLink(const std::string&) override { return linkRemovable && (kind = FolderKind::Missing, true); }
    bool makeFolder(const std::string&) override { return (kind = FolderKind::Plain), true; }
    FoundFile inspect(const std::string& path) override {
        auto it = entries.find(path);
        return it == entries.end() ? FoundFile{} : FoundFile{true, false, it->second.names};
    }
    std::string temporaryName(const std::string& path) override { return path + ".tmp"; }
    bool writeNew(const std::string& path, const Bytes& bytes) override {
        return entries.emplace(path, Entry{bytes}).second;
    }
    bool replace(const std::string& from, const std::string& to) override {
        if (entries[to].heldElsewhere) return false;
        entries[to] = entries[from];
        entries.erase(from);
        return true;
    }
    bool remove(const std::string& path) override { return entries.erase(path) == 1; }
    bool hold(const std::string& path, Bytes& bytes) override {
        held.push_back(path);
        bytes = entries[path].bytes;
        return true;
    }
    std::string lastError() override { return "denied"; }
};

struct StagingTest : ::testing::Test {
    MemoryFolder folder;
    std::string reason;
    const Bytes ours{1, 2, 3};
    void SetUp() override {
        logged.clear();
        useFailureSink([](const std::string& what, const std::string&) { logged.push_back(what); });
    }
    void TearDown() override { useFailureSink(nullptr); }
    bool stage() { return stageFile(folder, "C:\\f\\a.bmp", ours, reason); }
};

TEST_F(StagingTest, HardLinkInTheWayIsReplacedAndLogged) {
    folder.entries["C:\\f\\a.bmp"] = Entry{{9}, 2};
    EXPECT_TRUE(stage());
    EXPECT_EQ(ours, folder.entries["C:\\f\\a.bmp"].bytes);
    EXPECT_EQ(0u, folder.entries.count("C:\\f\\a.bmp.tmp"));
    EXPECT_EQ((std::vector<std::string>{"C:\\f\\a.bmp"}), folder.held);
    ASSERT_EQ(1u, logged.size());
    EXPECT_NE(std::string::npos, logged[0].find("C:\\f\\a.bmp was a hard link with 2 names"));
}

TEST_F(StagingTest, FileHeldByAnotherSaverIsUsedSilentlyWhenItsBytesAreOurs) {
    for (const Bytes& theirs : {ours, Bytes{7}}) {
        logged.clear();
        folder.entries["C:\\f\\a.bmp"] = Entry{theirs, 1, true};
        EXPECT_TRUE(stage());
        EXPECT_EQ(theirs, folder.entries["C:\\f\\a.bmp"].bytes);
        EXPECT_EQ(0u, folder.entries.count("C:\\f\\a.bmp.tmp"));
        EXPECT_EQ(theirs == ours ? 0u : 1u, logged.size());
    }
}

TEST_F(StagingTest, TakenTemporaryNameIsNeitherFollowedNorRemoved) {
    folder.entries["C:\\f\\a.bmp.tmp"] = Entry{{5}};
    EXPECT_FALSE(stage());
    EXPECT_EQ(Bytes{5}, folder.entries["C:\\f\\a.bmp.tmp"].bytes);
    EXPECT_EQ(0u, folder.entries.count("C:\\f\\a.bmp"));
}

TEST_F(StagingTest, LinkedFolderIsReplacedByAFolderOrNothingIsStaged) {
    folder.kind = FolderKind::Link;
    EXPECT_TRUE(prepareStagingFolder(folder, "C:\\f"));
    EXPECT_EQ(FolderKind::Plain, folder.kind);
    folder.kind = FolderKind::Link;
    folder.linkRemovable = false;
    EXPECT_FALSE(prepareStagingFolder(folder, "C:\\f"));
    EXPECT_EQ(2u, logged.size());
}

}  // namespace
