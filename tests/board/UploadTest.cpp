// From banner to running sign without a board: the companion command compiles
// and uploads through a pseudo-terminal to a simulated Mega 2560 that runs the
// stock bootloader, and the failures a user meets end in words, not silence.

#include "BoardTestSupport.h"
#include "SerialBridge.h"

#include "board/BoardJob.h"
#include "cli/ExitStatus.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <map>
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

// `shell`, when given, runs the command as $0 with its arguments, e.g. under a limit.
CommandRun RunCommand(const QStringList& args, const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
                      const QString& shell = {})
{
    QProcess process;
    process.setProcessEnvironment(environment);
    if (shell.isEmpty())
        process.start(kCommand, args);
    else
        process.start(QStringLiteral("/bin/sh"), QStringList{"-c", shell, kCommand} + args);
    process.write(kBanner);
    process.closeWriteChannel();
    process.waitForFinished(120'000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
            process.readAllStandardError()};
}

TEST(UploadToBoard, CompanionCommandUploadsAndTheBoardShowsTheTable)
{
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
    bool reachesUpload;  // a missing port is refused before compiling
};

std::ostream& operator<<(std::ostream& out, const FailureCase& c)
{
    return out << c.what;
}

class UploadFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(UploadFailure, IsToldInWordsAndNeverReadsAsSuccess)
{
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
    QObject::connect(&job, &BoardJob::Progress, [&](BoardJob::Stage stage, int) { wrote |= stage != BoardJob::Stage::Compile; });
    QObject::connect(&job, &BoardJob::Finished, [&](const BoardJob::Outcome& o) {
        outcome = o;
        application.quit();
    });
    ASSERT_TRUE(job.StartUpload(sketch, c.port ? QString::fromUtf8(c.port) : QString::fromStdString(silent.PortName())));
    application.exec();

    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->result, c.result);
    EXPECT_FALSE(outcome->Succeeded());
    EXPECT_TRUE(outcome->notices.join(u'\n').contains(QString::fromUtf8(c.saying))) << outcome->notices.join(u'\n').toStdString();
    EXPECT_EQ(wrote, c.reachesUpload) << "an upload must start only after a clean compile, to a port that is there";
    if (c.brokenSketch) {
        EXPECT_EQ(outcome->errorLine, slipLine);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Failures, UploadFailure,
    testing::Values(
        FailureCase{"MissingPort", false, "/dev/award-banner-no-such-port", BoardJob::Result::UploadFailed, "不存在", false},
        FailureCase{"NothingAnswers", false, nullptr, BoardJob::Result::UploadFailed, "沒有回應", true},
        FailureCase{"BrokenSketch", true, nullptr, BoardJob::Result::CompileFailed, "行有錯", false}),
    [](const auto& info) { return std::string(info.param.what); });

// --hex and --upload refuse at once, before compiling, what is not a regular
// file or not a serial port, leave it as it was, and exit with the status
// their README row names; a job that cannot make its folders says why.
struct TargetCase {
    const char* what;
    // Makes the target in the folder and gives the command's arguments.
    std::function<QStringList(const QDir&)> arguments;
    int status;
    const char* saying;
    // Environment changes, with "DIR" standing for the test's folder.
    std::map<QString, QString> environment = {};
    QString shell = {};
};

void PrintTo(const TargetCase& c, std::ostream* out)
{
    *out << c.what;
}

struct FileKind {
    mode_t type = 0;
    dev_t device = 0;
    off_t size = -1;
    bool operator==(const FileKind&) const = default;
};

FileKind KindOf(const QString& path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) return {};
    return {status.st_mode & S_IFMT, status.st_rdev, S_ISREG(status.st_mode) ? status.st_size : 0};
}

// A device node like /dev/null, in the folder when the test may make one; a
// user who may not make it cannot replace /dev/null either.
QString NullDevice(const QDir& dir)
{
    const QString node = dir.filePath("null");
    struct stat null {};
    if (::stat("/dev/null", &null) == 0 && ::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0666, null.st_rdev) == 0)
        return node;
    return QStringLiteral("/dev/null");
}

QString Fifo(const QDir& dir)
{
    const QString fifo = dir.filePath("pipe");
    EXPECT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0) << std::strerror(errno);
    return fifo;
}

