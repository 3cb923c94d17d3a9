// The loader's file handling: headers, palettes, where the pixels are, the
// messages, and the checks that keep it inside the file.
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include "tests/unit/bmp_message_capture.h"

namespace {

std::string writeTempFile(const Bytes& bytes) {
    char path[] = "/tmp/bmp_loader_test_XXXXXX";
    int fd = mkstemp(path);
    EXPECT_GE(fd, 0);
    if (!bytes.empty()) {
        EXPECT_EQ(write(fd, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }
    close(fd);
    return path;
}

Bytes u32(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; }

void append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

// A 2 x 2 24-bit file built by hand: rows of 6 pixel bytes padded to 8.
Bytes twoByTwo24() {
    Bytes f = {'B', 'M'};
    append(f, u32(14 + 40 + 16));
    append(f, u32(0));
    append(f, u32(54));
    append(f, u32(40));
    append(f, u32(2));
    append(f, u32(2));
    append(f, {1, 0, 24, 0});
    for (int i = 0; i < 6; ++i) append(f, u32(0));
    // Bottom row: (B,G,R) = (1,2,3) (4,5,6); top row: (7,8,9) (10,11,12).
    append(f, {1, 2, 3, 4, 5, 6, 0xEE, 0xEE, 7, 8, 9, 10, 11, 12, 0xEE, 0xEE});
    return f;
}

}  // namespace

using BmpPaletteCount = BmpTest;

TEST_F(BmpPaletteCount, CoreHeaderUsesItsBitCount) {
    for (auto [bits, expected] : {std::pair<int, int>{1, 2}, {4, 16}, {8, 256}, {24, 0}, {2, 0}}) {
        BmpRecipe s;
        s.core = true;
        s.bitCount = uint16_t(bits);
        s.fileHeader = false;
        Bytes f = buildBmp(s);
        EXPECT_EQ(countPaletteColors(f.data()), expected) << bits;
    }
}

TEST_F(BmpPaletteCount, InfoHeaderPrefersColoursUsedCutTo16Bits) {
    BmpRecipe s;
    s.fileHeader = false;
    s.bitCount = 8;
    EXPECT_EQ(countPaletteColors(buildBmp(s).data()), 256);
    s.clrUsed = 5;
    EXPECT_EQ(countPaletteColors(buildBmp(s).data()), 5);
    s.clrUsed = 0x10007;
    EXPECT_EQ(countPaletteColors(buildBmp(s).data()), 7);
    s.clrUsed = 0;
    s.bitCount = 32;
    EXPECT_EQ(countPaletteColors(buildBmp(s).data()), 0);
    s.bitCount = 4;
    EXPECT_EQ(countPaletteColors(buildBmp(s).data()), 16);
}

using BmpLayout = BmpTest;

TEST_F(BmpLayout, TwoByTwoPaddedRowsGiveTwelveBytesBottomRowFirst) {
    RgbImage* image = decode(twoByTwo24());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->height, 2);
    const unsigned char expected[12] = {3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10};
    EXPECT_EQ(0, std::memcmp(image->data, expected, 12));
    EXPECT_TRUE(messages().empty());
    freeRgbImage(image);
}

TEST_F(BmpLayout, EightBitPaletteExpandsToRgb) {
    BmpRecipe s;
    s.width = 3;
    s.height = 2;
    s.bitCount = 8;
    s.palette = rampPalette(256);
    std::vector<uint32_t> indices = {0, 1, 255, 128, 7, 7};
    s.pixels = packRows(3, 2, 8, indices);
    RgbImage* image = decode(buildBmp(s));
    ASSERT_NE(image, nullptr);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(pixel(image, i % 3, i / 3), s.palette[indices[size_t(i)]]) << i;
    freeRgbImage(image);
}

TEST_F(BmpLayout, PackedBitmapsFindPixelsRightAfterThePalette) {
    for (bool core : {false, true}) {
        BmpRecipe s;
        s.fileHeader = false;
        s.core = core;
        s.width = 4;
        s.height = 2;
        s.bitCount = 4;
        s.palette = rampPalette(16);
        std::vector<uint32_t> indices = {15, 0, 3, 9, 1, 2, 14, 5};
        s.pixels = packRows(4, 2, 4, indices);
        Bytes f = buildBmp(s);
        ASSERT_NE(f[0], 'B');
        RgbImage* image = decode(f);
        ASSERT_NE(image, nullptr) << core;
        for (int i = 0; i < 8; ++i) EXPECT_EQ(pixel(image, i % 4, i / 4), s.palette[indices[size_t(i)]]) << core << i;
        freeRgbImage(image);
    }
}

TEST_F(BmpLayout, FileHeaderOffsetIsFollowedEvenWithAGap) {
    BmpRecipe s;
    s.width = 1;
    s.height = 1;
    s.pixels = {0, 0, 0, 0, 30, 20, 10, 0};  // four junk bytes before the pixel
    Bytes f = buildBmp(s);
    uint32_t offset = 54 + 4;
    std::memcpy(&f[10], u32(offset).data(), 4);
    RgbImage* image = decode(f);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(pixel(image, 0, 0), 0x0A141Eu);
    freeRgbImage(image);
}

TEST_F(BmpLayout, TopDownImagesLoadBottomRowFirstWithPositiveHeight) {
    BmpRecipe s;
    s.width = 3;
    s.height = -4;
    s.bitCount = 24;
    std::vector<uint32_t> colours = noiseValues(12, 1u << 24, 5);
    s.pixels = packRows(3, 4, 24, colours);  // stored first row = top of the picture
    RgbImage* image = decode(buildBmp(s));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->height, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 3; ++x) EXPECT_EQ(pixel(image, x, 3 - y), colours[size_t(y) * 3 + size_t(x)]);
    }
    freeRgbImage(image);
}

