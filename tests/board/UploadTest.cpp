// From banner to running sign without a board: the companion command compiles
// and uploads through a pseudo-terminal to a simulated Mega 2560 that runs the
// stock bootloader, and the failures a user meets end in words, not silence.

#include "BoardTestSupport.h"
#include "SerialBridge.h"

#include "board/BoardJob.h"

#include <QCoreApplication>
#include <QProcess>

#include <gtest/gtest.h>

#include <ostream>

namespace award::board {
namespace {

const QString kCommand = QStringLiteral(AWARD_SKETCH_COMMAND);
const QByteArray kBanner = QStringLiteral("恭賀 新年快樂 萬事如意 ").toUtf8();

struct CommandRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

CommandRun RunCommand(const QStringList& args) {
    QProcess process;
    process.start(kCommand, args);
    process.write(kBanner);
    process.closeWriteChannel();
    process.waitForFinished(120'000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
            process.readAllStandardError()};
}

TEST(UploadToBoard, CompanionCommandUploadsAndTheBoardShowsTheTable) {
    const QStringList style{"--font", "標楷體", "--bold", "--first-row", "1"};
    const CommandRun sketch = RunCommand(style);
    ASSERT_EQ(sketch.exitCode, 0) << sketch.err.toStdString();
    const std::vector<TableRow> rows = ParseSketchTable(sketch.out.toStdString()).ShownRows();
    ASSERT_EQ(rows.size(), 3u);

    const auto board = SimulatedBoard::WithStockBootloader();
    SerialBridge bridge(*board);
    const CommandRun upload = RunCommand(style + QStringList{"--upload", QString::fromStdString(bridge.PortName())});
    bridge.Stop();
    ASSERT_EQ(upload.exitCode, 0) << upload.err.toStdString();
    EXPECT_TRUE(upload.out.isEmpty());

    board->Reset();
    FrameCounter counter;
    board->RunUntil([&](auto writes, auto now) { return counter.ClosedFrames(writes, now) > rows.size(); },
                    (rows.size() + 3) * 1500 * kCyclesPerMillisecond);
    const std::vector<ShownFrame> frames = DecodeFrames(board->Writes(), board->Now());
    ASSERT_GT(frames.size(), rows.size()) << "the board showed too few frames";
    for (std::size_t i = 0; i <= rows.size(); ++i) {
        const MatrixImage& expected = rows[i % rows.size()].columnWords;
        EXPECT_TRUE(frames[i].image == expected) << "frame " << i + 1 << DescribeDifference(frames[i].image, expected);
    }
}

struct FailureCase {
    const char* what;
    bool brokenSketch;
    const char* port;  // nullptr for a silent one
    BoardJob::Result result;
    const char* saying;
};

std::ostream& operator<<(std::ostream& out, const FailureCase& c) {
    return out << c.what;
}

class UploadFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(UploadFailure, IsToldInWordsAndNeverReadsAsSuccess) {
    const FailureCase& c = GetParam();
    int argc = 1;
    char name[] = "upload_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);

    const CommandRun generated = RunCommand({});
    QString sketch = QString::fromUtf8(generated.out);
    // A typing slip in the driver, the kind of hand edit that breaks a build.
    const QString slip = QStringLiteral("delayMicrosecond(");
    if (c.brokenSketch) sketch.replace(QStringLiteral("delayMicroseconds("), slip);
    const int slipLine = int(sketch.left(sketch.indexOf(slip)).count(u'\n')) + 1;

    // A board whose clock is stopped: its port opens, but nothing answers.
    const auto board = SimulatedBoard::WithStockBootloader();
    SerialBridge silent(*board);
    silent.Stop();
    BoardJob job;
    bool wrote = false;
    std::optional<BoardJob::Outcome> outcome;
    QObject::connect(&job, &BoardJob::Progress,
                     [&](BoardJob::Stage stage, int) { wrote |= stage != BoardJob::Stage::Compile; });
    QObject::connect(&job, &BoardJob::Finished, [&](const BoardJob::Outcome& o) {
        outcome = o;
        application.quit();
    });
    ASSERT_TRUE(
        job.StartUpload(sketch, c.port ? QString::fromUtf8(c.port) : QString::fromStdString(silent.PortName())));
    application.exec();

    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->result, c.result);
    EXPECT_FALSE(outcome->Succeeded());
    EXPECT_TRUE(outcome->notices.join(u'\n').contains(QString::fromUtf8(c.saying)))
        << outcome->notices.join(u'\n').toStdString();
    EXPECT_EQ(wrote, !c.brokenSketch) << "an upload must start only after a clean compile";
    if (c.brokenSketch) {
        EXPECT_EQ(outcome->errorLine, slipLine);
    }
}

INSTANTIATE_TEST_SUITE_P(Failures, UploadFailure,
                         testing::Values(FailureCase{"MissingPort", false, "/dev/award-banner-no-such-port",
                                                     BoardJob::Result::UploadFailed, "不存在"},
                                         FailureCase{"NothingAnswers", false, nullptr, BoardJob::Result::UploadFailed,
                                                     "沒有回應"},
                                         FailureCase{"BrokenSketch", true, "/dev/award-banner-no-such-port",
                                                     BoardJob::Result::CompileFailed, "行有錯"}),
                         [](const auto& row) { return std::string(row.param.what); });

}  // namespace
}  // namespace award::board
