// The native converter's pixel formats, each on a small crafted file whose
// expected colours follow from the format's rules (the wine differential test
// checks the same rules against GDI on a larger corpus).
#include <cstring>
#include "renderer/image/dib_converter.h"
#include "tests/unit/bmp_message_capture.h"

namespace {

const uint32_t black = 0;

BmpRecipe paletteRecipe(int width, int height, int bitCount, std::vector<uint32_t> indices) {
    BmpRecipe s;
    s.width = width;
    s.height = height;
    s.bitCount = uint16_t(bitCount);
    s.palette = rampPalette(1 << bitCount);
    if (!indices.empty()) s.pixels = packRows(width, height, bitCount, indices);
    return s;
}

BmpRecipe maskedRecipe(int bitCount, std::vector<uint32_t> masks, std::vector<uint32_t> values) {
    BmpRecipe s;
    s.width = int(values.size());
    s.height = 1;
    s.bitCount = uint16_t(bitCount);
    s.compression = 3;
    s.masks = std::move(masks);
    s.pixels = packRows(s.width, 1, bitCount, values);
    return s;
}

}  // namespace

class BmpConvert : public BmpTest {
protected:
    // Decodes and checks every pixel against expected (row 0 = bottom).
    void expectPixels(const BmpRecipe& recipe, const std::vector<uint32_t>& expected) {
        RgbImage* image = decode(buildBmp(recipe));
        ASSERT_NE(image, nullptr);
        ASSERT_EQ(size_t(image->width) * size_t(image->height), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(pixel(image, int(i % size_t(image->width)), int(i / size_t(image->width))), expected[i])
                << "pixel " << i;
        }
        EXPECT_TRUE(messages().empty());
        freeRgbImage(image);
    }

    void expectRefused(const BmpRecipe& recipe) {
        EXPECT_EQ(decode(buildBmp(recipe)), nullptr);
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages()[0], "Image file conversion error.");
    }
};

TEST(BmpRowStride, RoundsBitsUpToWholeWords) {
    EXPECT_EQ(dibRowStride(1, 1), 4u);
    EXPECT_EQ(dibRowStride(33, 1), 8u);
    EXPECT_EQ(dibRowStride(7, 4), 4u);
    EXPECT_EQ(dibRowStride(9, 4), 8u);
    EXPECT_EQ(dibRowStride(5, 8), 8u);
    EXPECT_EQ(dibRowStride(3, 16), 8u);
    EXPECT_EQ(dibRowStride(2, 24), 8u);
    EXPECT_EQ(dibRowStride(3, 32), 12u);
}

TEST_F(BmpConvert, PaletteFormatsReadPixelsFromTheHighBitsDown) {
    std::vector<uint32_t> p1 = rampPalette(2), p4 = rampPalette(16), p8 = rampPalette(256);
    BmpRecipe one = paletteRecipe(9, 1, 1, {});
    one.pixels = {0xB1, 0x80, 0, 0};  // 1 0 1 1 0 0 0 1 | 1
    expectPixels(one, {p1[1], p1[0], p1[1], p1[1], p1[0], p1[0], p1[0], p1[1], p1[1]});
    BmpRecipe four = paletteRecipe(3, 1, 4, {});
    four.pixels = {0x3C, 0x70, 0, 0};
    expectPixels(four, {p4[3], p4[12], p4[7]});
    BmpRecipe eight = paletteRecipe(2, 2, 8, {200, 3, 0, 255});
    expectPixels(eight, {p8[200], p8[3], p8[0], p8[255]});
}

TEST_F(BmpConvert, IndicesBeyondAShortPaletteAreBlack) {
    BmpRecipe s = paletteRecipe(4, 1, 8, {0, 1, 2, 200});
    s.palette = rampPalette(2);
    s.clrUsed = 2;
    expectPixels(s, {s.palette[0], s.palette[1], black, black});
}

TEST_F(BmpConvert, ColoursUsedAbove16BitsKeepsOnlyTheCountedEntries) {
    BmpRecipe s = paletteRecipe(3, 1, 8, {0, 2, 3});
    s.palette = rampPalette(3);
    s.clrUsed = 0x10003;
    expectPixels(s, {s.palette[0], s.palette[2], black});
    s.palette.clear();
    s.clrUsed = 0x10000;
    expectPixels(s, {black, black, black});
}

TEST_F(BmpConvert, PaletteLongerThanTheBitsAllowIsCutToTheirRange) {
    BmpRecipe s = paletteRecipe(2, 1, 1, {1, 0});
    s.palette = rampPalette(5);
    s.clrUsed = 5;
    expectPixels(s, {s.palette[1], s.palette[0]});
}

TEST_F(BmpConvert, SixteenBitWithoutMasksIsFiveFiveFive) {
    // Fields are scaled as (v << 3) | (v >> 2); the top bit is unused.
    BmpRecipe s;
    s.width = 5;
    s.height = 1;
    s.bitCount = 16;
    s.pixels = packRows(5, 1, 16, {0x7FFF, 0x0001, 0x4210, 0x8000, 0x7C00});
    expectPixels(s, {0xFFFFFF, 0x000008, 0x848484, black, 0xFF0000});
}

