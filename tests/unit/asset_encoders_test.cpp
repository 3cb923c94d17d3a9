// The generator's building blocks on small crafted inputs: the file
// encoders' byte layouts, palette reduction, wrapping noise and dithering.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>

#include "assets/generator/bmp_file.h"
#include "assets/generator/icon_file.h"
#include "assets/generator/jpeg_file.h"
#include "assets/generator/noise.h"
#include "assets/generator/palette_reduction.h"
#include "assets/generator/picture.h"
#include "assets/generator/stone_model.h"
#include "tests/unit/asset_file_reading.h"

namespace {

Rgb8Picture smallPicture(int w, int h) {
    Rgb8Picture p;
    p.width = w;
    p.height = h;
    p.rgb.resize(static_cast<size_t>(w) * h * 3);
    for (size_t i = 0; i < p.rgb.size(); ++i) p.rgb[i] = static_cast<uint8_t>(i * 7 + 1);
    return p;
}

TEST(BmpEncoder, PadsRowsAndStoresBottomRowFirstInBlueGreenRed) {
    const Rgb8Picture p = smallPicture(3, 2);
    const std::vector<uint8_t> b = encodeBmp24(p);
    ASSERT_EQ(b.size(), 54u + 2 * 12);
    EXPECT_EQ(le32(b, 2), b.size());
    EXPECT_EQ(le32(b, 34), 24u) << "image size";
    // First stored row is the picture's bottom row (y = 1).
    for (int x = 0; x < 3; ++x) {
        const uint8_t* px = p.pixel(x, 1);
        EXPECT_EQ(b[54 + x * 3 + 0], px[2]);
        EXPECT_EQ(b[54 + x * 3 + 1], px[1]);
        EXPECT_EQ(b[54 + x * 3 + 2], px[0]);
    }
    EXPECT_EQ(b[54 + 9], 0);
    EXPECT_EQ(b[54 + 11], 0);
    EXPECT_EQ(b[54 + 12], p.pixel(0, 0)[2]);
}

TEST(CursorEncoder, SetsMaskAndColourBitsForEachPixelKind) {
    MonochromeCursor c;
    c.hotX = 3;
    c.hotY = 5;
    c.pixels.assign(32 * 32, CursorPixel::Transparent);
    c.pixels[0] = CursorPixel::Black;   // (0, 0)
    c.pixels[1] = CursorPixel::White;   // (1, 0)
    c.pixels[2] = CursorPixel::Invert;  // (2, 0)
    const std::vector<uint8_t> b = encodeCursor1(c);
    ASSERT_EQ(b.size(), 22u + 40 + 8 + 256);
    EXPECT_EQ(le16(b, 10), 3u);
    EXPECT_EQ(le16(b, 12), 5u);
    const size_t xorTop = 22 + 40 + 8 + 31 * 4, andTop = xorTop + 128;  // the top row is stored last
    EXPECT_EQ(b[xorTop], 0x60) << "white and inverted set the colour bit";
    EXPECT_EQ(b[andTop], 0x3F) << "black and white clear the mask bit";
    EXPECT_EQ(b[andTop + 1], 0xFF);
    EXPECT_EQ(b[22 + 40 + 8], 0) << "bottom row: no colour";
    EXPECT_EQ(b[22 + 40 + 8 + 128], 0xFF) << "bottom row: transparent";
}

TEST(IconEncoder, WritesPaddedPaletteIndicesAndMask) {
    IndexedPicture p;
    p.width = p.height = 32;
    p.palette = {{0, 0, 0}, {10, 20, 30}, {200, 100, 50}};
    p.indices.assign(32 * 32, 1);
    p.indices[0] = 2;
    p.transparent.assign(32 * 32, false);
    p.transparent[31] = true;  // (31, 0)
    const std::vector<uint8_t> b = encodeIcon8(p);
    ASSERT_EQ(b.size(), 22u + 40 + 1024 + 1024 + 128);
    const size_t palette = 22 + 40, pixels = palette + 1024, mask = pixels + 1024;
    EXPECT_EQ(b[palette + 4], 30) << "palette entries are blue, green, red, 0";
    EXPECT_EQ(b[palette + 6], 10);
    EXPECT_EQ(b[palette + 4 * 255 + 2], 0) << "unused entries are black";
    EXPECT_EQ(b[pixels + 31 * 32 + 0], 2) << "top-left pixel";
    EXPECT_EQ(b[pixels + 31 * 32 + 31], 0) << "transparent pixels hold index 0";
    EXPECT_EQ(b[mask + 31 * 4 + 3], 0x01);
    EXPECT_EQ(b[mask + 0], 0x00);
}

TEST(PaletteReduction, KeepsFewColoursExactlyAndLimitsMany) {
    Rgb8Picture few = smallPicture(4, 4);
    for (int i = 0; i < 16; ++i) {
        uint8_t* px = few.pixel(i % 4, i / 4);
        px[0] = static_cast<uint8_t>((i % 3) * 100);
        px[1] = 50;
        px[2] = static_cast<uint8_t>(i % 3 == 1 ? 255 : 0);
    }
    std::vector<bool> transparent(16, false);
    transparent[5] = true;
    const IndexedPicture reduced = reduceToPalette(few, transparent, 256);
    ASSERT_LE(reduced.palette.size(), 256u);
    for (int i = 0; i < 16; ++i) {
        if (i == 5) {
            EXPECT_EQ(reduced.indices[i], 0);
            continue;
        }
        ASSERT_GT(reduced.indices[i], 0) << "index 0 is kept for transparency";
        const auto& entry = reduced.palette[reduced.indices[i]];
        for (int c = 0; c < 3; ++c) EXPECT_EQ(entry[c], few.pixel(i % 4, i / 4)[c]);
    }
    const Rgb8Picture many = smallPicture(32, 32);
    const IndexedPicture limited = reduceToPalette(many, std::vector<bool>(1024, false), 16);
    EXPECT_LE(limited.palette.size(), 16u);
    std::set<int> used(limited.indices.begin(), limited.indices.end());
    EXPECT_GT(used.size(), 8u);
}

TEST(Noise, RepeatsAfterItsPeriodInBothDirections) {
    for (float x = 0.1f; x < 7.0f; x += 0.73f)
        for (float y = 0.2f; y < 5.0f; y += 0.61f) {
            // Equal up to the rounding of the shifted coordinates.
            EXPECT_NEAR(valueNoise(x, y, 9, {7, 5}), valueNoise(x + 7, y, 9, {7, 5}), 1e-5);
            EXPECT_NEAR(valueNoise(x, y, 9, {7, 5}), valueNoise(x, y - 5, 9, {7, 5}), 1e-5);
            EXPECT_NEAR(fractalNoise(x, y, 4, 0.5f, 3, {7, 5}), fractalNoise(x + 7, y + 5, 4, 0.5f, 3, {7, 5}), 1e-5);
            const float n = fractalNoise(x, y, 4, 0.5f, 3);
            EXPECT_GE(n, 0.0f);
            EXPECT_LE(n, 1.0f);
        }
    EXPECT_NE(valueNoise(0.5f, 0.5f, 1), valueNoise(0.5f, 0.5f, 2)) << "seeds give different fields";
}

TEST(Quantise, ExactLevelsStayAndDitherKeepsTheMeanOfAGradient) {
    Picture flat(8, 8, {100 / 255.0f, 0.0f, 1.0f});
    const Rgb8Picture q = quantise(flat, true);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(q.pixel(x, y)[0], 100);
            EXPECT_EQ(q.pixel(x, y)[1], 0);
            EXPECT_EQ(q.pixel(x, y)[2], 255);
        }
    // A value a quarter of a step above 100 comes out as 100 and 101 mixed.
    Picture between(8, 8, {100.25f / 255.0f, 0, 0});
    const Rgb8Picture d = quantise(between, true);
    double mean = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) mean += d.pixel(x, y)[0];
    EXPECT_NEAR(mean / 64, 100.25, 0.07);
    Picture over(1, 1, {2.0f, -1.0f, 0.5f});
    const Rgb8Picture clamped = quantise(over, false);
    EXPECT_EQ(clamped.pixel(0, 0)[0], 255);
    EXPECT_EQ(clamped.pixel(0, 0)[1], 0);
}

