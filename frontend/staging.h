// Writing the staged files into the shared staging folder without ever
// writing through a link. Every user of the machine may change what is in
// that folder, so a name there may lead anywhere: a hard link to another
// file, a symbolic link to a file elsewhere, or the folder itself a link to
// another folder. A file is therefore written under a new temporary name
// (made only if no such name exists), then renamed over its real name: a
// rename replaces the directory entry, a link included, and never writes into
// what a link leads to. Once in place, each file is held open with read
// sharing only until the process ends, so no other program can write,
// replace or delete it while the renderer reads it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum class FolderKind { Missing, Plain, Link, NotAFolder };

// What a name leads to now, the name itself looked at (a link as a link).
struct FoundFile {
    bool exists = false;
    bool link = false;   // a symbolic link or another reparse point
    uint32_t names = 0;  // the file's hard links, itself included
};

// The file operations the staging steps take. A failing call returns false
// and leaves its reason for lastError().
struct StagingFiles {
    virtual ~StagingFiles() = default;
    virtual FolderKind folderKind(const std::string& path) = 0;
    // Removes the link itself, never anything it leads to; false where the
    // system cannot tell the link from the folder behind it.
    virtual bool removeFolderLink(const std::string& path) = 0;
    virtual bool makeFolder(const std::string& path) = 0;
    virtual FoundFile inspect(const std::string& path) = 0;
    // A temporary name beside path, one of this process's own.
    virtual std::string temporaryName(const std::string& path) = 0;
    // Makes a new file (never one that exists) holding bytes; on a failure
    // after making it, the file is gone again.
    virtual bool writeNew(const std::string& path, const std::vector<uint8_t>& bytes) = 0;
    // Renames from over to, replacing whatever name to is.
    virtual bool replace(const std::string& from, const std::string& to) = 0;
    virtual bool remove(const std::string& path) = 0;
    // Opens a plain file for reading with read sharing only and keeps it open
    // until the process ends; its bytes.
    virtual bool hold(const std::string& path, std::vector<uint8_t>& bytes) = 0;
    virtual std::string lastError() = 0;
};

// Makes the staging folder a real folder before anything is staged: a link
// there is removed (only the link) and a folder made in its place. False,
// logged, where a link stays: nothing may then be staged.
bool prepareStagingFolder(StagingFiles& files, const std::string& folder);

// Stages one file with these bytes and holds it. A file that another saver
// holds already is used as it is: silently when its bytes are these, logged
// when they differ. Links found in the way are replaced, and logged. False
// when the file could not be written; reason then holds the system's words.
bool stageFile(StagingFiles& files, const std::string& path, const std::vector<uint8_t>& bytes, std::string& reason);
