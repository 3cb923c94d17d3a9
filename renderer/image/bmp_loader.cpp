// The portable part of the BMP loader: finding the header, palette and pixel
// data in the file, building the working header the conversion reads, and
// copying the converted 24-bit rows out as packed R,G,B. Everything read from
// the file is checked against its length first; the platform file does the
// mapping, the conversion and the message box.
#include "renderer/image/bmp_loader.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include "diagnostics/failure_log.h"
#include "renderer/image/bmp_platform.h"
#include "renderer/image/dib_converter.h"

void (*loaderMessageHandler)(const char* text) = showLoaderMessageBox;

// 64 MiB: a 4096 x 4096 picture fits, far beyond any texture the scene uses.
uint64_t largestDibTargetBytes = uint64_t(64) << 20;

namespace {

constexpr char kOpenFailedMessage[] = "Failed to open DIB file %s.\n";  // the path for %s
constexpr char kUnknownFormatMessage[] = "Unknown DIB file format.";
constexpr char kOutOfMemoryMessage[] = "Out of memory.";
constexpr char kConversionErrorMessage[] = "Image file conversion error.";

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;
constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kMaskBytes = 12;

uint16_t readU16(const unsigned char* p) { return uint16_t(p[0] | (p[1] << 8)); }

// The last message shown, which the failure log repeats with the file's name.
std::string lastReport;

void report(const char* text) {
    lastReport = text;
    if (loaderMessageHandler) loaderMessageHandler(text);
}

// Where the parts of the file lie, once checked to be inside it.
struct DibLayout {
    size_t headerAt;
    uint32_t headerSize;
    bool hasFileHeader;
    size_t pixelsAt;  // from the file header; worked out otherwise
    uint16_t paletteCount;
};

bool isRunLength(uint32_t compression) { return compression == kDibRle8 || compression == kDibRle4; }
bool usesMasks(const DibInfoHeader& h) { return h.compression == kDibBitFields; }

// The working header: the info header, then room for n + 1 colour-table
// entries (never fewer than a full 8-bit table, since the conversion reads as
// many entries as the bit count allows when a colours-used value above 16 bits
// was cut to a smaller n), and for the three bit-field masks. Zero-filled, so
// colour-table entries the file does not give are black.
unsigned char* allocateWorkingHeader(uint16_t paletteCount, size_t* colourBytes) {
    size_t entries = size_t(paletteCount) + 1 < 256 ? 256 : size_t(paletteCount) + 1;
    *colourBytes = 4 * entries + kMaskBytes;
    return static_cast<unsigned char*>(std::calloc(1, kInfoHeaderSize + *colourBytes));
}

// Fills the working header from a core header; false when the palette runs
// past the end of the file.
bool fillFromCoreHeader(const unsigned char* file, size_t length, DibLayout* layout, unsigned char* working) {
    const unsigned char* core = file + layout->headerAt;
    DibInfoHeader h{};
    h.size = kInfoHeaderSize;
    h.width = readU16(core + 4);
    h.height = readU16(core + 6);
    h.planes = readU16(core + 8);
    h.bitCount = readU16(core + 10);
    h.clrUsed = layout->paletteCount;
    h.clrImportant = layout->paletteCount;
    std::memcpy(working, &h, sizeof h);
    size_t paletteAt = layout->headerAt + kCoreHeaderSize;
    size_t paletteEnd = paletteAt + 3 * size_t(layout->paletteCount);
    if (paletteEnd > length) return false;
    for (size_t i = 0; i < layout->paletteCount; ++i) {
        const unsigned char* entry = file + paletteAt + 3 * i;
        unsigned char* out = working + kInfoHeaderSize + 4 * i;
        out[0] = entry[0];
        out[1] = entry[1];
        out[2] = entry[2];
        out[3] = 0;
    }
    if (!layout->hasFileHeader) layout->pixelsAt = paletteEnd;
    return true;
}

// Fills the working header from an info header: the fields, then the masks
// (bit-field images) or the palette. False when they run past the file's end.
bool fillFromInfoHeader(const unsigned char* file, size_t length, DibLayout* layout, unsigned char* working) {
    const unsigned char* info = file + layout->headerAt;
    DibInfoHeader h{};
    h.size = kInfoHeaderSize;
    h.width = int32_t(readU32(info + 4));
    h.height = int32_t(readU32(info + 8));
    h.planes = readU16(info + 12);
    h.bitCount = readU16(info + 14);
    h.compression = readU32(info + 16);
    h.sizeImage = readU32(info + 20);
    h.xPelsPerMeter = int32_t(readU32(info + 24));
    h.yPelsPerMeter = int32_t(readU32(info + 28));
    h.clrUsed = readU32(info + 32);
    h.clrImportant = readU32(info + 36);
    std::memcpy(working, &h, sizeof h);
    size_t tableAt = layout->headerAt + kInfoHeaderSize;
    size_t tableBytes = 4 * size_t(layout->paletteCount);
    if (usesMasks(h)) {
        // The masks come first and are what the conversion reads; a palette
        // after them only matters for finding the pixels.
        if (tableAt + kMaskBytes > length) return false;
        std::memcpy(working + kInfoHeaderSize, file + tableAt, kMaskBytes);
        tableAt += kMaskBytes;
    }
    if (tableAt + tableBytes > length) return false;
    if (!usesMasks(h)) std::memcpy(working + kInfoHeaderSize, file + tableAt, tableBytes);
    if (!layout->hasFileHeader) layout->pixelsAt = tableAt + tableBytes;
    return true;
}

// The number of pixel bytes the conversion will read, with the working
// header's image size and colours used filled in. Run-length images without an
// image size read up to the end of the file.
uint64_t fixUpSizes(DibInfoHeader* h, uint16_t paletteCount, size_t pixelBytesInFile) {
    uint64_t rows = uint64_t(h->height < 0 ? -int64_t(h->height) : int64_t(h->height));
    if (h->sizeImage == 0) {
        uint64_t computed = isRunLength(h->compression)
                                ? pixelBytesInFile
                                : (uint64_t(h->bitCount) * uint64_t(uint32_t(h->width)) + 7) / 8 * rows;
        h->sizeImage = computed > 0xFFFFFFFFu ? 0xFFFFFFFFu : uint32_t(computed);
    }
    if (h->clrUsed == 0) h->clrUsed = paletteCount;
    if (isRunLength(h->compression)) return h->sizeImage;
    return uint64_t(dibRowStride(h->width, h->bitCount)) * rows;
}

// Copies the converted target into packed R,G,B rows, bottom row first.
void copyTargetRows(const unsigned char* target, int width, int height, unsigned char* out) {
    size_t padding = size_t(width) % 4;
    const unsigned char* src = target;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            out[0] = src[2];
            out[1] = src[1];
            out[2] = src[0];
            out += 3;
            src += 3;
        }
        src += padding;
    }
}

