// The BMP loader's Windows side: the file mapped read-only through kernel32,
// the conversion done by GDI into a 24-bit DIB section, and the "Error" box.
#include <windows.h>
#include "diagnostics/failure_log_win32.h"
#include "files/plain_file_win32.h"
#include "renderer/image/bmp_platform.h"

bool fileOpensForReading(const char* path) {
    if (!stagedFileIsPlain("picture", path)) return false;
    HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return logLastError(std::string("picture ") + path + " cannot be read");
    CloseHandle(file);
    return true;
}

bool mapDibFile(const char* path, MappedDibFile* mapped) {
    HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    // An empty file cannot be mapped; the loader treats it as unopenable.
    HANDLE mapping = nullptr;
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && uint64_t(size.QuadPart) <= SIZE_MAX) {
        mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    }
    if (!mapping) {
        CloseHandle(file);
        return false;
    }
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    if (!view) {
        CloseHandle(mapping);
        CloseHandle(file);
        return false;
    }
    mapped->bytes = static_cast<const unsigned char*>(view);
    mapped->length = size_t(size.QuadPart);
    mapped->file = file;
    mapped->mapping = mapping;
    return true;
}

void unmapDibFile(MappedDibFile* mapped) {
    UnmapViewOfFile(mapped->bytes);
    CloseHandle(static_cast<HANDLE>(mapped->mapping));
    CloseHandle(static_cast<HANDLE>(mapped->file));
    *mapped = MappedDibFile{};
}

bool createDibTarget(const DibInfoHeader* header, DibTarget* target) {
    HDC context = CreateCompatibleDC(nullptr);
    if (!context) return false;
    void* pixels = nullptr;
    HBITMAP section =
        CreateDIBSection(context, reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!section || !pixels) {
        if (section) DeleteObject(section);
        DeleteDC(context);
        return false;
    }
    SelectObject(context, section);
    target->pixels = static_cast<unsigned char*>(pixels);
    target->section = section;
    target->context = context;
    return true;
}

int convertDibRows(DibTarget* target, const DibInfoHeader* workingHeader, size_t, const unsigned char* bits, size_t) {
    int rows = workingHeader->height < 0 ? -workingHeader->height : workingHeader->height;
    int converted = SetDIBits(static_cast<HDC>(target->context), static_cast<HBITMAP>(target->section), 0, UINT(rows),
                              bits, reinterpret_cast<const BITMAPINFO*>(workingHeader), DIB_RGB_COLORS);
    if (converted > 0) GdiFlush();
    return converted > 0 ? converted : 0;
}

void releaseDibTarget(DibTarget* target) {
    DeleteDC(static_cast<HDC>(target->context));
    DeleteObject(static_cast<HBITMAP>(target->section));
    *target = DibTarget{};
}

void showLoaderMessageBox(const char* text) { MessageBoxA(GetFocus(), text, "Error", MB_OK); }
