// The staging steps over a folder in memory, where the Wine test cannot go.
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
        bytes = entries[path].bytes;
        return true;
    }
    std::string lastError() override { return "denied"; }
};

TEST(Staging, HeldFileWithOtherBytesIsLoggedAndUsedATakenTemporaryNameIsLeftAlone) {
    MemoryFolder folder;
    std::string reason;
    logged.clear();
    useFailureSink([](const std::string& what, const std::string&) { logged.push_back(what); });
    folder.entries["C:\\f\\a.bmp"] = Entry{{7}, 1, true};
    EXPECT_TRUE(stageFile(folder, "C:\\f\\a.bmp", {1, 2}, reason));
    EXPECT_EQ((Bytes{7}), folder.entries["C:\\f\\a.bmp"].bytes);
    EXPECT_EQ(0u, folder.entries.count("C:\\f\\a.bmp.tmp"));
    EXPECT_EQ(1u, logged.size());
    folder.entries["C:\\f\\b.bmp.tmp"] = Entry{{5}};
    EXPECT_FALSE(stageFile(folder, "C:\\f\\b.bmp", {1, 2}, reason));
    EXPECT_EQ((Bytes{5}), folder.entries["C:\\f\\b.bmp.tmp"].bytes);
    EXPECT_EQ(0u, folder.entries.count("C:\\f\\b.bmp"));
    useFailureSink(nullptr);
}

// Wine resolves a folder link on every call, so only here is its removal seen.
TEST(Staging, LinkedFolderIsReplacedByAFolderOrNothingIsStaged) {
    MemoryFolder folder;
    folder.kind = FolderKind::Link;
    EXPECT_TRUE(prepareStagingFolder(folder, "C:\\f"));
    EXPECT_EQ(FolderKind::Plain, folder.kind);
    folder.kind = FolderKind::Link;
    folder.linkRemovable = false;
    EXPECT_FALSE(prepareStagingFolder(folder, "C:\\f"));
}

}  // namespace