// Makes the 24-bit target, converts into it and copies the rows out into a new
// record. The working header is the caller's to free.
RgbImage* convertToImage(const unsigned char* working, size_t colourBytes, const unsigned char* bits,
                         size_t bitsLength) {
    DibInfoHeader source;
    std::memcpy(&source, working, sizeof source);
    int rows = source.height < 0 ? -source.height : source.height;
    DibInfoHeader targetHeader{};
    targetHeader.size = kInfoHeaderSize;
    targetHeader.width = source.width;
    targetHeader.height = rows;  // bottom-up, also for top-down sources
    targetHeader.planes = 1;
    targetHeader.bitCount = 24;
    targetHeader.sizeImage = uint32_t(uint64_t(rows) * uint64_t(source.width) * 3);
    DibTarget target{};
    if (!createDibTarget(&targetHeader, &target)) {
        report(kOutOfMemoryMessage);
        return nullptr;
    }
    RgbImage* image = nullptr;
    unsigned char* data = nullptr;
    if (convertDibRows(&target, reinterpret_cast<const DibInfoHeader*>(working), colourBytes, bits, bitsLength) == 0) {
        report(kConversionErrorMessage);
    } else if (!(data = static_cast<unsigned char*>(std::malloc(size_t(rows) * size_t(source.width) * 3)))) {
        report(kOutOfMemoryMessage);
    } else {
        copyTargetRows(target.pixels, source.width, rows, data);
        image = static_cast<RgbImage*>(std::malloc(sizeof(RgbImage)));
        if (!image) {
            report(kOutOfMemoryMessage);
            std::free(data);
        } else {
            image->width = source.width;
            image->height = rows;
            image->data = data;
        }
    }
    releaseDibTarget(&target);
    return image;
}

