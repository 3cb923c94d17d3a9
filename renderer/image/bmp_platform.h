// What the BMP loader needs from the platform: the file mapped for reading,
// a 24-bit target bitmap, the DIB conversion into it, and the message box.
// Win32 does these with kernel32 file mapping and GDI; the native build reads
// the file into memory and converts with dib_converter.
#pragma once
#include <cstddef>
#include "renderer/image/dib_header.h"

// Opens and closes the file for reading (read sharing allowed); false when it
// does not exist or cannot be opened.
bool fileOpensForReading(const char* path);

struct MappedDibFile {
    const unsigned char* bytes;
    size_t length;
    void* file;  // platform handles, released by unmapDibFile
    void* mapping;
};
// Maps the whole file read-only. False (with nothing left to release) when
// opening, mapping or viewing fails; an empty file cannot be mapped.
bool mapDibFile(const char* path, MappedDibFile* file);
// Releases the view, the mapping and the file, in that order.
void unmapDibFile(MappedDibFile* file);

struct DibTarget {
    unsigned char* pixels;  // bottom row first, rows padded to 4 bytes
    void* section;
    void* context;
};
// Makes a bottom-up 24-bit bitmap of header's size selected into a memory
// device context. False (nothing left to release) on failure.
bool createDibTarget(const DibInfoHeader* header, DibTarget* target);
// Converts every row of the source into the target and flushes pending
// drawing; returns the rows converted (0 when the platform refuses the
// format). workingHeader is the info header followed by its colour table or
// bit-field masks; bitsLength bounds the pixel data (checked by the caller).
int convertDibRows(DibTarget* target, const DibInfoHeader* workingHeader, size_t colourBytes, const unsigned char* bits,
                   size_t bitsLength);
// Releases the memory device context, then the bitmap.
void releaseDibTarget(DibTarget* target);

// The default loaderMessageHandler: the platform's modal "Error" box.
void showLoaderMessageBox(const char* text);
