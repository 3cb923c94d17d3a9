// Pictures at a screen's scale: their size, and the smooth resampling that
// draws them larger or smaller.
#include <gtest/gtest.h>

#include "frontend/ui/picture.h"

namespace {

// A one-channel picture given as rows of grey values (alpha 255).
PixelImage grey(int width, int height, std::initializer_list<int> values) {
    PixelImage image{width, height, {}};
    for (int v : values)
        for (int c = 0; c < 4; ++c) image.bytes.push_back(static_cast<uint8_t>(c == 3 ? 255 : v));
    return image;
}

int at(const PixelImage& image, int x, int y) { return image.bytes[(static_cast<size_t>(y) * image.width + x) * 4]; }

}  // namespace

TEST(Picture, SidesGrowWithTheScreensDotsPerInch) {
    EXPECT_EQ(12, picturePixels(12, 96));
    EXPECT_EQ(15, picturePixels(12, 120));
    EXPECT_EQ(18, picturePixels(12, 144));
    EXPECT_EQ(24, picturePixels(12, 192));
    EXPECT_EQ(38, picturePixels(25, 144));  // 37.5 to the nearest pixel
    EXPECT_EQ(834, picturePixels(556, 144));
}

TEST(Picture, TheSameSizeIsAnExactCopy) {
    const PixelImage image = grey(3, 2, {0, 77, 255, 3, 200, 9});
    const PixelImage same = resample(image, 3, 2);
    EXPECT_EQ(image.bytes, same.bytes);
}

TEST(Picture, AnEvenColourStaysEvenAtEveryScale) {
    PixelImage image = grey(5, 4, {});
    for (int i = 0; i < 20; ++i) image.bytes.insert(image.bytes.end(), {10, 120, 240, 255});
    for (int side : {2, 7, 9, 19}) {
        const PixelImage out = resample(image, side, side + 1);
        ASSERT_EQ(static_cast<size_t>(side) * (side + 1) * 4, out.bytes.size());
        for (size_t i = 0; i < out.bytes.size(); i += 4) {
            EXPECT_EQ(10, out.bytes[i]);
            EXPECT_EQ(120, out.bytes[i + 1]);
            EXPECT_EQ(240, out.bytes[i + 2]);
            EXPECT_EQ(255, out.bytes[i + 3]);
        }
    }
}

TEST(Picture, GrowingBlendsAnEdgeInsteadOfRepeatingPixels) {
    // Black then white, made four times as wide: a ramp with the ends kept.
    const PixelImage out = resample(grey(2, 1, {0, 255}), 8, 1);
    EXPECT_EQ(0, at(out, 0, 0));
    EXPECT_EQ(255, at(out, 7, 0));
    int steps = 0;
    for (int x = 1; x < 8; ++x) {
        EXPECT_GE(at(out, x, 0), at(out, x - 1, 0));
        if (at(out, x, 0) != at(out, x - 1, 0)) ++steps;
    }
    EXPECT_GE(steps, 3);  // nearest-neighbour copying would make one step
}

TEST(Picture, ShrinkingAveragesWhatItCovers) {
    // A fine checkerboard halved becomes an even middle grey, not stripes.
    PixelImage board = grey(8, 8, {});
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) board.bytes.insert(board.bytes.end(), 4, ((x + y) % 2) ? 255 : 0);
    const PixelImage out = resample(board, 4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_NEAR(128, at(out, x, y), 16);
}

TEST(Picture, NothingFromNothing) {
    EXPECT_TRUE(resample(PixelImage{}, 4, 4).bytes.empty());
    EXPECT_TRUE(resample(grey(1, 1, {9}), 0, 3).bytes.empty());
    PixelImage shortOfBytes = grey(2, 2, {1, 2});
    EXPECT_TRUE(resample(shortOfBytes, 4, 4).bytes.empty());
}