TEST_F(BmpConvert, DirectFormatsKeepBlueGreenRedOrder) {
    BmpRecipe s24;
    s24.width = 3;
    s24.height = 1;
    s24.pixels = {0x56, 0x34, 0x12, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0};
    expectPixels(s24, {0x123456, 0x0000FF, 0x00FF00});
    BmpRecipe s32;
    s32.width = 2;
    s32.height = 1;
    s32.bitCount = 32;
    s32.pixels = packRows(2, 1, 32, {0xFF123456, 0x00ABCDEF});  // the top byte is unused
    expectPixels(s32, {0x123456, 0xABCDEF});
}

TEST_F(BmpConvert, BitFieldsScaleEachMaskToEightBits) {
    expectPixels(maskedRecipe(16, {0x0F00, 0x00F0, 0x000F}, {0x0F00, 0x0081, 0x0FFF}), {0xFF0000, 0x008811, 0xFFFFFF});
    // Swapped channels.
    expectPixels(maskedRecipe(16, {0x001F, 0x07E0, 0xF800}, {0x001F, 0xF800}), {0xFF0000, 0x0000FF});
    // Fields narrower than four bits are repeated only once below themselves.
    expectPixels(maskedRecipe(16, {0x8000, 0x7000, 0x0003}, {0x8000, 0x7003, 0x1001}), {0xC00000, 0x00FCF0, 0x002450});
    // Wider fields keep their top eight bits.
    expectPixels(maskedRecipe(32, {0x3FF00000, 0x000FFC00, 0x000003FF}, {0x3FF00000, 0x00080003}),
                 {0xFF0000, 0x008000});
    expectPixels(maskedRecipe(32, {0x000000FF, 0x0000FF00, 0x00FF0000}, {0x00332211}), {0x112233});
    // A mask of all 32 bits: the pixel's top byte.
    expectPixels(maskedRecipe(32, {0xFFFFFFFF, 0x0000FF00, 0x000000FF}, {0xAB000000}), {0xAB0000});
}

TEST_F(BmpConvert, GappyMasksReadTheirLowestRunOfBits) {
    // Green 0x02F0 is read as bits 4..7: bit 9 alone gives nothing, and bits
    // below the run's top byte are not masked off either.
    expectPixels(maskedRecipe(16, {0x7C00, 0x02F0, 0x000F}, {0x0200, 0x00F0, 0x0210}), {0x000000, 0x00FF00, 0x001100});
    // Red 0x00F00F00 is read as bits 8..11, taking the pixel's bits 4..11.
    expectPixels(maskedRecipe(32, {0x00F00F00, 0x000000F0, 0x0000000F}, {0x00F00F00, 0x00F00000}),
                 {0xFF0000, 0x000000});
}

TEST_F(BmpConvert, FormatsGdiRefusesAreConversionErrors) {
    BmpRecipe noRed = maskedRecipe(16, {0, 0x03E0, 0x001F}, {1, 2});
    expectRefused(noRed);
    BmpRecipe fields24;
    fields24.width = 1;
    fields24.compression = 3;
    fields24.masks = {0xFF0000, 0xFF00, 0xFF};
    fields24.pixels = {1, 2, 3, 0};
    capturedLoaderMessages().clear();
    expectRefused(fields24);
    BmpRecipe twoBit = paletteRecipe(3, 1, 2, {1, 2, 3});
    capturedLoaderMessages().clear();
    expectRefused(twoBit);
    BmpRecipe noPlanes = paletteRecipe(2, 1, 8, {1, 2});
    noPlanes.planes = 0;
    capturedLoaderMessages().clear();
    expectRefused(noPlanes);
    BmpRecipe png = paletteRecipe(2, 1, 8, {1, 2});
    png.compression = 5;
    capturedLoaderMessages().clear();
    expectRefused(png);
    BmpRecipe rle4as8 = runLengthRecipe(2, 1, true, {2, 0x11, 0, 1});
    rle4as8.bitCount = 8;
    rle4as8.palette = rampPalette(256);
    capturedLoaderMessages().clear();
    expectRefused(rle4as8);
}

TEST_F(BmpConvert, RunLength8DrawsRunsLiteralsMovesAndClips) {
    std::vector<uint32_t> p = rampPalette(256);
    // Row 0: a run of 2, a literal run of 3 (padded), then a run that spills
    // past the right edge. Row 1: end of line at once. Row 2: move right 1 and
    // up 0, draw 1, then end of picture; row 3 stays black.
    BmpRecipe s =
        runLengthRecipe(6, 4, false, {2, 10, 0, 3, 20, 21, 22, 0, 4, 30, 0, 0, 0, 0, 0, 2, 1, 0, 1, 40, 0, 1, 1, 50});
    expectPixels(s, {p[10], p[10], p[20], p[21], p[22], p[30],  //
                     black, black, black, black, black, black,  //
                     black, p[40], black, black, black, black,  //
                     black, black, black, black, black, black});
}