QString RegularFile(const QDir& dir, const QByteArray& bytes)
{
    QFile file(dir.filePath("regular"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    return file.fileName();
}

class BoardTarget : public testing::TestWithParam<TargetCase> {};

TEST_P(BoardTarget, IsRefusedAtOnceAndLeftAsItWas)
{
    const TargetCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QStringList args = c.arguments(QDir(dir.path()));
    const QString target = args.last();
    const FileKind before = KindOf(target);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : c.environment) environment.insert(name, QString(value).replace("DIR", dir.path()));

    const CommandRun run = RunCommand(args, environment, c.shell);
    EXPECT_EQ(run.exitCode, c.status) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(c.saying)) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains("編譯…")) << "refused only after compiling: " << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(KindOf(target), before) << "the target was replaced";
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, BoardTarget,
    testing::Values(
        TargetCase{"HexToADevice", [](const QDir& d) { return QStringList{"--hex", NullDevice(d)}; },
                   exit_status::kCannotReadOrWrite, "不是一般檔案"},
        TargetCase{"HexToAFifo", [](const QDir& d) { return QStringList{"--hex", Fifo(d)}; },
                   exit_status::kCannotReadOrWrite, "不是一般檔案"},
        TargetCase{"HexToAFolder", [](const QDir& d) { return QStringList{"--hex", d.path()}; },
                   exit_status::kCannotReadOrWrite, "不是一般檔案"},
        TargetCase{"UploadToARegularFile",
                   [](const QDir& d) { return QStringList{"--upload", RegularFile(d, "not a port")}; },
                   exit_status::kUploadFailed, "不是字元裝置"},
        TargetCase{"UploadToAvrdudesNetForm", [](const QDir&) { return QStringList{"--upload", "net:127.0.0.1:9"}; },
                   exit_status::kUploadFailed, "不存在"},
        TargetCase{"CacheFolderCannotBeMade",
                   [](const QDir& d) {
                       RegularFile(d, "a file where a folder should be");
                       return QStringList{"--hex", d.filePath("banner.hex")};
                   },
                   exit_status::kCannotReadOrWrite, std::strerror(ENOTDIR), {{"XDG_CACHE_HOME", "DIR/regular/cache"}}},
        // A disk that takes no more than a few hundred bytes, as a full one.
        TargetCase{"JobFolderOnAFullDisk",
                   [](const QDir& d) { return QStringList{"--hex", RegularFile(d, "old")}; },
                   exit_status::kCannotReadOrWrite, std::strerror(EFBIG),
                   {{"TMPDIR", "DIR"}},
                   "trap '' XFSZ; ulimit -f 1; exec \"$0\" \"$@\""}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(HexFile, ReplacesAnOldHexFileWhole)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString hex = RegularFile(QDir(dir.path()), "an older program");
    const CommandRun run = RunCommand({"--hex", hex});
    ASSERT_EQ(run.exitCode, exit_status::kDone) << run.err.toStdString();
    QFile file(hex);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith(':'));
    EXPECT_TRUE(bytes.trimmed().endsWith(":00000001FF")) << "an Intel HEX file ends with its end record";
}

// The processes below `root` in the process tree.
std::vector<pid_t> Descendants(pid_t root)
{
    std::map<pid_t, pid_t> parents;
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs)) {
        QFile stat("/proc/" + entry + "/stat");
        if (!stat.open(QIODevice::ReadOnly)) continue;
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1) parents[pid_t(entry.toInt())] = pid_t(fields[1].toInt());
    }
    std::vector<pid_t> below;
    for (const auto& [pid, parent] : parents) {
        for (pid_t up = parent; up > 1; up = parents.count(up) ? parents[up] : 0) {
            if (up == root) {
                below.push_back(pid);
                break;
            }
        }
    }
    return below;
}

QByteArray CommandOf(pid_t pid)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    return comm.open(QIODevice::ReadOnly) ? comm.readAll().trimmed() : QByteArray();
}

bool Running(pid_t pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return false;
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2, 1) != "Z";
}

// Cancelling a compile ends the compiler it started as well, and the
// compiler's temporary files never reach the system's temporary folder.
TEST(CancelCompile, LeavesNoProcessAndNoFileBehind)
{
    QTemporaryDir systemTemporary;
    ASSERT_TRUE(systemTemporary.isValid());
    const QByteArray previous = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(systemTemporary.path()));
    int argc = 1;
    char name[] = "upload_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    {
        BoardJob job;
        std::optional<BoardJob::Outcome> outcome;
        QObject::connect(&job, &BoardJob::Finished, [&](const BoardJob::Outcome& o) { outcome = o; });
        ASSERT_TRUE(job.StartCompile(QString::fromUtf8(RunCommand({}).out)));

        std::vector<pid_t> tools;
        const auto compiling = [&] {
            tools = Descendants(::getpid());
            return std::any_of(tools.begin(), tools.end(), [](pid_t p) { return CommandOf(p) == "cc1plus"; });
        };
        for (int i = 0; i < 12000 && !outcome && !compiling(); ++i) {
            QCoreApplication::processEvents();
            QThread::msleep(5);
        }
        ASSERT_FALSE(outcome) << "the compile ended before the compiler could be seen";
        job.Cancel();
        while (!outcome) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

        EXPECT_EQ(outcome->result, BoardJob::Result::Cancelled);
        for (const pid_t tool : tools)
            EXPECT_FALSE(Running(tool)) << CommandOf(tool).toStdString() << " " << tool << " still runs";
        EXPECT_EQ(QDir(systemTemporary.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});
    }
    if (previous.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", previous);
}

}  // namespace
}  // namespace award::board
