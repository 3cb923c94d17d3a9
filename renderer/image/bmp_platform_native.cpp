// The BMP loader's native side: the file read into memory, the conversion by
// the project's own DIB converter into a plain buffer, and messages written
// to standard error (tests replace loaderMessageHandler to collect them).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
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

namespace {

// The whole file's bytes, or null when it cannot be read or is empty (an
// empty file cannot be mapped on Windows either).
unsigned char* readWholeFile(std::FILE* file, size_t* length) {
    if (std::fseek(file, 0, SEEK_END) != 0) return nullptr;
    long size = std::ftell(file);
    if (size <= 0 || std::fseek(file, 0, SEEK_SET) != 0) return nullptr;
    unsigned char* bytes = static_cast<unsigned char*>(std::malloc(size_t(size)));
    if (!bytes) return nullptr;
    if (std::fread(bytes, 1, size_t(size), file) != size_t(size)) {
        std::free(bytes);
        return nullptr;
    }
    *length = size_t(size);
    return bytes;
}

}  // namespace

bool mapDibFile(const char* path, MappedDibFile* mapped) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    size_t length = 0;
    unsigned char* bytes = readWholeFile(file, &length);
    std::fclose(file);
    if (!bytes) return false;
    mapped->bytes = bytes;
    mapped->length = length;
    mapped->file = nullptr;
    mapped->mapping = nullptr;
    return true;
}

void unmapDibFile(MappedDibFile* mapped) {
    std::free(const_cast<unsigned char*>(mapped->bytes));
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
