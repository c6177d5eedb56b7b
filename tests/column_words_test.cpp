#include "sign/ColumnWords.h"
#include "surface/ColumnSampling.h"
#include "surface/DrawingSurface.h"

#include <gtest/gtest.h>

namespace award {
namespace {

class ColumnWordsTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        surface.SetScaleMode(DrawingSurface::Pixels);
        surface.Cls();
    }
    DrawingSurface surface;
};

TEST_P(ColumnWordsTest, TopRowOfTheWindowIsBitZeroAndColumnOneIsTheFirstWord) {
    const int top = GetParam();
    surface.PSet(1, top, DrawingSurface::kBlack);           // column 1, top row
    surface.PSet(2, top + 15, DrawingSurface::kBlack);      // column 2, bottom row
    for (int n = 0; n < 16; ++n) surface.PSet(64, top + n, DrawingSurface::kBlack);
    surface.PSet(5, top + 7, DrawingSurface::kBlack);
    surface.PSet(5, top + 8, DrawingSurface::kBlack);

    const ColumnWords words = SampleColumnWords(surface, FirstScanRow(top));
    EXPECT_EQ(words[0], 1);
    EXPECT_EQ(words[1], 32768);
    EXPECT_EQ(words[4], 128 + 256);
    EXPECT_EQ(words[63], 65535);
    int other = 0;
    for (int x = 0; x < 64; ++x)
        if (x != 0 && x != 1 && x != 4 && x != 63) other |= words[x];
    EXPECT_EQ(other, 0);
}

TEST_P(ColumnWordsTest, PixelsOutsideTheWindowNeverCount) {
    const int top = GetParam();
    for (int y = 0; y < DrawingSurface::kHeight; ++y) {
        surface.PSet(0, y, DrawingSurface::kBlack);   // column 0 is never sampled
        surface.PSet(65, y, DrawingSurface::kBlack);  // nor anything right of 64
    }
    for (int x = 0; x < DrawingSurface::kWidth; ++x) {
        if (top > 0) surface.PSet(x, top - 1, DrawingSurface::kBlack);
        surface.PSet(x, top + 16, DrawingSurface::kBlack);
    }
    for (auto word : SampleColumnWords(surface, FirstScanRow(top))) EXPECT_EQ(word, 0);
}

TEST_P(ColumnWordsTest, OnlyPureBlackLights) {
    const int top = GetParam();
    const std::int32_t nearlyBlack[] = {0x000001, 0x000100, 0x010000, 0x808080, 0xFFFFFF};
    for (int i = 0; i < 5; ++i) surface.PSet(10 + i, top + i, nearlyBlack[i]);
    surface.PSet(20, top + 3, 0x000000);
    const ColumnWords words = SampleColumnWords(surface, FirstScanRow(top));
    for (int x = 0; x < 64; ++x) EXPECT_EQ(words[x], x == 19 ? 8 : 0) << "column " << x + 1;
}

INSTANTIATE_TEST_SUITE_P(FirstScanRows, ColumnWordsTest, ::testing::Values(1, 3));

}  // namespace
}  // namespace award