TEST(JpegCodec, RoundTripsAndRefusesGarbageWithoutAborting) {
    Rgb8Picture p = smallPicture(16, 8);
    for (size_t i = 0; i < p.rgb.size(); ++i) p.rgb[i] = static_cast<uint8_t>(120 + (i % 3) * 20);
    const std::string path = (std::filesystem::temp_directory_path() / "kestrine_assets_roundtrip.jpg").string();
    ASSERT_TRUE(writeJpeg(path, p, 100));
    Rgb8Picture back;
    ASSERT_TRUE(readJpeg(path, back));
    ASSERT_EQ(back.width, 16);
    ASSERT_EQ(back.height, 8);
    for (size_t i = 0; i < p.rgb.size(); ++i) EXPECT_NEAR(back.rgb[i], p.rgb[i], 3);
    std::filesystem::remove(path);
    Rgb8Picture none;
    EXPECT_FALSE(decodeJpeg({}, none));
    EXPECT_FALSE(decodeJpeg({0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x02, 0x12, 0x34}, none));
    EXPECT_FALSE(decodeJpeg({'n', 'o', 't', ' ', 'j', 'p', 'e', 'g'}, none));
    EXPECT_FALSE(writeJpeg("/nonexistent-folder/x.jpg", p, 90));
}

TEST(StoneModelFile, HasTheVersion4HeaderAndConsistentCounts) {
    const std::vector<uint8_t> b = encodeStoneModel();
    ASSERT_GT(b.size(), 14u);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 10), "MS3D000000");
    EXPECT_EQ(le32(b, 10), 4u);
    const uint32_t vertices = le16(b, 14);
    const size_t triangleCountAt = 16 + vertices * 15;
    const uint32_t triangles = le16(b, triangleCountAt);
    const size_t groupsAt = triangleCountAt + 2 + triangles * 70;
    EXPECT_EQ(le16(b, groupsAt), 1u);
    const size_t groupEnd = groupsAt + 2 + 1 + 32 + 2 + 2 * le16(b, groupsAt + 35) + 1;
    EXPECT_EQ(le16(b, groupsAt + 35), triangles) << "one group holds every triangle";
    EXPECT_EQ(le16(b, groupEnd), 1u) << "one material";
    EXPECT_EQ(b[groupEnd + 2 + 105], 0) << "empty texture name";
    EXPECT_EQ(b.size(), groupEnd + 2 + 361 + 14) << "materials, then the animation block with no joints";
    EXPECT_EQ(encodeStoneModel(), b) << "deterministic";
}

}  // namespace
