// The settings dialog's deciding logic.
#include <gtest/gtest.h>

#include <cmath>

#include "frontend/ui/dialog_choice.h"

TEST(DialogChoice, SourceEnablesTheRightControl) {
    SourceControls none = controlsForSource(0);
    EXPECT_EQ(none.selectedMark, 0);
    EXPECT_FALSE(none.repeatEnabled);
    EXPECT_FALSE(none.fileButtonEnabled);
    SourceControls cd = controlsForSource(1);
    EXPECT_EQ(cd.selectedMark, 1);
    EXPECT_TRUE(cd.repeatEnabled);
    EXPECT_FALSE(cd.fileButtonEnabled);
    SourceControls file = controlsForSource(2);
    EXPECT_EQ(file.selectedMark, 2);
    EXPECT_FALSE(file.repeatEnabled);
    EXPECT_TRUE(file.fileButtonEnabled);
    for (int odd : {-1, 3, 32767}) {
        SourceControls c = controlsForSource(odd);
        EXPECT_EQ(c.selectedMark, -1);
        EXPECT_FALSE(c.repeatEnabled);
        EXPECT_FALSE(c.fileButtonEnabled);
    }
}

TEST(DialogChoice, HashPatternAndEntries) {
    EXPECT_EQ(formatHashes(0), "");
    EXPECT_EQ(formatHashes(5), "5");
    EXPECT_EQ(formatHashes(-3), "-3");
    EXPECT_EQ(formatHashes(32767), "32767");
    const auto entries = repeatEntries();
    ASSERT_EQ(entries.size(), 31u);
    EXPECT_EQ(entries[0], "");
    EXPECT_EQ(entries[1], "1");
    EXPECT_EQ(entries[30], "30");
}

TEST(DialogChoice, RepeatTextConversion) {
    EXPECT_EQ(repeatTrackFromText("abc"), 0);
    EXPECT_EQ(repeatTrackFromText(""), 0);
    EXPECT_EQ(repeatTrackFromText("12"), 12);
    EXPECT_EQ(repeatTrackFromText("2.5"), 2);
    EXPECT_EQ(repeatTrackFromText("3.5"), 4);
    EXPECT_EQ(repeatTrackFromText("-2.5"), -2);
    EXPECT_EQ(repeatTrackFromText("2.51"), 3);
    EXPECT_EQ(repeatTrackFromText(" 7 "), 7);
    EXPECT_EQ(repeatTrackFromText("+8"), 8);
    EXPECT_EQ(repeatTrackFromText(".5"), 0);
    EXPECT_EQ(repeatTrackFromText("1e1"), 10);
    EXPECT_EQ(repeatTrackFromText("&H1F"), 31);
    EXPECT_EQ(repeatTrackFromText("&o17"), 15);
    EXPECT_EQ(repeatTrackFromText("12abc"), 0);
    EXPECT_EQ(repeatTrackFromText("1.2.3"), 0);
    EXPECT_EQ(repeatTrackFromText("."), 0);
    EXPECT_EQ(repeatTrackFromText("-"), 0);
    EXPECT_EQ(repeatTrackFromText("1e"), 0);
    EXPECT_EQ(repeatTrackFromText("&H"), 0);
    EXPECT_EQ(repeatTrackFromText("&HG"), 0);
    EXPECT_EQ(repeatTrackFromText("nan"), 0);
    EXPECT_EQ(repeatTrackFromText("inf"), 0);
}

TEST(DialogChoice, RepeatTextBeyondSixteenBitsIsLimited) {
    EXPECT_EQ(repeatTrackFromText("32767"), 32767);
    EXPECT_EQ(repeatTrackFromText("32767.5"), 32767);
    EXPECT_EQ(repeatTrackFromText("32768"), 32767);
    EXPECT_EQ(repeatTrackFromText("99999999999999999999999"), 32767);
    EXPECT_EQ(repeatTrackFromText("1e400"), 32767);
    EXPECT_EQ(repeatTrackFromText("-32768"), -32768);
    EXPECT_EQ(repeatTrackFromText("-40000"), -32768);
    EXPECT_EQ(repeatTrackFromText("&HFFFFFFFFFFFFFFFF"), 32767);
    EXPECT_EQ(repeatTrackFromText("&H10000000000000000"), 0);  // past 64 bits: not a number
}

TEST(DialogChoice, RoundHalfEven) {
    EXPECT_EQ(roundHalfEven(0.5), 0.0);
    EXPECT_EQ(roundHalfEven(1.5), 2.0);
    EXPECT_EQ(roundHalfEven(-1.5), -2.0);
    EXPECT_EQ(roundHalfEven(-0.5), 0.0);
    EXPECT_EQ(roundHalfEven(2.4999), 2.0);
}

TEST(DialogChoice, Placement) {
    // 1024 x 768 screen in twips, the dialog's outer size.
    const Placement p = dialogPlacement(15360, 11520, 7530, 4095);
    EXPECT_EQ(p.left, 3915);
    EXPECT_EQ(p.top, 2475);
    const Placement big = dialogPlacement(100, 100, 203, 104);
    EXPECT_EQ(big.left, -51);  // truncated toward zero
    EXPECT_EQ(big.top, -1);
}

TEST(DialogChoice, TileWalkGoesColumnByColumn) {
    const auto spots = tileSpots(469, 165, 556, 20);
    ASSERT_EQ(spots.size(), 20u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(spots[i].x, 0);
        EXPECT_EQ(spots[i].y, i * 20);
        EXPECT_EQ(spots[10 + i].x, 556);
        EXPECT_EQ(spots[10 + i].y, i * 20);
    }
    // Narrow tiles: three columns for a 100-pixel panel of 40-pixel tiles.
    const auto narrow = tileSpots(100, 10, 40, 10);
    ASSERT_EQ(narrow.size(), 4u * 3u);
    EXPECT_EQ(narrow.back().x, 120);
    EXPECT_TRUE(tileSpots(469, 165, 0, 20).empty());
    EXPECT_TRUE(tileSpots(469, 165, 556, -1).empty());
}

TEST(DialogChoice, BackgroundShadesFollowTheSine) {
    const auto shades = backgroundShades(246);
    ASSERT_EQ(shades.size(), 247u);
    EXPECT_EQ(shades[0], 0);
    const double k = 246 / 3.142;
    EXPECT_EQ(shades[123], static_cast<int>(std::lround(std::fabs(std::sin(123 / k) * 220.0))));
    EXPECT_EQ(shades[123], 220);
    EXPECT_LE(shades[246], 1);
    for (int v : shades) {
        EXPECT_GE(v, 0);
        EXPECT_LE(v, 220);
    }
    EXPECT_EQ(backgroundShades(0).size(), 1u);
    EXPECT_TRUE(backgroundShades(-3).empty());
}
