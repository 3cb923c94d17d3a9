#include "frontend/staging.h"

#include "diagnostics/failure_log.h"

namespace {

// What stood at the name before it was replaced, when that was not a plain
// file of its own: the rename left what it led to as it was.
void logReplacedLink(const std::string& path, const FoundFile& found) {
    if (found.link)
        logFailure("staged file " + path + " was a link to another file; replaced, the file it led to left alone", "");
    else if (found.names > 1)
        logFailure("staged file " + path + " was a hard link with " + std::to_string(found.names) +
                       " names; replaced, the other names keep their contents",
                   "");
}

}  // namespace

bool prepareStagingFolder(StagingFiles& files, const std::string& folder) {
    if (files.folderKind(folder) != FolderKind::Link) return true;
    if (!files.removeFolderLink(folder)) {
        logFailure("the staging folder " + folder + " is a link to a folder and cannot be removed; nothing is staged",
                   files.lastError());
        return false;
    }
    const bool made = files.makeFolder(folder);
    logFailure("the staging folder " + folder + " was a link to a folder; the link was removed" +
                   (made ? ", a folder made in its place" : " and no folder can be made"),
               made ? "" : files.lastError());
    return made;
}

bool stageFile(StagingFiles& files, const std::string& path, const std::vector<uint8_t>& bytes, std::string& reason) {
    const FoundFile before = files.inspect(path);
    const std::string temporary = files.temporaryName(path);
    if (!files.writeNew(temporary, bytes)) {
        reason = files.lastError();
        return false;
    }
    const bool replaced = files.replace(temporary, path);
    if (replaced) {
        logReplacedLink(path, before);
    } else {
        reason = files.lastError();
        files.remove(temporary);
    }
    // Held from now on. Where the rename failed, another saver running now
    // may hold the file already: it is used as it is.
    std::vector<uint8_t> held;
    if (!files.hold(path, held)) {
        if (!replaced) return false;
        logFailure("staged file " + path + " cannot be held open while the saver runs", files.lastError());
        return true;
    }
    if (held != bytes)
        logFailure(
            "staged file " + path + " is held by another program with other contents; the saver goes on with them",
            replaced ? "" : reason);
    return true;
}