TEST_F(BmpConvert, RunLength8StopsAtItsImageSize) {
    std::vector<uint32_t> p = rampPalette(256);
    BmpRecipe s = runLengthRecipe(3, 2, false, {3, 5, 0, 0, 3, 6, 0, 1});
    s.sizeImage = 4;  // the second row's run lies beyond it
    expectPixels(s, {p[5], p[5], p[5], black, black, black});
}

TEST_F(BmpConvert, RunLengthRowStretchCountsOnlyOnceAnEscapeFollows) {
    std::vector<uint32_t> p = rampPalette(256);
    // The data ends after a run: that row's last stretch is left undrawn.
    expectPixels(runLengthRecipe(3, 2, false, {3, 5, 0, 0, 2, 6}), {p[5], p[5], p[5], black, black, black});
    // A move makes what came before it final, even when the move itself is cut off.
    expectPixels(runLengthRecipe(3, 2, false, {1, 5, 0, 2, 1, 0, 1, 6, 0, 2, 1}),
                 {p[5], black, p[6], black, black, black});
    // A literal run longer than the data left: the row's open stretch goes too.
    expectPixels(runLengthRecipe(4, 1, false, {2, 7, 0, 5, 1, 2}), {black, black, black, black});
    expectPixels(runLengthRecipe(4, 1, false, {2, 7, 0, 2, 0, 0, 0, 5, 1, 2}), {p[7], p[7], black, black});
}

TEST_F(BmpConvert, RunLength8LiteralOf255SkipsItsPaddedLength) {
    // 255 literal bytes plus one pad byte, then a run of 2: the run follows
    // at once (Wine's GDI misreads this one case; Windows and this converter
    // agree on the format).
    std::vector<uint32_t> p = rampPalette(256);
    Bytes stream = {0, 255};
    for (int i = 0; i < 255; ++i) stream.push_back(uint8_t(i));
    stream.push_back(0xEE);
    stream.insert(stream.end(), {2, 99, 0, 1});
    std::vector<uint32_t> expected;
    for (int i = 0; i < 255; ++i) expected.push_back(p[size_t(i)]);
    expected.push_back(p[99]);
    expected.push_back(p[99]);
    expectPixels(runLengthRecipe(257, 1, false, stream), expected);
}

TEST_F(BmpConvert, RunLength8MoveUpwardsSkipsRows) {
    std::vector<uint32_t> p = rampPalette(256);
    BmpRecipe s = runLengthRecipe(2, 3, false, {0, 2, 1, 2, 1, 9, 0, 1});
    expectPixels(s, {black, black, black, black, black, p[9]});
}

TEST_F(BmpConvert, RunLength4AlternatesNibbles) {
    std::vector<uint32_t> p = rampPalette(16);
    // A run of 5 from 0x1E; a literal run of 3 (two bytes, already even).
    BmpRecipe s = runLengthRecipe(8, 2, true, {5, 0x1E, 0, 3, 0x4F, 0x20, 0, 0, 0, 5, 0x12, 0x34, 0x50, 0, 0, 1});
    expectPixels(s, {p[1], p[14], p[1], p[14], p[1], p[4], p[15], p[2],  //
                     p[1], p[2], p[3], p[4], p[5], black, black, black});
}

TEST_F(BmpConvert, RunLengthImagesIgnoreAZeroPlaneCount) {
    std::vector<uint32_t> p = rampPalette(256);
    BmpRecipe s = runLengthRecipe(2, 1, false, {2, 6, 0, 1});
    s.planes = 0;
    expectPixels(s, {p[6], p[6]});
}

TEST_F(BmpConvert, TopDownRunLengthIsRefused) {
    BmpRecipe s = runLengthRecipe(2, 2, false, {2, 1, 0, 1});
    s.height = -2;
    expectRefused(s);
}

TEST_F(BmpConvert, RunLengthWithoutDataIsRefusedButOneByteIsBlack) {
    BmpRecipe s = runLengthRecipe(2, 1, false, {});
    expectRefused(s);  // no image size, nothing after the palette
    s.pixels = {7};
    capturedLoaderMessages().clear();
    expectPixels(s, {black, black});
}

TEST_F(BmpConvert, DisagreeingTargetSizeConvertsNothing) {
    DibInfoHeader h{40, 2, 2, 1, 24, 0, 0, 0, 0, 0, 0};
    unsigned char bits[16] = {};
    unsigned char target[16] = {};
    DibSource source{&h, nullptr, 0, bits, sizeof bits};
    EXPECT_EQ(convertDibToBgr24(source, target, 2, 2), 2);
    EXPECT_EQ(convertDibToBgr24(source, target, 3, 2), 0);
    EXPECT_EQ(convertDibToBgr24(source, target, 2, 1), 0);
    source.bitsLength = 15;  // one byte short of two padded rows
    EXPECT_EQ(convertDibToBgr24(source, target, 2, 2), 0);
}
