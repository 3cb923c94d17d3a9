// The BMP loader's native side: the file read into memory, the conversion by
// the project's own DIB converter into a plain buffer, and messages written
// to standard error (tests replace loaderMessageHandler to collect them).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <system_error>
#include <vector>
#include "files/whole_file.h"
#include "renderer/image/bmp_platform.h"
#include "renderer/image/dib_converter.h"

bool fileOpensForReading(const char* path) {
    // Windows cannot open a folder as a file; the C library here can.
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return false;
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    std::fclose(file);
    return true;
}

// The file's bytes live in a vector that the mapping's file handle points to.
bool mapDibFile(const char* path, MappedDibFile* mapped) {
    std::vector<uint8_t>* bytes = new (std::nothrow) std::vector<uint8_t>;
    // An empty file cannot be mapped on Windows either.
    if (!bytes || !readWholeFile(path, *bytes) || bytes->empty()) {
        delete bytes;
        return false;
    }
    mapped->bytes = bytes->data();
    mapped->length = bytes->size();
    mapped->file = bytes;
    mapped->mapping = nullptr;
    return true;
}

void unmapDibFile(MappedDibFile* mapped) {
    delete static_cast<std::vector<uint8_t>*>(mapped->file);
    *mapped = MappedDibFile{};
}

bool createDibTarget(const DibInfoHeader* header, DibTarget* target) {
    if (header->width <= 0 || header->height <= 0) return false;
    size_t bytes = dibRowStride(header->width, 24) * size_t(header->height);
    // Zero-filled like a fresh DIB section: pixels a run-length image skips stay black.
    unsigned char* pixels = static_cast<unsigned char*>(std::calloc(1, bytes));
    if (!pixels) return false;
    target->pixels = pixels;
    target->section = pixels;
    target->context = nullptr;
    return true;
}

int convertDibRows(DibTarget* target, const DibInfoHeader* workingHeader, size_t colourBytes, const unsigned char* bits,
                   size_t bitsLength) {
    DibSource source{workingHeader, reinterpret_cast<const unsigned char*>(workingHeader + 1), colourBytes, bits,
                     bitsLength};
    int rows = workingHeader->height < 0 ? -workingHeader->height : workingHeader->height;
    return convertDibToBgr24(source, target->pixels, workingHeader->width, rows);
}

void releaseDibTarget(DibTarget* target) {
    std::free(target->pixels);
    *target = DibTarget{};
}

void showLoaderMessageBox(const char* text) { std::fprintf(stderr, "Error: %s\n", text); }
