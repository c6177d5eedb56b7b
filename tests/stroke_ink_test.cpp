// Stroke-keeping ink on shapes drawn by hand, whatever faces are installed.
#include "StrokeFigures.h"
#include "surface/StrokeInk.h"

#include <gtest/gtest.h>

namespace award {
namespace {

test::LedGrid AsLeds(const std::vector<std::uint8_t>& ink, int width) {
    test::LedGrid leds{};
    for (std::size_t i = 0; i < ink.size(); ++i)
        leds[i / static_cast<std::size_t>(width)][i % static_cast<std::size_t>(width)] = ink[i] != 0;
    return leds;
}

// A brush stroke from the top-left to the bottom-right corner: full at its
// ends, between them a hairline one fine pixel wide that covers no pixel
// enough to be ink by the threshold alone.
TEST(StrokeInk, ATaperingStrokeStaysOneStroke) {
    constexpr int kScale = 4, kSize = 10;
    Coverage fine{kSize * kScale, kSize * kScale, {}};
    fine.values.assign(static_cast<std::size_t>(fine.width * fine.rows), 0);
    for (int i = 0; i < fine.width; ++i) fine.values[static_cast<std::size_t>(i * fine.width + i)] = 255;
    for (int y = 0; y < kScale; ++y)
        for (int x = 0; x < kScale; ++x) {
            fine.values[static_cast<std::size_t>(y * fine.width + x)] = 255;
            fine.values[fine.values.size() - 1 - static_cast<std::size_t>(y * fine.width + x)] = 255;
        }
    Coverage coarse{kSize, kSize, std::vector<std::uint8_t>(kSize * kSize, 0)};
    for (int y = 0; y < fine.rows; ++y)
        for (int x = 0; x < fine.width; ++x)
            coarse.values[static_cast<std::size_t>(y / kScale * kSize + x / kScale)] +=
                static_cast<std::uint8_t>(fine.At(x, y) / (kScale * kScale));
    const auto ink = InkKeepingStrokes(coarse, fine, kScale, 90);
    const test::LedGrid leds = AsLeds(ink, kSize);
    EXPECT_EQ(test::LitGroups(leds), 1);
    EXPECT_EQ(test::IsolatedLeds(leds), 0);
    EXPECT_TRUE(leds[0][0] && leds[kSize - 1][kSize - 1]);
}

// A box with a counter and a bar two pixels beside it, under a bold outline
// that covers everything: the counter stays open and the bar apart.
TEST(StrokeInk, BoldKeepsCountersAndGaps) {
    constexpr int kWidth = 10, kRows = 7;
    std::vector<std::uint8_t> ink(kWidth * kRows, 0);
    for (int y = 1; y <= 5; ++y)
        for (int x = 1; x <= 8; ++x) {
            const bool box = x <= 5 && (x == 1 || x == 5 || y == 1 || y == 5);
            ink[static_cast<std::size_t>(y * kWidth + x)] = box || x == 8 ? 1 : 0;
        }
    const test::LedGrid before = AsLeds(ink, kWidth);
    ASSERT_EQ(test::Counters(before), 1);
    ASSERT_EQ(test::LitGroups(before), 2);
    AddBoldInk(ink, Coverage{kWidth, kRows, std::vector<std::uint8_t>(kWidth * kRows, 255)}, 90);
    const test::LedGrid after = AsLeds(ink, kWidth);
    EXPECT_EQ(test::Counters(after), 1);
    EXPECT_EQ(test::LitGroups(after), 2);
    EXPECT_GT(test::LitLeds(after), test::LitLeds(before));
}

}  // namespace
}  // namespace award
