// The program sketch on the simulated board: the LEDs show, sweep for sweep,
// what the program's timeline (the one the LED preview plays) says, item
// after item in every style (the curtain's column steps and hold included)
// and then the first again, each image for its time; and pages
// whose words lie past 64 KiB of flash show as the table holds them.

#include "BoardTestSupport.h"
#include "reading/SketchReader.h"
#include "program/ProgramConverter.h"
#include "engine/Shows.h"
#include "program/ProgramWriter.h"
#include "sign/ColumnWords.h"
#include "sign/SignGeometry.h"
#include "sign/SignTiming.h"
#include "sketch/SketchCode.h"
#include "surface/DrawingSurface.h"


#include <gtest/gtest.h>

#include <limits>

namespace award::board {
namespace {

constexpr std::size_t kUntilTimeRunsOut = std::numeric_limits<std::size_t>::max();

// Consecutive sweeps that showed the same image.
struct Stretch {
    MatrixImage image{};
    std::uint64_t sweeps = 0;
    std::uint64_t startCycle = 0;
};

void Extend(std::vector<Stretch>& stretches, const MatrixImage& image, std::uint64_t sweeps, std::uint64_t cycle = 0)
{
    if (stretches.empty() || stretches.back().image != image) stretches.push_back({image, 0, cycle});
    stretches.back().sweeps += sweeps;
}

std::vector<Stretch> Expected(const std::vector<ShownImage>& timeline)
{
    std::vector<Stretch> expected;
    for (const ShownImage& shown : timeline) Extend(expected, shown.words, shown.columns / kSignColumns);
    return expected;
}

// The board shows the expected stretches in order, each for its sweeps and
// for the time they take, within 2 per cent; the last may be cut short.
void ExpectShows(const BoardRun& run, const std::vector<Stretch>& expected)
{
    std::vector<Stretch> shown;
    for (const ShownSweep& sweep : DecodeSweeps(run.writes))
        if (sweep.complete) Extend(shown, sweep.image, 1, sweep.startCycle);
    ASSERT_GE(shown.size(), expected.size()) << "the board showed fewer images than the program has";
    const double sweepCycles = kSweepMilliseconds * static_cast<double>(kCyclesPerMillisecond);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("image " + std::to_string(i) + " of " + std::to_string(expected[i].sweeps) + " sweeps");
        ASSERT_TRUE(shown[i].image == expected[i].image) << DescribeDifference(shown[i].image, expected[i].image);
        if (i + 1 == expected.size()) break;
        EXPECT_EQ(shown[i].sweeps, expected[i].sweeps);
        const auto cycles = static_cast<double>(shown[i + 1].startCycle - shown[i].startCycle);
        EXPECT_NEAR(cycles / (static_cast<double>(expected[i].sweeps) * sweepCycles), 1.0, 0.02)
            << cycles / sweepCycles * kSweepMilliseconds << " ms";
    }
}

ProgramFrames ReadProgram(const QString& sketch)
{
    const auto read = ReadSketch(sketch);
    const auto* program = read ? std::get_if<ProgramFrames>(&*read) : nullptr;
    if (!program) throw std::runtime_error("no program in the sketch");
    return *program;
}

TEST(BoardProgram, EveryStyleInOrderEachImageForItsTimeThenTheFirstAgain)
{
    const Program program = EveryStyleProgram();
    DrawingSurface surface;
    ProgramConverter converter(surface);
    const QString sketch = converter.ConvertProgram(program, {});
    const ProgramFrames read = ReadProgram(sketch);
    ASSERT_EQ(read, converter.Frames(program, FirstScanRow::Row3));

    // One cycle, then the first image of the next.
    std::vector<ShownImage> timeline = PlayedCycle(ShowsOf(read));
    const std::uint64_t cycleSweeps = CycleColumns(ShowsOf(read)) / kSignColumns;
    timeline.push_back(timeline.front());
    const std::vector<Stretch> expected = Expected(timeline);
    // Item 1 holds 2.0 s and item 2 1.0 s: their images' sweeps say so.
    ASSERT_NEAR(static_cast<double>(expected[0].sweeps) * kSweepMilliseconds, 2000, 40);
    ASSERT_NEAR(static_cast<double>(expected[2].sweeps) * kSweepMilliseconds, 1000, 20);
    const auto ms = static_cast<std::uint64_t>(static_cast<double>(cycleSweeps + 20) * kSweepMilliseconds * 1.05);
    const BoardRun run = RunBuiltSketch(sketch.toStdString(), kUntilTimeRunsOut, ms);
    ASSERT_TRUE(run.stillRunning);
    ExpectShows(run, expected);
}

// pgm_read_word reaches only the first 64 KiB of flash: the pages on either
// side of that line must show as the table holds them.
TEST(BoardProgram, PagesOnBothSidesOf64KiBOfFlash)
{
    ProgramFrames program;
    ProgramFrames::Item item;
    item.holdSweeps = 40;
    for (int p = 0; p < 700; ++p) {
        ColumnWords page;
        for (int j = 0; j < kSignColumns; ++j) page[std::size_t(j)] = static_cast<std::uint16_t>((p * 64 + j) * 40503u);
        item.pages.push_back(page);
    }
    program.items.push_back(item);
    const QString sketch = ProgramWriter::Sketch(program);
    const auto elf = BuildSketch(sketch.toStdString());
    std::size_t crossing = 0;
    for (std::size_t p = 0; p < item.pages.size() && crossing == 0; ++p) {
        const std::size_t last = p * kSignColumns + kSignColumns - 1;
        const std::string part = "w" + std::to_string(last / kPartWords);
        if (SymbolAddress(elf, part) + 2 * (last % kPartWords) >= 0x10000) crossing = p;
    }
    ASSERT_GT(crossing, 2u) << "the pages do not reach past 64 KiB";

    // Start two pages before the one that crosses: the item's row, edited by
    // hand, starts at that page.
    const QString row = QStringLiteral("{ 0, 0, 700, 40, 0}");
    ASSERT_EQ(sketch.count(row), 1);
    const std::size_t first = crossing - 2;
    const QString edited = QString(sketch).replace(
        row, QStringLiteral("{ 0, %1, %2, 40, 0}").arg(first * kSignColumns).arg(700 - first));
    std::vector<ShownImage> timeline;
    for (std::size_t p = first; p < first + 5; ++p)
        timeline.push_back({item.pages[p], std::uint64_t{item.holdSweeps} * kSignColumns});
    const auto ms = static_cast<std::uint64_t>((5 * item.holdSweeps + 10) * kSweepMilliseconds * 1.05);
    const BoardRun run = RunBuiltSketch(edited.toStdString(), kUntilTimeRunsOut, ms);
    ASSERT_TRUE(run.stillRunning);
    ExpectShows(run, Expected(timeline));
}

}  // namespace
}  // namespace award::board
