// Uploading to an Uno or a Nano through its stock bootloader: the board job
// tries the Uno's optiboot speed and then the older Nano's, each simulated
// board answers only at its own, the job says which board answered, and the
// board then runs what was uploaded. What would not fit is refused before
// avrdude writes a page.

#include "BoardTestSupport.h"
#include "SerialBridge.h"
#include "SimulatedP10Pair.h"

#include "reading/SketchReader.h"

#include "board/BoardJob.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <tuple>
#include <ostream>
#include <string>
#include <vector>

namespace award::board {
namespace {

constexpr std::uint64_t kCyclesPerSecond = SimulatedBoard::kClockHz;

// Runs one upload to its end and returns what the job said.
BoardJob::Outcome Upload(const QString& sketch, const std::string& port) {
    int argc = 1;
    char name[] = "upload_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    BoardJob job;
    std::optional<BoardJob::Outcome> outcome;
    QObject::connect(&job, &BoardJob::Finished, [&](const BoardJob::Outcome& o) {
        outcome = o;
        application.quit();
    });
    if (!job.StartUpload(sketch, QString::fromStdString(port), BoardKind::Uno)) return {};
    application.exec();
    return outcome.value_or(BoardJob::Outcome{});
}

// A sketch that writes `pattern` to port C (A0-A5) over and over, so that the
// board shows it runs this upload and no other; `fillBytes` of tables it
// reads make it as big as a test needs.
QString PatternSketch(const std::vector<std::uint8_t>& pattern, int fillBytes = 0) {
    QStringList values;
    for (const std::uint8_t value : pattern) values << QString::number(value);
    QString sketch = QStringLiteral("const byte kPattern[] = {%1};\nvolatile byte read;\n").arg(values.join(u','));
    // avr-gcc takes no object of 32 KiB or more.
    constexpr int kMostPerTable = 16000;
    QString reads;
    for (int table = 0; table * kMostPerTable < fillBytes; ++table) {
        const int bytes = std::min(kMostPerTable, fillBytes - table * kMostPerTable);
        sketch += QStringLiteral("const byte kFill%1[%2] PROGMEM = {1};\n").arg(table).arg(bytes);
        reads += QStringLiteral("  read = pgm_read_byte(&kFill%1[micros() % %2]);\n").arg(table).arg(bytes);
    }
    return sketch + QStringLiteral("void setup() { DDRC = 0x3F; }\n"
                                   "void loop() {\n"
                                   "  for (byte i = 0; i < sizeof kPattern; ++i) { PORTC = kPattern[i]; delayMicroseconds(50); }\n") +
           reads + QStringLiteral("}\n");
}

// The values written to port C, in order.
std::vector<std::uint8_t> PortCValues(std::span<const PortWrite> writes) {
    std::vector<std::uint8_t> values;
    for (const PortWrite& write : writes)
        if (write.port == MatrixPort::C) values.push_back(write.value);
    return values;
}

bool Shows(std::span<const PortWrite> writes, const std::vector<std::uint8_t>& pattern) {
    const std::vector<std::uint8_t> values = PortCValues(writes);
    return std::ranges::search(values, pattern).begin() != values.end();
}

// What a board is sent and what it must show after a reset.
struct Uploaded {
    const char* name;
    std::function<QString()> sketch;
    std::function<void(SimulatedBoard&)> expectShown;
};

const std::vector<std::uint8_t> kPattern{0x15, 0x2A, 0x33, 0x0C, 0x3F, 0x01};

const Uploaded kPatternSketch{
    "PatternSketch", [] { return PatternSketch(kPattern); },
    [](SimulatedBoard& board) {
        // The bootloader waits a second for a host before it starts the sketch.
        board.RunUntil([](auto writes, auto) { return Shows(writes, kPattern); }, board.Now() + 4 * kCyclesPerSecond);
        EXPECT_TRUE(Shows(board.Writes(), kPattern)) << "the board did not run the sketch uploaded";
    }};

// A banner for two P10 panels on the Uno, which goes as the board image the
// program writes: the simulated panels then show each of its phrases.
const Uploaded kP10Banner{
    "P10Banner", [] { return BannerSketch(3, {SignKind::P10Pair, BoardKind::Uno}); },
    [](SimulatedBoard& board) {
        const auto read = ReadSketch(BannerSketch(3, {SignKind::P10Pair, BoardKind::Uno}));
        ASSERT_TRUE(read);
        const auto& frames = std::get<PhraseFrames>(*read).frames;
        SimulatedP10Pair panels(board);
        // A second for the bootloader, then three frames of 0.66 s and their pauses.
        ASSERT_TRUE(board.RunUntil([](auto, auto) { return false; }, board.Now() + 5 * kCyclesPerSecond));
        const std::vector<ShownSweep> sweeps = DecodeP10Sweeps(panels.Changes());
        for (std::size_t f = 0; f < frames.size(); ++f) {
            MatrixImage image{};
            std::ranges::copy(frames[f].words, image.begin());
            EXPECT_TRUE(std::ranges::any_of(sweeps, [&](const ShownSweep& s) { return s.complete && s.image == image; }))
                << "the panels never showed phrase " << f + 1;
        }
    }};

// A board by its bootloader, the speed it answers at and the words the job
// says of it.
struct Answering {
    const char* name;
    StockBoard stock;
    int baud;
    const char* saying;
};

using UploadRow = std::tuple<Answering, Uploaded>;

void PrintTo(const Answering& board, std::ostream* out) { *out << board.name; }
void PrintTo(const Uploaded& uploaded, std::ostream* out) { *out << uploaded.name; }

class UploadToUnoOrNano : public testing::TestWithParam<UploadRow> {};

TEST_P(UploadToUnoOrNano, FindsTheBootloaderSaysWhichBoardAndTheBoardRunsIt) {
    const auto& [answering, uploaded] = GetParam();
    const auto board = SimulatedBoard::WithStockBootloader(answering.stock);
    SerialBridge bridge(*board);
    const BoardJob::Outcome outcome = Upload(uploaded.sketch(), bridge.PortName());
    bridge.Stop();
    const std::string told = outcome.notices.join(u'\n').toStdString();
    ASSERT_EQ(outcome.result, BoardJob::Result::Uploaded) << told;
    EXPECT_EQ(outcome.baud, answering.baud);
    EXPECT_NE(told.find(answering.saying), std::string::npos) << told;
    board->Reset();
    uploaded.expectShown(*board);
}

INSTANTIATE_TEST_SUITE_P(
    Bootloaders, UploadToUnoOrNano,
    testing::Combine(testing::Values(Answering{"UnoOptiboot", StockBoard::Uno, 115200, "回應的是 Arduino Uno"},
                                     Answering{"NanoOldBootloader", StockBoard::NanoOldBootloader, 57600,
                                               "115200 baud 沒有回應，改用 57600 baud：回應的是 Arduino Nano（舊版 bootloader）"}),
                     testing::Values(kPatternSketch, kP10Banner)),
    [](const testing::TestParamInfo<UploadRow>& row) {
        return std::string(std::get<0>(row.param).name) + "_" + std::get<1>(row.param).name;
    });

// What does not fit, or finds no board, ends in words and leaves the board's
// flash as it was.
struct Refusal {
    const char* name;
    StockBoard stock;
    int fillBytes;
    BoardJob::Result result;
    const char* saying;
    bool silent = false;  // the board's clock is stopped: nothing answers
};

void PrintTo(const Refusal& row, std::ostream* out) {
    *out << row.name;
}

class UnoRefusal : public testing::TestWithParam<Refusal> {};

TEST_P(UnoRefusal, EndsInWordsWithNothingWritten) {
    const Refusal& c = GetParam();
    const auto board = SimulatedBoard::WithStockBootloader(c.stock);
    SerialBridge bridge(*board);
    if (c.silent) bridge.Stop();
    const BoardJob::Outcome outcome = Upload(PatternSketch(kPattern, c.fillBytes), bridge.PortName());
    bridge.Stop();
    const std::string told = outcome.notices.join(u'\n').toStdString();
    EXPECT_EQ(outcome.result, c.result) << told;
    EXPECT_NE(told.find(c.saying), std::string::npos) << told;
    // Below either bootloader, the flash is as erased as it came.
    const auto below = board->Flash().first(30720);
    EXPECT_TRUE(std::ranges::all_of(below, [](std::uint8_t byte) { return byte == 0xFF; }))
        << "the board's flash was written";
}

INSTANTIATE_TEST_SUITE_P(
    Uploads, UnoRefusal,
    testing::Values(
        // More than the chip's 32 KiB: the linker refuses it.
        Refusal{"TooBigForTheChip", StockBoard::Uno, 33000, BoardJob::Result::DoesNotFit, "Uno / Nano 放不下"},
        // Within the chip, over the 32,256 bytes optiboot leaves: arduino-builder's measure refuses it.
        Refusal{"TooBigForTheUno", StockBoard::Uno, 31800, BoardJob::Result::DoesNotFit, "Uno / Nano 只放得下 32,256 位元組"},
        // Fits the Uno, not the 30,720 bytes the older Nano's bootloader leaves:
        // refused once only the Nano's speed is left to try.
        Refusal{"TooBigForTheOlderNano", StockBoard::NanoOldBootloader, 30300, BoardJob::Result::DoesNotFit,
                "只放得下 30,720 位元組"},
        Refusal{"NothingAnswersAtEitherSpeed", StockBoard::Uno, 0, BoardJob::Result::UploadFailed,
                "試了 115200 和 57600 baud，等了 10 秒都沒有回應", true}),
    [](const testing::TestParamInfo<Refusal>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace award::board
