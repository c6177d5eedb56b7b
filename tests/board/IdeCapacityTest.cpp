// The capacities, as the Arduino IDE's own build tool counts them: a sketch
// at each capacity compiles with arduino-builder and fits the 253,952 bytes
// boards.txt allows, a sketch one phrase or one column longer does not, and
// the run refuses a banner that long. For programs, the flash use the run
// refuses by is never below what arduino-builder counts, and only a little
// above it, up to a program that takes the whole program space.

#include "board/BoardJob.h"
#include "conversion/BannerConverter.h"
#include "marquee/MarqueeWriter.h"
#include "phrases/PhraseFormat.h"
#include "phrases/SketchWriter.h"
#include "program/ProgramFormat.h"
#include "program/ProgramWriter.h"
#include "sign/ColumnWords.h"
#include "sign/MeasuredCapacities.h"
#include "sign/Mega2560.h"
#include "sign/SignGeometry.h"
#include "sign/SignTiming.h"
#include "surface/DrawingSurface.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <ostream>

namespace award {
namespace {

BoardJob::Outcome Compile(const QString& sketch) {
    int argc = 1;
    char name[] = "ide_capacity_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    BoardJob job;
    BoardJob::Outcome outcome;
    QObject::connect(&job, &BoardJob::Finished, [&](const BoardJob::Outcome& o) {
        outcome = o;
        application.quit();
    });
    if (job.StartCompile(sketch)) application.exec();
    return outcome;
}

void ExpectCapacity(const QString& atCapacity, const QString& oneMore, int bytesOfOneMore) {
    const BoardJob::Outcome fits = Compile(atCapacity);
    ASSERT_EQ(fits.result, BoardJob::Result::Compiled) << fits.notices.join(u'\n').toStdString();
    ASSERT_TRUE(fits.programBytes);
    EXPECT_LE(*fits.programBytes, kMega2560ProgramBytes);
    EXPECT_GT(*fits.programBytes + bytesOfOneMore, kMega2560ProgramBytes) << "the capacity could be higher";
    EXPECT_EQ(Compile(oneMore).result, BoardJob::Result::DoesNotFit);
}

TEST(IdeCapacity, PhrasesInFlash) {
    DrawingSurface surface;
    BannerConverter converter(surface);
    const QString atCapacity = converter.ConvertBanner(QStringLiteral("賀 ").repeated(kMega2560MaxFlashPhrases), FirstScanRow::Row3);
    EXPECT_TRUE(converter.ConvertBanner(QStringLiteral("賀 ").repeated(kMega2560MaxFlashPhrases + 1), FirstScanRow::Row3).isEmpty());
    EXPECT_TRUE(converter.LastRunReport().refused);

    // One phrase more, as the writer would put it if the run let it.
    SketchWriter writer;
    writer.BeginSketch(TableStore::Flash);
    for (int k = 0; k <= kMega2560MaxFlashPhrases; ++k) {
        ColumnWords words{};
        for (std::size_t x = 0; x < words.size(); ++x) words[x] = std::uint16_t(std::size_t(k) + x);
        writer.AppendFrame(words);
    }
    writer.EndSketch(kMega2560MaxFlashPhrases + 1);
    ExpectCapacity(atCapacity, writer.SketchText(), 2 * kRowElements);
}

TEST(IdeCapacity, MarqueeColumns) {
    std::vector<std::uint16_t> columns(kMarqueeMaxColumns);
    for (std::size_t n = 0; n < columns.size(); ++n) columns[n] = static_cast<std::uint16_t>(n * 40503u);
    const QString atCapacity = MarqueeWriter::Sketch(columns, MarqueeSweeps(MarqueeSpeed::Medium));
    columns.push_back(1);
    ExpectCapacity(atCapacity, MarqueeWriter::Sketch(columns, MarqueeSweeps(MarqueeSpeed::Medium)), 2);

    DrawingSurface surface;
    BannerConverter converter(surface);
    const QString tooLong = QStringLiteral("國").repeated(kMarqueeMaxColumns / 16 + 1);
    EXPECT_TRUE(converter.ConvertMarquee(tooLong, FirstScanRow::Row3, MarqueeSpeed::Slow).isEmpty());
    EXPECT_TRUE(converter.LastRunReport().refused);
}

// `items` items sharing `words` words: one page each but for a 左移 item
// holding the rest.
ProgramFrames ProgramOf(long long words, int items)
{
    ProgramFrames program;
    program.items.resize(std::size_t(items), {ItemStyle::Wipe, 200, 4, {ColumnWords{}}, {}});
    program.items.back() = {ItemStyle::ScrollLeft, 200, 8, {}, {}};
    program.items.back().columns.resize(static_cast<std::size_t>(words - (items - 1) * kSignColumns));
    for (std::size_t n = 0; n < program.items.back().columns.size(); ++n)
        program.items.back().columns[n] = static_cast<std::uint16_t>(n * 7919u);
    return program;
}

struct Size {
    const char* name;
    long long words;
    int items;
};

void PrintTo(const Size& size, std::ostream* out) { *out << size.name; }

class ProgramIdeCapacity : public ::testing::TestWithParam<Size> {};

TEST_P(ProgramIdeCapacity, TheEstimateIsWhatTheIdeCounts)
{
    const ProgramFrames program = ProgramOf(GetParam().words, GetParam().items);
    const long long estimate = ProgramWriter::FlashBytes(ProgramWriter::Words(program), GetParam().items);
    const BoardJob::Outcome outcome = Compile(ProgramWriter::Sketch(program));
    ASSERT_EQ(outcome.result, BoardJob::Result::Compiled) << outcome.notices.join(u'\n').toStdString();
    ASSERT_TRUE(outcome.programBytes);
    EXPECT_LE(*outcome.programBytes, estimate);
    EXPECT_LT(estimate - *outcome.programBytes, 320) << "the estimate refuses programs that would fit";
}

INSTANTIATE_TEST_SUITE_P(Sizes, ProgramIdeCapacity,
                         ::testing::Values(Size{"OnePart", 1000, 3}, Size{"ManyItems", 70000, 500},
                                           Size{"WholeProgramSpace",
                                                (kMega2560ProgramBytes - kProgramCodeBytes - 20 * kProgramItemBytes) / 2,
                                                20}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace award
