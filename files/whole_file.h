// Reading a whole file into memory, for the loaders that parse a byte buffer.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The file's bytes (none for an empty file); false when it cannot be opened
// or read completely, or does not fit in memory.
bool readWholeFile(const std::string& path, std::vector<uint8_t>& bytes);
