// From banner to running sign without a board: the companion command uploads
// the board image through a pseudo-terminal to a simulated Mega 2560 that runs
// the stock bootloader, and the failures a user meets end in words, not silence.

#include "BoardTestSupport.h"
#include "SerialBridge.h"

#include "board/BoardJob.h"
#include "board/ProcessGroup.h"
#include "cli/ExitStatus.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <ostream>
#include <tuple>

namespace award::board {
namespace {

const QString kCommand = QStringLiteral(AWARD_SKETCH_COMMAND);
const QByteArray kBanner = QStringLiteral("恭賀 新年快樂 萬事如意 ").toUtf8();

struct CommandRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// `shell`, when given, runs the command as $0 with its arguments, e.g. under a limit.
CommandRun RunCommand(const QStringList& args,
                      const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
                      const QString& shell = {}, const QByteArray& banner = kBanner) {
    QProcess process;
    process.setProcessEnvironment(environment);
    if (shell.isEmpty())
        process.start(kCommand, args);
    else
        process.start(QStringLiteral("/bin/sh"), QStringList{"-c", shell, kCommand} + args);
    process.write(banner);
    process.closeWriteChannel();
    process.waitForFinished(120'000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
            process.readAllStandardError()};
}

// A folder of tools holding avrdude alone, as a computer without a compiler.
class ToolsOfOnlyAvrdude {
public:
    ToolsOfOnlyAvrdude() { QFile::link(QStringLiteral("/usr/bin/avrdude"), folder_.filePath(QStringLiteral("avrdude"))); }
    QString Path() const { return folder_.path(); }

private:
    QTemporaryDir folder_;
};

// After an upload: the board, started afresh, shows the sketch's rows in turn.
void ExpectTheBoardShows(SimulatedBoard& board, const std::vector<TableRow>& rows) {
    board.Reset();
    FrameCounter counter;
    board.RunUntil([&](auto writes, auto now) { return counter.ClosedFrames(writes, now) > rows.size(); },
                   (rows.size() + 3) * 1500 * kCyclesPerMillisecond);
    const std::vector<ShownFrame> frames = DecodeFrames(board.Writes(), board.Now());
    ASSERT_GT(frames.size(), rows.size()) << "the board showed too few frames";
    for (std::size_t i = 0; i <= rows.size(); ++i) {
        const MatrixImage& expected = rows[i % rows.size()].columnWords;
        EXPECT_TRUE(frames[i].image == expected) << "frame " << i + 1 << DescribeDifference(frames[i].image, expected);
    }
}

const QStringList kStyle{"--font", "標楷體", "--bold", "--first-row", "1"};

std::vector<TableRow> RowsOfTheSketch(const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    const CommandRun sketch = RunCommand(kStyle, environment);
    EXPECT_EQ(sketch.exitCode, 0) << sketch.err.toStdString();
    return ParseSketchTable(sketch.out.toStdString()).ShownRows();
}

TEST(UploadToBoard, CompanionCommandUploadsAndTheBoardShowsTheTable) {
    const std::vector<TableRow> rows = RowsOfTheSketch();
    ASSERT_EQ(rows.size(), 3u);

    const auto board = SimulatedBoard::WithStockBootloader();
    SerialBridge bridge(*board);
    // The board image needs no compiler: avrdude alone puts it on the sign.
    const ToolsOfOnlyAvrdude tools;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("AWARD_BANNER_TOOL_PATH", tools.Path());
    const CommandRun upload =
        RunCommand(kStyle + QStringList{"--upload", QString::fromStdString(bridge.PortName())}, environment);
    bridge.Stop();
    ASSERT_EQ(upload.exitCode, 0) << upload.err.toStdString();
    EXPECT_TRUE(upload.out.isEmpty());
    ExpectTheBoardShows(*board, rows);
}

// The Windows command, installed under Wine with its avrdude.exe, uploads
// through COM5, which the Wine prefix maps to the simulated board's terminal.
// The checks under Wine name the installed command in AWARD_WINE_SKETCH_COMMAND.
TEST(UploadToBoard, WindowsCommandUploadsThroughACOMPortUnderWine) {
    const QString windowsCommand = qEnvironmentVariable("AWARD_WINE_SKETCH_COMMAND");
    const QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (windowsCommand.isEmpty() || prefix.isEmpty()) GTEST_SKIP() << "run by the checks under Wine";
    // The Linux command sees the machine's fonts, the very files the prefix
    // holds, where Wine is kept from them.
    QProcessEnvironment linux = QProcessEnvironment::systemEnvironment();
    linux.remove(QStringLiteral("FONTCONFIG_FILE"));
    const std::vector<TableRow> rows = RowsOfTheSketch(linux);
    ASSERT_EQ(rows.size(), 3u);

    const auto board = SimulatedBoard::WithStockBootloader();
    SerialBridge bridge(*board);
    const QString com5 = prefix + QStringLiteral("/dosdevices/com5");
    QFile::remove(com5);
    ASSERT_TRUE(QFile::link(QString::fromStdString(bridge.PortName()), com5));
    QProcess upload;
    upload.start(QStringLiteral("wine"), QStringList{windowsCommand} + kStyle + QStringList{"--upload", "COM5"});
    upload.write(kBanner);
    upload.closeWriteChannel();
    const bool ended = upload.waitForFinished(180'000);
    bridge.Stop();
    QFile::remove(com5);
    ASSERT_TRUE(ended) << "the upload under Wine did not end";
    ASSERT_EQ(upload.exitCode(), 0) << upload.readAllStandardError().toStdString();
    ExpectTheBoardShows(*board, rows);
}

struct FailureCase {
    const char* what;
    bool brokenSketch;
    const char* port;  // nullptr for a silent one
    BoardJob::Result result;
    const char* saying;
    bool reachesUpload;  // a missing port is refused before compiling
    enum class Tools { All, OnlyAvrdude, None } tools = Tools::All;
    const char* notSaying = nullptr;
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
    const ToolsOfOnlyAvrdude tools;
    if (c.tools == FailureCase::Tools::OnlyAvrdude) qputenv("AWARD_BANNER_TOOL_PATH", QFile::encodeName(tools.Path()));
    if (c.tools == FailureCase::Tools::None) qputenv("AWARD_BANNER_TOOL_PATH", "");
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
    qunsetenv("AWARD_BANNER_TOOL_PATH");

    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->result, c.result);
    EXPECT_FALSE(outcome->Succeeded());
    EXPECT_TRUE(outcome->notices.join(u'\n').contains(QString::fromUtf8(c.saying)))
        << outcome->notices.join(u'\n').toStdString();
    if (c.notSaying) {
        EXPECT_FALSE(outcome->notices.join(u'\n').contains(QString::fromUtf8(c.notSaying)))
            << outcome->notices.join(u'\n').toStdString();
    }
    EXPECT_EQ(wrote, c.reachesUpload) << "an upload must start only after a clean compile, to a port that is there";
    if (c.result == BoardJob::Result::CompileFailed) {
        EXPECT_EQ(outcome->errorLine, slipLine);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Failures, UploadFailure,
    testing::Values(FailureCase{"MissingPort", false, "/dev/award-banner-no-such-port", BoardJob::Result::UploadFailed,
                                "不存在", false},
                    FailureCase{"NothingAnswers", false, nullptr, BoardJob::Result::UploadFailed, "沒有看板", true},
                    FailureCase{"BrokenSketch", true, nullptr, BoardJob::Result::CompileFailed, "行有錯", false},
                    FailureCase{"EditedDriverWithoutCompiler", true, nullptr, BoardJob::Result::ToolsMissing,
                                "Arduino IDE", false, FailureCase::Tools::OnlyAvrdude},
                    // The program's own sketch needs no compiler: only avrdude is missing.
                    FailureCase{"OwnSketchWithoutAvrdude", false, nullptr, BoardJob::Result::ToolsMissing, "avrdude",
                                false, FailureCase::Tools::None, "Arduino IDE"}),
    [](const auto& row) { return std::string(row.param.what); });

// A board that stops answering in the middle of writing, whether its clock
// stops or its cable is pulled, ends the upload within seconds, and says the
// sign's program may be incomplete.
class UploadInterrupted : public testing::TestWithParam<bool> {};

TEST_P(UploadInterrupted, EndsSoonWithTheConnectionLost) {
    const bool unplugged = GetParam();
    int argc = 1;
    char name[] = "upload_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);

    // Enough phrases that writing takes several seconds.
    QByteArray banner;
    for (int i = 0; i < 300; ++i) banner += QStringLiteral("第%1名 ").arg(i % 10).toUtf8();
    const CommandRun generated = RunCommand({}, QProcessEnvironment::systemEnvironment(), {}, banner);
    ASSERT_EQ(generated.exitCode, 0) << generated.err.toStdString();

    const auto board = SimulatedBoard::WithStockBootloader();
    std::optional<SerialBridge> bridge(std::in_place, *board);
    BoardJob job;
    std::optional<BoardJob::Outcome> outcome;
    QElapsedTimer sinceLost;
    QObject::connect(&job, &BoardJob::Progress, [&](BoardJob::Stage stage, int percent) {
        if (stage != BoardJob::Stage::Write || percent < 20 || sinceLost.isValid()) return;
        if (unplugged)
            bridge.reset();
        else
            bridge->Stop();
        sinceLost.start();
    });
    QObject::connect(&job, &BoardJob::Finished, [&](const BoardJob::Outcome& o) {
        outcome = o;
        application.quit();
    });
    // Past this the upload counts as hung.
    QTimer::singleShot(170'000, &job, &BoardJob::Cancel);
    ASSERT_TRUE(job.StartUpload(QString::fromUtf8(generated.out), QString::fromStdString(bridge->PortName())));
    application.exec();

    ASSERT_TRUE(outcome);
    ASSERT_TRUE(sinceLost.isValid()) << outcome->notices.join(u'\n').toStdString();
    EXPECT_LT(sinceLost.elapsed(), 10'000);
    EXPECT_EQ(outcome->result, BoardJob::Result::UploadFailed);
    EXPECT_TRUE(outcome->notices.join(u'\n').contains(QStringLiteral("程式可能不完整")))
        << outcome->notices.join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Board, UploadInterrupted, testing::Values(false, true),
                         [](const auto& row) { return std::string(row.param ? "Unplugged" : "ClockStops"); });

// --hex and --upload refuse at once, before compiling, what is not a regular
// file or not a serial port, and leave it as it was; a job that cannot make
// its folders says why. Each exits with the status its README row names.
struct TargetCase {
    const char* what;
    const char* option;
    const char* make;  // a shell command that makes the target; DIR is the test's folder
    int status;
    const char* saying;
    QString environment = {};  // NAME=VALUE
    QString shell = {};
    QString target = QStringLiteral("DIR/target");
};

void PrintTo(const TargetCase& c, std::ostream* out) {
    *out << c.what;
}

// Type, device and size: what replacing a file would change.
std::tuple<mode_t, dev_t, off_t> KindOf(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) return {};
    return {status.st_mode & S_IFMT, status.st_rdev, status.st_size};
}

class BoardTarget : public testing::TestWithParam<TargetCase> {};

TEST_P(BoardTarget, IsRefusedAtOnceAndLeftAsItWas) {
    const TargetCase& c = GetParam();
    const QTemporaryDir dir;
    const auto inDir = [&](QString text) { return text.replace("DIR", dir.path()); };
    ASSERT_EQ(QProcess::execute("/bin/sh", {"-c", inDir(c.make)}), 0);
    const QString target = inDir(c.target);
    const auto before = KindOf(target);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!c.environment.isEmpty())
        environment.insert(c.environment.section('=', 0, 0), inDir(c.environment.section('=', 1)));

    const CommandRun run = RunCommand({QString::fromUtf8(c.option), target}, environment, c.shell);
    EXPECT_EQ(run.exitCode, c.status) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(c.saying)) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains("編譯…")) << "refused only after compiling";
    EXPECT_EQ(KindOf(target), before) << "the target was replaced";
}

// A device node like /dev/null in the test's folder, or, for a user who may
// not make one and so cannot replace /dev/null either, a link to /dev/null.
INSTANTIATE_TEST_SUITE_P(
    Refusals, BoardTarget,
    testing::Values(
        TargetCase{"HexToADevice", "--hex", "mknod DIR/target c 1 3 || ln -s /dev/null DIR/target",
                   exit_status::kCannotReadOrWrite, "不是一般檔案"},
        TargetCase{"HexToAFifo", "--hex", "mkfifo DIR/target", exit_status::kCannotReadOrWrite, "不是一般檔案"},
        TargetCase{"HexToAFolder", "--hex", "mkdir DIR/target", exit_status::kCannotReadOrWrite, "不是一般檔案"},
        TargetCase{"UploadToARegularFile", "--upload", "echo > DIR/target", exit_status::kUploadFailed, "不是字元裝置"},
        TargetCase{"UploadToAvrdudesNetForm",
                   "--upload",
                   "true",
                   exit_status::kUploadFailed,
                   "不存在",
                   {},
                   {},
                   "net:127.0.0.1:9"},
        // A disk that takes no more than 512 bytes, as a full one.
        TargetCase{"HexOnAFullDisk", "--hex", "echo old > DIR/target", exit_status::kCannotReadOrWrite,
                   std::strerror(EFBIG), "TMPDIR=DIR", "trap '' XFSZ; ulimit -f 1; exec \"$0\" \"$@\""}),
    [](const auto& row) { return std::string(row.param.what); });

// Cancelling a compile ends every process the tools started, and the
// compiler's temporary files never reach the system's temporary folder.
TEST(CancelCompile, LeavesNoProcessAndNoFileBehind) {
    const QTemporaryDir systemTemporary;
    qputenv("TMPDIR", QFile::encodeName(systemTemporary.path()));
    int argc = 1;
    char name[] = "upload_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    BoardJob job;
    std::optional<BoardJob::Outcome> outcome;
    QObject::connect(&job, &BoardJob::Finished, [&](const BoardJob::Outcome& o) { outcome = o; });
    ASSERT_TRUE(job.StartCompile(QString::fromUtf8(RunCommand({}).out)));
    const qint64 group = job.ToolGroup();  // the tool, the compiler driver and the compiler proper
    while (!outcome && process_group::LiveMembers(group).size() < 3) QCoreApplication::processEvents();
    ASSERT_FALSE(outcome) << "the compile ended before the compiler could be seen";
    job.Cancel();
    while (!outcome) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    qunsetenv("TMPDIR");
    EXPECT_EQ(outcome->result, BoardJob::Result::Cancelled);
    EXPECT_EQ(process_group::LiveMembers(group), std::vector<qint64>{});
    EXPECT_EQ(QDir(systemTemporary.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});
}

}  // namespace
}  // namespace award::board