TEST_F(BmpLayout, BitFieldImagesUseTheirMasks) {
    BmpRecipe s;
    s.width = 3;
    s.height = 1;
    s.bitCount = 16;
    s.compression = 3;
    s.masks = {0xF800, 0x07E0, 0x001F};
    s.pixels = packRows(3, 1, 16, {0xF800, 0x07E0, 0x001F});
    for (bool fileHeader : {true, false}) {
        s.fileHeader = fileHeader;
        RgbImage* image = decode(buildBmp(s));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(pixel(image, 0, 0), 0xFF0000u);
        EXPECT_EQ(pixel(image, 1, 0), 0x00FF00u);
        EXPECT_EQ(pixel(image, 2, 0), 0x0000FFu);
        freeRgbImage(image);
    }
}

using BmpMessages = BmpTest;

TEST_F(BmpMessages, LongerHeadersAreAnUnknownFormat) {
    for (uint32_t size : {108u, 124u, 64u, 0u}) {
        capturedLoaderMessages().clear();
        BmpRecipe s;
        s.headerSize = size == 0 ? 1 : size;
        s.width = 2;
        s.height = 2;
        s.pixels = packRows(2, 2, 24, {1, 2, 3, 4});
        EXPECT_EQ(decode(buildBmp(s)), nullptr);
        ASSERT_EQ(messages().size(), 1u) << size;
        EXPECT_EQ(messages()[0], "Unknown DIB file format.");
    }
}

TEST_F(BmpMessages, ZeroLengthFileCannotBeOpened) {
    std::string path = writeTempFile({});
    EXPECT_EQ(loadBitmapIfPresent(path.c_str()), nullptr);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0], "Failed to open DIB file " + path + ".\n");
    std::remove(path.c_str());
}

TEST_F(BmpMessages, MissingFileIsSilentThroughLoadBitmapIfPresent) {
    EXPECT_EQ(loadBitmapIfPresent("/tmp/no such folder/Solvane9.bmp"), nullptr);
    EXPECT_EQ(loadBitmapIfPresent(nullptr), nullptr);
    EXPECT_EQ(loadBitmapIfPresent("/tmp"), nullptr);  // a folder does not open as a file
    EXPECT_TRUE(messages().empty());
    // Asked for directly, the missing file is reported.
    EXPECT_EQ(loadDibImage("/tmp/no such folder/Solvane9.bmp"), nullptr);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0], "Failed to open DIB file /tmp/no such folder/Solvane9.bmp.\n");
}

TEST_F(BmpMessages, FileOnDiskLoadsAsTheBufferDoes) {
    std::string path = writeTempFile(twoByTwo24());
    RgbImage* image = loadBitmapIfPresent(path.c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(pixel(image, 1, 1), 0x0C0B0Au);
    EXPECT_TRUE(messages().empty());
    freeRgbImage(image);
    freeRgbImage(nullptr);
    std::remove(path.c_str());
}

TEST_F(BmpMessages, EmptyPicturesCannotHaveATarget) {
    for (auto [w, h] : {std::pair<int, int>{0, 2}, {2, 0}, {-3, 2}}) {
        capturedLoaderMessages().clear();
        BmpRecipe s;
        s.width = w;
        s.height = h;
        s.pixels = Bytes(64, 0);
        EXPECT_EQ(decode(buildBmp(s)), nullptr);
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages()[0], "Out of memory.") << w << "x" << h;
    }
}

