// Reading only plain files from the shared staging folder: a name there may
// be a link that another user planted, leading to a file or folder of their
// choosing.
#pragma once
#include <string>

// Whether path is a regular file on a disk, itself no link, in a folder that
// is no link. Where it is not, the file counts as one that cannot be read:
// logs "<what> <path> cannot be read" with what was found, and gives false.
// A file that does not open passes, for the reader's own open to report.
bool stagedFileIsPlain(const std::string& what, const std::string& path);
