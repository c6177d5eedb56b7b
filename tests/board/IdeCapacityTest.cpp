// The capacities, as the Arduino IDE's own build tool counts them: a sketch
// at each capacity compiles with arduino-builder and fits the 253,952 bytes
// boards.txt allows, a sketch one phrase or one column longer does not, and
// the run refuses a banner that long. For programs, the flash use the run
// refuses by is never below what arduino-builder counts, and only a little
// above it, up to a program that takes the whole program space. The same for
// every sketch the engine plays on each sign and board: the P10 panels on the
// Mega 2560 and on the Uno and Nano (whose 30,720 bytes are the Nano's), and
// the school's sign dimmed.

#include "board/BoardJob.h"
#include "board/BoardToolchain.h"
#include "board/CompileReport.h"
#include "conversion/BannerConverter.h"
#include "marquee/MarqueeWriter.h"
#include "phrases/PhraseFormat.h"
#include "phrases/SketchWriter.h"
#include "program/ProgramFormat.h"
#include "program/ProgramWriter.h"
#include "sign/ColumnWords.h"
#include "sign/BoardMemories.h"
#include "sign/MeasuredCapacities.h"
#include "sign/SignGeometry.h"
#include "sign/SignTiming.h"
#include "surface/DrawingSurface.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

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
    EXPECT_TRUE(converter.LastRunReport().refusal);

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

// The columns themselves are measured with the engine's other sketches below.
TEST(IdeCapacity, TheRunRefusesAMarqueeLongerThanTheBoardHolds) {
    DrawingSurface surface;
    BannerConverter converter(surface);
    const QString tooLong = QStringLiteral("國").repeated(kMarqueeMaxColumns / 16 + 1);
    EXPECT_TRUE(converter.ConvertMarquee(tooLong, FirstScanRow::Row3, MarqueeSpeed::Slow).isEmpty());
    EXPECT_TRUE(converter.LastRunReport().refusal);
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

// The program bytes arduino-builder counts for the sketch built for the
// board, with the options the program compiles with but the board's own.
int IdeProgramBytes(const QString& sketch, BoardKind board) {
    int argc = 1;
    char name[] = "ide_capacity_tests";
    char* argv[] = {name, nullptr};
    const QCoreApplication application(argc, argv);
    const QTemporaryDir folder;
    const QString file = QDir(folder.path()).filePath(QStringLiteral("banner/banner.ino"));
    QDir(folder.path()).mkpath(QStringLiteral("banner/build"));
    QDir().mkpath(toolchain::CoreCacheFolder());
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(sketch.toUtf8()) < 0) return -1;
    out.close();
    const QStringList arguments =
        toolchain::CompileArguments(file, QDir(folder.path()).filePath(QStringLiteral("banner/build")), board);
    QProcess builder;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    builder.setProcessEnvironment(environment);
    builder.setProcessChannelMode(QProcess::MergedChannels);
    builder.start(toolchain::CompilerProgram(), arguments);
    builder.waitForFinished(-1);
    const QString output = QString::fromLocal8Bit(builder.readAll());
    const CompileReport report = ReadCompileOutput(output, QStringLiteral("banner.ino"), builder.exitCode() == 0);
    EXPECT_TRUE(report.programBytes) << output.toStdString();
    return report.programBytes.value_or(-1);
}

// At capacity the sketch fits the board; one phrase or column more it does not.
void ExpectFits(const QString& atCapacity, const QString& oneMore, BoardKind board) {
    const int fits = IdeProgramBytes(atCapacity, board);
    const int over = IdeProgramBytes(oneMore, board);
    EXPECT_LE(fits, ProgramBytes(board)) << "at capacity";
    EXPECT_GT(over, ProgramBytes(board)) << "one more: the capacity could be higher";
}

QString Phrases(int count, const SignTarget& target) {
    SketchWriter writer;
    writer.BeginSketch(TableStore::Flash, target);
    for (int k = 0; k < count; ++k) {
        ColumnWords words{};
        for (std::size_t x = 0; x < words.size(); ++x) words[x] = std::uint16_t(std::size_t(k) + x);
        writer.AppendFrame(words);
    }
    writer.EndSketch(count);
    return writer.SketchText();
}

QString Marquee(long long columns, const SignTarget& target) {
    std::vector<std::uint16_t> words(static_cast<std::size_t>(columns));
    for (std::size_t n = 0; n < words.size(); ++n) words[n] = static_cast<std::uint16_t>(n * 40503u);
    return MarqueeWriter::Sketch(words, MarqueeSweeps(MarqueeSpeed::Medium), target);
}

struct Target {
    const char* name;
    SignTarget target;
};

void PrintTo(const Target& target, std::ostream* out) { *out << target.name; }

class EngineIdeCapacity : public ::testing::TestWithParam<Target> {};

TEST_P(EngineIdeCapacity, PhrasesAsTheIdeCounts) {
    const SignTarget& target = GetParam().target;
    const int most = MaxPhrases(target);
    ExpectFits(Phrases(most, target), Phrases(most + 1, target), target.board);

    DrawingSurface surface;
    BannerConverter converter(surface);
    EXPECT_TRUE(converter.ConvertBanner(QStringLiteral("賀 ").repeated(most + 1), FirstScanRow::Row3, target).isEmpty());
    EXPECT_TRUE(converter.LastRunReport().refusal);
}

TEST_P(EngineIdeCapacity, MarqueeColumnsAsTheIdeCounts) {
    const SignTarget& target = GetParam().target;
    ExpectFits(Marquee(MaxMarqueeColumns(target), target), Marquee(MaxMarqueeColumns(target) + 1, target),
               target.board);
}

TEST_P(EngineIdeCapacity, ProgramEstimateIsWhatTheIdeCounts) {
    const SignTarget& target = GetParam().target;
    constexpr int kItems = 20;
    const long long words = (ProgramBytes(target.board) - ProgramCodeBytes(target) - kItems * kProgramItemBytes) / 2;
    for (const auto& [size, items] : {std::pair{1000LL, 3}, std::pair{words, kItems}}) {
        ProgramFrames program = ProgramOf(size, items);
        program.target = target;
        const long long estimate = ProgramWriter::FlashBytes(ProgramWriter::Words(program), items, target);
        const int counted = IdeProgramBytes(ProgramWriter::Sketch(program), target.board);
        EXPECT_LE(counted, estimate) << size << " words";
        EXPECT_LT(estimate - counted, 320) << size << " words: the estimate refuses programs that would fit";
    }
}

// Each at the brightness whose sketch carries the most code, so that the
// capacities hold at every brightness: the school's sign dimmed, the panels
// at full brightness.
INSTANTIATE_TEST_SUITE_P(
    SignsAndBoards, EngineIdeCapacity,
    ::testing::Values(Target{"SchoolDimmed", {SignKind::School, BoardKind::Mega2560, 1}},
                      Target{"P10Mega2560", {SignKind::P10Pair, BoardKind::Mega2560}},
                      Target{"P10Uno", {SignKind::P10Pair, BoardKind::Uno}}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace award