using BmpBounds = BmpTest;

namespace {

void expectConversionError(const std::vector<std::string>& messages, const char* what) {
    ASSERT_EQ(messages.size(), 1u) << what;
    EXPECT_EQ(messages[0], "Image file conversion error.") << what;
}

}  // namespace

TEST_F(BmpBounds, ShortPixelDataIsRefused) {
    BmpRecipe s;
    s.width = 5;
    s.height = 3;
    s.pixels = packRows(5, 3, 24, noiseValues(15, 1u << 24, 1));
    s.pixels.pop_back();  // the last row's padding is missing
    EXPECT_EQ(decode(buildBmp(s)), nullptr);
    expectConversionError(messages(), "one byte short");
}

TEST_F(BmpBounds, PixelOffsetPastTheEndIsRefused) {
    BmpRecipe s;
    s.width = 1;
    s.height = 1;
    s.pixels = {1, 2, 3, 0};
    Bytes f = buildBmp(s);
    std::memcpy(&f[10], u32(0xFFFFFFF0u).data(), 4);
    EXPECT_EQ(decode(f), nullptr);
    expectConversionError(messages(), "offset");
}

TEST_F(BmpBounds, PaletteRunningPastTheEndIsRefused) {
    BmpRecipe s;
    s.fileHeader = false;
    s.width = 1;
    s.height = 1;
    s.bitCount = 8;
    s.clrUsed = 0xFFFF;  // claims far more entries than the file holds
    s.palette = rampPalette(2);
    s.pixels = {1, 0, 0, 0};
    EXPECT_EQ(decode(buildBmp(s)), nullptr);
    expectConversionError(messages(), "palette");
}

TEST_F(BmpBounds, MissingBitFieldMasksAreRefused) {
    BmpRecipe s;
    s.fileHeader = false;
    s.bitCount = 32;
    s.compression = 3;
    Bytes f = buildBmp(s);  // no masks, no pixels
    EXPECT_EQ(decode(f), nullptr);
    expectConversionError(messages(), "masks");
}

TEST_F(BmpBounds, RunLengthSizeBeyondTheFileIsRefused) {
    BmpRecipe s = runLengthRecipe(4, 1, false, {4, 9, 0, 1});
    s.sizeImage = 5;
    EXPECT_EQ(decode(buildBmp(s)), nullptr);
    expectConversionError(messages(), "size image");
}

TEST_F(BmpBounds, AbsurdSizesAreRefusedBeforeAllocating) {
    BmpRecipe s = runLengthRecipe(1, 1, false, {0, 1});
    s.sizeImage = 0;
    for (auto [w, h] : {std::pair<int32_t, int32_t>{0x7FFFFFFF, 0x7FFFFFFF}, {100000, 100000}, {1, INT32_MIN + 1}}) {
        capturedLoaderMessages().clear();
        s.width = w;
        s.height = h;
        EXPECT_EQ(decode(buildBmp(s)), nullptr);
        expectConversionError(messages(), "huge");
    }
}

TEST_F(BmpBounds, TargetCeilingIsInclusive) {
    // 5 pixels of 3 bytes pad to 16-byte rows; 4 rows make a 64-byte target.
    BmpRecipe s = runLengthRecipe(5, 4, false, {5, 1, 0, 1});
    s.sizeImage = 0;
    uint64_t saved = largestDibTargetBytes;
    largestDibTargetBytes = 64;
    RgbImage* image = decode(buildBmp(s));
    EXPECT_NE(image, nullptr);
    freeRgbImage(image);
    largestDibTargetBytes = 63;
    EXPECT_EQ(decode(buildBmp(s)), nullptr);
    largestDibTargetBytes = saved;
    expectConversionError(messages(), "ceiling");
}

TEST_F(BmpBounds, TooShortForAHeaderIsRefused) {
    Bytes f = twoByTwo24();
    for (size_t length : {size_t(0), size_t(1), size_t(2), size_t(13), size_t(17), size_t(20), size_t(53)}) {
        capturedLoaderMessages().clear();
        EXPECT_EQ(decodePrefix(f, length), nullptr);
        expectConversionError(messages(), "header");
    }
}
