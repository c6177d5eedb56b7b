// The marquee sketch on the simulated board: the LEDs show, step after step,
// exactly the 64-column windows of the text's column table, each step for its
// sweeps at the chosen speed, also where the table runs past 64 KiB of flash.

#include "BoardTestSupport.h"
#include "conversion/BannerConverter.h"
#include "reading/SketchReader.h"
#include "sign/SignTiming.h"
#include "sketch/SketchCode.h"
#include "surface/DrawingSurface.h"


#include <gtest/gtest.h>

#include <limits>

namespace award::board {
namespace {

// A marquee never pauses, so a run counts no frames: it ends when its time is up.
constexpr std::size_t kUntilTimeRunsOut = std::numeric_limits<std::size_t>::max();

// Consecutive steps or sweeps that showed the same image.
struct Stretch {
    MatrixImage image{};
    int count = 0;
    std::uint64_t startCycle = 0;
};

void Extend(std::vector<Stretch>& stretches, const MatrixImage& image, std::uint64_t cycle = 0) {
    if (stretches.empty() || stretches.back().image != image) {
        stretches.push_back({image, 0, cycle});
    }
    ++stretches.back().count;
}

// What the table says the sign shows at steps [first, first + count): LED
// column j shows column s + j - 64 of the text. A scroll started part way, at
// step `first`, starts on a dark sign: columns before `first` never enter.
std::vector<Stretch> ExpectedSteps(const std::vector<std::uint16_t>& columns, long long first, long long count) {
    const long long pass = static_cast<long long>(columns.size()) + kMatrixColumns;
    std::vector<Stretch> steps;
    for (long long s = first; s < first + count; ++s) {
        MatrixImage image{};
        for (int j = 0; j < kMatrixColumns; ++j) {
            const long long at = s % pass + j - kMatrixColumns;
            if (at >= first && at < static_cast<long long>(columns.size())) image[j] = columns[at];
        }
        Extend(steps, image);
    }
    return steps;
}

std::vector<Stretch> ShownSweeps(const BoardRun& run) {
    std::vector<Stretch> shown;
    for (const ShownSweep& sweep : DecodeSweeps(run.writes)) {
        if (sweep.complete) Extend(shown, sweep.image, sweep.startCycle);
    }
    return shown;
}

// Every expected stretch but the last, which the run may cut short, shows
// in order for its steps' sweeps, and each step lasts its sweeps' time
// within 2 per cent.
void ExpectBoardScrolls(const BoardRun& run, const std::vector<Stretch>& expected, int sweepsPerStep) {
    const std::vector<Stretch> shown = ShownSweeps(run);
    ASSERT_GE(shown.size(), expected.size()) << "the board showed fewer distinct steps than the table has";
    const double stepCycles =
        sweepsPerStep * kMatrixColumns * double(kColumnMicroseconds) * kCyclesPerMillisecond / 1000;
    for (std::size_t i = 0; i + 1 < expected.size(); ++i) {
        SCOPED_TRACE("stretch " + std::to_string(i) + " of " + std::to_string(expected[i].count) + " steps");
        ASSERT_TRUE(shown[i].image == expected[i].image) << DescribeDifference(shown[i].image, expected[i].image);
        EXPECT_EQ(shown[i].count, expected[i].count * sweepsPerStep);
        const double perStep = double(shown[i + 1].startCycle - shown[i].startCycle) / expected[i].count;
        EXPECT_NEAR(perStep / stepCycles, 1.0, 0.02) << perStep / kCyclesPerMillisecond << " ms a step";
    }
}

MarqueeFrames ReadMarquee(const QString& sketch) {
    const auto read = ReadSketch(sketch);
    const auto* marquee = read ? std::get_if<MarqueeFrames>(&*read) : nullptr;
    if (!marquee) throw std::runtime_error("no marquee in the sketch");
    return *marquee;
}

QString MarqueeSketch(const QString& text, MarqueeSpeed speed) {
    DrawingSurface surface;
    BannerConverter converter(surface);
    return converter.ConvertMarquee(text, FirstScanRow::Row3, speed);
}

TEST(BoardMarquee, AShortTextScrollsInStepsOfTheChosenSpeedThenStartsAgain) {
    const QString sketch = MarqueeSketch(QStringLiteral("恭喜賀 好"), MarqueeSpeed::Fast);
    const MarqueeFrames marquee = ReadMarquee(sketch);
    ASSERT_EQ(marquee.sweepsPerStep, std::uint32_t(MarqueeSweeps(MarqueeSpeed::Fast)));
    // One pass and the start of the next.
    const long long steps = static_cast<long long>(marquee.columns.size()) + kMatrixColumns + 20;
    const std::vector<Stretch> expected = ExpectedSteps(marquee.columns, 0, steps);

    const BoardRun run =
        RunBuiltSketch(sketch.toStdString(), kUntilTimeRunsOut, steps * marquee.sweepsPerStep * 7 + 100);
    ASSERT_TRUE(run.stillRunning);
    ExpectBoardScrolls(run, expected, static_cast<int>(marquee.sweepsPerStep));
}

// pgm_read_word reaches only the first 64 KiB of flash: the columns on either
// side of that line must scroll past as the table says.
TEST(BoardMarquee, ALongTextScrollsOnPast64KiBOfFlash) {
    const QString text = QStringLiteral("恭喜本校資訊科三年甲班林同學榮獲全國技能競賽程式設計職類金牌，");
    const QString sketch = MarqueeSketch(text.repeated(80), MarqueeSpeed::Fast);
    const MarqueeFrames marquee = ReadMarquee(sketch);
    const auto elf = BuildSketch(sketch.toStdString());
    std::vector<std::uint32_t> parts;
    for (std::size_t part = 0; part * kPartWords < marquee.columns.size(); ++part)
        parts.push_back(SymbolAddress(elf, "m" + std::to_string(part)));
    long long crossing = -1;
    for (std::size_t n = 0; n < marquee.columns.size() && crossing < 0; ++n) {
        if (parts[n / kPartWords] + 2 * (n % kPartWords) >= 0x10000)
            crossing = static_cast<long long>(n);
    }
    ASSERT_GT(crossing, 0) << "the columns do not reach past 64 KiB";

    // Start the scroll at a column a little before the one past the line, and
    // watch it cross the whole sign. Only the scroll's start is edited.
    const long long first = crossing - 40;
    const QString scroll = QStringLiteral("playShow(SHOW_SCROLL_LEFT,0,columns,0,sweeps);");
    ASSERT_EQ(sketch.count(scroll), 1);
    const QString edited = QString(sketch).replace(
        scroll, QStringLiteral("playShow(SHOW_SCROLL_LEFT,%1,columns-%1,0,sweeps);").arg(first));
    const long long steps = 110;
    const BoardRun run =
        RunBuiltSketch(edited.toStdString(), kUntilTimeRunsOut, (steps + 4) * marquee.sweepsPerStep * 7);
    ASSERT_TRUE(run.stillRunning);
    ExpectBoardScrolls(run, ExpectedSteps(marquee.columns, first, steps), static_cast<int>(marquee.sweepsPerStep));
}

}  // namespace
}  // namespace award::board
