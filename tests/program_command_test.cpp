// award-banner-sketch --program: the sketch a program file gives, and an exit
// status of its own, with nothing written, for a bad file or a program too
// long for the board.

#include "ItemStylePrinter.h"
#include "PictureSamples.h"
#include "files/ProgramFile.h"
#include "notices/Notices.h"
#include "program/ProgramConverter.h"
#include "sign/MeasuredCapacities.h"
#include "sign/SignTiming.h"
#include "surface/DrawingSurface.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace award {
namespace {

struct CommandRun {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

CommandRun RunCommand(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(AWARD_SKETCH_COMMAND), args);
    process.closeWriteChannel();
    CommandRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

TEST(ProgramCommand, WritesTheSketchARunOfTheFileGivesInTheChosenFace) {
    QTemporaryDir dir;
    const Program program{{QStringLiteral("恭喜本校"), ItemStyle::Static, 2.0, MarqueeSpeed::Medium, ItemAlign::Left},
                          {QStringLiteral("賀"), ItemStyle::Blink},
                          {QStringLiteral("好棒"), ItemStyle::ScrollLeft, 1.5, MarqueeSpeed::Fast},
                          // Private use: no face draws it, and the command must say so.
                          {QStringLiteral("金") + QChar(0xE000)}};
    ASSERT_FALSE(SaveProgramFile(dir.filePath("p.csv"), program));
    DrawingSurface surface;
    ProgramConverter converter(surface);
    const QByteArray expected = converter.ConvertProgram(program, {{kKaiFaceName, true, false}, FirstScanRow::Row1}).toUtf8();

    const CommandRun run = RunCommand({"--program", dir.filePath("p.csv"), "--font", kKaiFaceName, "--bold",
                                       "--first-row", "1"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, expected);
    // The window's warnings, the character the face lacks among them.
    const QStringList warnings = ProgramWarnings(converter.LastReport());
    ASSERT_FALSE(warnings.isEmpty());
    for (const QString& warning : warnings) EXPECT_TRUE(run.err.contains(warning)) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QChar(0xE000)));
}

// A picture's path is read from the file's folder, wherever the command runs.
TEST(ProgramCommand, ReadsPicturesBesideTheFile) {
    QTemporaryDir dir;
    QFile logo(dir.filePath(QStringLiteral("校徽.png")));
    const QByteArray png = Encoded(PatternPicture(40, 9).rows, "png");
    ASSERT_TRUE(logo.open(QIODevice::WriteOnly) && logo.write(png) == png.size());
    logo.close();
    QFile csv(dir.filePath(QStringLiteral("典禮.csv")));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write(QStringLiteral("內容,顯示方式,停留秒數,速度,對齊,圖片,門檻,反相\n恭喜,靜止,,,靠左,校徽.png,,\n賀,左移,,,,校徽.png,,是\n").toUtf8());
    csv.close();
    ASSERT_NE(QDir::currentPath(), dir.path());

    const ProgramFileRead read = ReadProgramFile(csv.fileName());
    ASSERT_TRUE(!read.refusal) << read.refusal.Words().toStdString();
    DrawingSurface surface;
    ProgramConverter converter(surface);
    const QByteArray expected = converter.ConvertProgram(read.program, {}).toUtf8();
    const CommandRun run = RunCommand({"--program", csv.fileName()});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, expected);
}

struct Failure {
    const char* name;
    QByteArray csv;
    QStringList extra;
    int status;
    // What the window would say of the same file.
    QString (*said)(const QByteArray& csv);
};

void PrintTo(const Failure& failure, std::ostream* out) { *out << failure.name; }

class ProgramCommandFails : public ::testing::TestWithParam<Failure> {};

TEST_P(ProgramCommandFails, WithItsStatusAndReasonAndNothingWritten) {
    QTemporaryDir dir;
    QFile file(dir.filePath("p.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(GetParam().csv) == GetParam().csv.size());
    file.close();
    const CommandRun run = RunCommand(QStringList{"--program", file.fileName()} + GetParam().extra);
    EXPECT_EQ(run.exitCode, GetParam().status);
    EXPECT_TRUE(run.out.isEmpty());
    const QString said = GetParam().said(GetParam().csv);
    EXPECT_FALSE(said.isEmpty());
    EXPECT_TRUE(run.err.contains(said)) << run.err.toStdString();
}

QByteArray Header() { return (ProgramCsvHeader() + QStringLiteral("\r\n")).toUtf8(); }

QString FileProblem(const QByteArray& csv) { return ReadProgramCsv(csv).refusal.Words(); }
QString Refusal(const QByteArray& csv) {
    DrawingSurface surface;
    ProgramConverter converter(surface);
    converter.ConvertProgram(ReadProgramCsv(csv).program, {});
    return ProgramRefusal(converter.LastReport());
}
QString MarqueeNamed(const QByteArray&) { return QStringLiteral("--marquee"); }

INSTANTIATE_TEST_SUITE_P(
    Files, ProgramCommandFails,
    ::testing::Values(
        Failure{"BadRowWithItsLine", Header() + QStringLiteral("好,靜止\r\n棒,跳舞\r\n").toUtf8(), {}, 2, FileProblem},
        // The spreadsheet's row and the file's line, apart after a two-line cell.
        Failure{"BadRowAfterATwoLineCell", Header() + QStringLiteral("\"好\r\n棒\",靜止\r\n賀,跳舞\r\n").toUtf8(), {}, 2,
                FileProblem},
        Failure{"TooLongForTheBoard",
                Header() + QStringLiteral("國").repeated(int(kMarqueeMaxColumns / 16 + 100)).toUtf8() + "\r\n", {}, 3,
                Refusal},
        Failure{"WithMarquee", Header(), {"--marquee"}, 2, MarqueeNamed},
        Failure{"MissingPicture",
                QStringLiteral("內容,顯示方式,停留秒數,速度,對齊,圖片\r\n好\r\n賀,,,,,不在這裡.png\r\n").toUtf8(), {}, 2,
                FileProblem}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace award