// Checks the picture's size and the pixel data's place in the file, then
// converts. Reports and returns none when the file is inconsistent.
RgbImage* checkAndConvert(const unsigned char* file, size_t length, const DibLayout& layout, unsigned char* working,
                          size_t colourBytes) {
    DibInfoHeader h;
    std::memcpy(&h, working, sizeof h);
    if (h.width <= 0 || h.height == 0 || h.height == INT32_MIN) {
        // No target bitmap can be made for an empty picture.
        report(kOutOfMemoryMessage);
        return nullptr;
    }
    uint64_t rows = uint64_t(h.height < 0 ? -int64_t(h.height) : int64_t(h.height));
    uint64_t targetBytes = rows * ((uint64_t(h.width) * 3 + 3) & ~uint64_t(3));
    if (targetBytes > largestDibTargetBytes || layout.pixelsAt > length) {
        report(kConversionErrorMessage);
        return nullptr;
    }
    size_t inFile = length - layout.pixelsAt;
    uint64_t needed = fixUpSizes(&h, layout.paletteCount, inFile);
    if (needed > inFile) {
        report(kConversionErrorMessage);
        return nullptr;
    }
    std::memcpy(working, &h, sizeof h);
    return convertToImage(working, colourBytes, file + layout.pixelsAt, size_t(needed));
}

// Finds the file header and the header size; false (after reporting) when the
// file cannot hold them or the header is not one the loader reads.
bool locateHeader(const unsigned char* file, size_t length, DibLayout* layout) {
    layout->hasFileHeader = length >= 2 && file[0] == 'B' && file[1] == 'M';
    layout->headerAt = layout->hasFileHeader ? kFileHeaderSize : 0;
    if (layout->headerAt + 4 > length) {
        report(kConversionErrorMessage);
        return false;
    }
    layout->pixelsAt = layout->hasFileHeader ? readU32(file + 10) : 0;
    layout->headerSize = readU32(file + layout->headerAt);
    if (layout->headerSize != kCoreHeaderSize && layout->headerSize != kInfoHeaderSize) {
        report(kUnknownFormatMessage);
        return false;
    }
    if (layout->headerAt + layout->headerSize > length) {
        report(kConversionErrorMessage);
        return false;
    }
    return true;
}

}  // namespace

uint16_t countPaletteColors(const unsigned char* header) {
    uint32_t bitCount;
    if (readU32(header) == kCoreHeaderSize) {
        bitCount = readU16(header + 10);
    } else {
        uint32_t used = readU32(header + 32);
        if (used != 0) return uint16_t(used);
        bitCount = readU16(header + 14);
    }
    switch (bitCount) {
        case 1: return 2;
        case 4: return 16;
        case 8: return 256;
        default: return 0;
    }
}

RgbImage* decodeDibFile(const unsigned char* bytes, size_t length) {
    DibLayout layout{};
    if (!bytes) length = 0;
    if (!locateHeader(bytes, length, &layout)) return nullptr;
    layout.paletteCount = countPaletteColors(bytes + layout.headerAt);
    size_t colourBytes = 0;
    unsigned char* working = allocateWorkingHeader(layout.paletteCount, &colourBytes);
    if (!working) {
        report(kOutOfMemoryMessage);
        return nullptr;
    }
    bool filled = layout.headerSize == kCoreHeaderSize ? fillFromCoreHeader(bytes, length, &layout, working)
                                                       : fillFromInfoHeader(bytes, length, &layout, working);
    RgbImage* image = nullptr;
    if (!filled) {
        report(kConversionErrorMessage);
    } else {
        image = checkAndConvert(bytes, length, layout, working, colourBytes);
    }
    std::free(working);
    return image;
}

RgbImage* loadDibImage(const char* path) {
    MappedDibFile file{};
    RgbImage* image = nullptr;
    lastReport.clear();
    if (!path || !mapDibFile(path, &file)) {
        char text[600];
        std::snprintf(text, sizeof text, kOpenFailedMessage, path ? path : "");
        report(text);
    } else {
        image = decodeDibFile(file.bytes, file.length);
        unmapDibFile(&file);
    }
    if (!image) logFailure(std::string("picture ") + (path ? path : "") + " not loaded", lastReport);
    return image;
}

RgbImage* loadBitmapIfPresent(const char* path) {
    if (!path || !fileOpensForReading(path)) return nullptr;
    return loadDibImage(path);
}

void freeRgbImage(RgbImage* image) {
    if (!image) return;
    std::free(image->data);
    std::free(image);
}
