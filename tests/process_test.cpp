#include "cli/ExitStatus.h"
#include "conversion/BannerConverter.h"
#include "files/BannerFile.h"
#include "ReadPhrases.h"
#include "reading/SketchReader.h"
#include "notices/Notices.h"
#include "phrases/PhraseFormat.h"
#include "sign/MeasuredCapacities.h"
#include "sign/SignTiming.h"
#include "sign/UnoNano.h"
#include "surface/DrawingSurface.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace award {
namespace {

struct ProgramRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Where the program's standard input and output go, when not to the test.
struct Redirection {
    QString inputFile;
    QString outputFile;
    QString shell;  // a shell command run with the program as $0, e.g. to close a descriptor
};

ProgramRun RunProgram(const QString& program, const QStringList& args, const QByteArray& input,
               const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
               const Redirection& redirect = {}) {
    QProcess process;
    process.setProcessEnvironment(env);
    if (!redirect.inputFile.isEmpty()) process.setStandardInputFile(redirect.inputFile);
    if (!redirect.outputFile.isEmpty()) process.setStandardOutputFile(redirect.outputFile);
    if (redirect.shell.isEmpty())
        process.start(program, args);
    else
        process.start(QStringLiteral("/bin/sh"), QStringList{"-c", redirect.shell, program} + args);
    ProgramRun run;
    if (!process.waitForStarted(10000)) return run;
    if (redirect.inputFile.isEmpty()) process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

const QString kCommand = QStringLiteral(AWARD_SKETCH_COMMAND);
const QByteArray kBanner = QStringLiteral("賀 本校 資訊科 三年甲班 陳怡君同學 ").toUtf8();

// The sketch, and the notices as the command words them.
ProgramRun InProcess(const ConversionOptions& options, const QByteArray& banner = kBanner) {
    DrawingSurface surface;
    BannerConverter converter(surface);
    // Read as the window opens a file, with what reading it found.
    const BannerText read = DecodeBannerText(banner);
    ProgramRun run{exit_status::kDone, converter.Convert(read.text, options).toUtf8(), {}};
    const QStringList said = read.notices + RunWarnings(converter.LastRunReport()) +
                             FaceNotices({surface.FontName(), surface.ResolvedFace(), surface.DrawsChinese()});
    for (const QString& line : said) run.err += "award-banner-sketch: " + line.toUtf8() + "\n";
    return run;
}

// Byte for byte the window's sketch, and on standard error its notices' warnings.
TEST(SketchCommand, WritesExactlyWhatARunGives) {
    const QByteArray withTail = QStringLiteral("恭喜 卐字 ").toUtf8() + QByteArray("\xee\x80\x80 林");
    const struct {
        QStringList args;
        ConversionOptions options;
        QByteArray input = kBanner;
    } cases[] = {
        {{}, {}},
        {{"--first-row", "1"}, {{kMingFaceName, false, false}, FirstScanRow::Row1, DisplayMode::Phrases, MarqueeSpeed::Medium}},
        {{"--font", kKaiFaceName, "--bold"},
         {{kKaiFaceName, true, false}, FirstScanRow::Row3, DisplayMode::Phrases, MarqueeSpeed::Medium}},
        {{"--font", kMingFaceName, "--italic", "--first-row", "3"},
         {{kMingFaceName, false, true}, FirstScanRow::Row3, DisplayMode::Phrases, MarqueeSpeed::Medium}},
        {{"--marquee", "--first-row", "1"},
         {{kMingFaceName, false, false}, FirstScanRow::Row1, DisplayMode::Marquee, MarqueeSpeed::Medium}},
        {{"--marquee", "--speed", "slow", "--font", kKaiFaceName},
         {{kKaiFaceName, false, false}, FirstScanRow::Row3, DisplayMode::Marquee, MarqueeSpeed::Slow}},
        {{"--font", kKaiFaceName}, {{kKaiFaceName, false, false}}, withTail},
        {{"--marquee", "--font", kKaiFaceName}, {{kKaiFaceName, false, false}, FirstScanRow::Row3, DisplayMode::Marquee}, withTail},
        {{"--sign", "p10", "--board", "uno", "--brightness", "3"},
         {{kMingFaceName, false, false}, FirstScanRow::Row3, DisplayMode::Phrases, MarqueeSpeed::Medium,
          {SignKind::P10Pair, BoardKind::Uno, 3}}},
        {{"--sign", "ports", "--board", "mega2560", "--brightness", "8"}, {}},
        {{"--brightness", "1", "--marquee"},
         {{kMingFaceName, false, false}, FirstScanRow::Row3, DisplayMode::Marquee, MarqueeSpeed::Medium,
          {SignKind::School, BoardKind::Mega2560, 1}}},
        {{"--sign", "p10", "--marquee"},
         {{kMingFaceName, false, false}, FirstScanRow::Row3, DisplayMode::Marquee, MarqueeSpeed::Medium,
          {SignKind::P10Pair, BoardKind::Mega2560, SIGN_BRIGHTEST}}},
    };
    for (const auto& c : cases) {
        const ProgramRun run = RunProgram(kCommand, c.args, c.input);
        const ProgramRun expected = InProcess(c.options, c.input);
        EXPECT_EQ(run.exitCode, expected.exitCode) << c.args.join(' ').toStdString() << run.err.toStdString();
        EXPECT_EQ(run.out, expected.out) << c.args.join(' ').toStdString();
        EXPECT_TRUE(run.out.contains("\r\n"));
        EXPECT_EQ(run.err, expected.err) << c.args.join(' ').toStdString();
    }
}

// Every failure exits with its own status and a message, and writes nothing.
TEST(SketchCommand, ExitStatusSaysWhatHappened) {
    const QByteArray tooMany = QByteArray("賀 ").repeated(kMega2560MaxFlashPhrases + 1);
    const SignTarget uno{SignKind::P10Pair, BoardKind::Uno};
    const QByteArray tooManyForUno = QByteArray("賀 ").repeated(MaxPhrases(uno) + 1);
    QTemporaryDir dir;
    const QString program = dir.filePath("p.csv");
    const QString empty = dir.filePath("empty.csv");
    const QString fifo = dir.filePath("fifo.csv");
    QFile programFile(program), emptyFile(empty);
    ASSERT_TRUE(programFile.open(QIODevice::WriteOnly) && programFile.write("\xEF\xBB\xBF") == 3 &&
                programFile.write(QStringLiteral("內容,顯示方式,停留秒數,速度,對齊\r\n賀,,,,\r\n").toUtf8()) > 0);
    programFile.close();
    ASSERT_TRUE(emptyFile.open(QIODevice::WriteOnly) &&
                emptyFile.write(QStringLiteral("內容,顯示方式,停留秒數,速度,對齊\r\n").toUtf8()) > 0);
    emptyFile.close();
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const struct {
        const char* what;
        QStringList args;
        QByteArray input;
        int status;
        Redirection redirect = {};
        const char* said = nullptr;  // words the message holds
    } cases[] = {
        {"invalid UTF-8", {}, QByteArray("\xe5\x9c", 2) + " \xff ", exit_status::kBadUsage},
        {"an encoded surrogate", {}, QByteArray("\xed\xa0\x80 "), exit_status::kBadUsage},
        {"a character cut at the end", {}, QByteArray("賀 \xe8\xb3"), exit_status::kBadUsage},
        {"unknown option", {"--colour"}, kBanner, exit_status::kBadUsage, {}, "--colour"},
        {"unknown short option", {"-x"}, kBanner, exit_status::kBadUsage, {}, "選項 -x"},
        {"unknown face", {"--font", "Arial"}, kBanner, exit_status::kBadUsage},
        {"bad first row", {"--first-row", "2"}, kBanner, exit_status::kBadUsage},
        {"missing value", {"--first-row"}, kBanner, exit_status::kBadUsage},
        {"two banner files", {"a.txt", "b.txt"}, kBanner, exit_status::kBadUsage, {}, "b.txt"},
        {"a banner file that is not there", {dir.filePath("missing.txt")}, {}, exit_status::kCannotReadOrWrite, {}, "找不到"},
        {"standard input is a directory", {}, {}, exit_status::kCannotReadOrWrite, {QDir::tempPath(), {}, {}}},
        {"standard input closed", {}, {}, exit_status::kCannotReadOrWrite, {{}, {}, "exec \"$0\" \"$@\" <&-"}},
        {"help to a full disk", {"--help"}, {}, exit_status::kCannotReadOrWrite, {{}, "/dev/full", {}}},
        {"a sketch to a full disk", {}, kBanner, exit_status::kCannotReadOrWrite, {{}, "/dev/full", {}}},
        {"more than any banner file holds", {}, QByteArray(3'000'000, 'a'), exit_status::kDoesNotFit},
        {"more phrases than the board holds", {}, tooMany, exit_status::kDoesNotFit},
        {"a marquee longer than the board holds", {"--marquee"}, QStringLiteral("國").repeated(8000).toUtf8(),
         exit_status::kDoesNotFit},
        {"more phrases than the Uno holds", {"--sign", "p10", "--board", "uno"}, tooManyForUno,
         exit_status::kDoesNotFit, {}, "Arduino Uno / Nano"},
        {"a marquee longer than the Uno holds", {"--sign", "p10", "--board", "uno", "--marquee"},
         QStringLiteral("國").repeated(int(MaxMarqueeColumns(uno) / kCharacterColumns) + 1).toUtf8(),
         exit_status::kDoesNotFit, {}, "Arduino Uno / Nano"},
        {"the school's sign on an Uno", {"--board", "uno"}, kBanner, exit_status::kBadUsage, {}, "埠 C、F、K"},
        {"an unknown sign", {"--sign", "lcd"}, kBanner, exit_status::kBadUsage, {}, "--sign"},
        {"an unknown board", {"--board", "nano"}, kBanner, exit_status::kBadUsage, {}, "--board"},
        {"a brightness past the brightest", {"--brightness", "9"}, kBanner, exit_status::kBadUsage, {}, "--brightness"},
        {"a brightness of nothing lit", {"--brightness", "0"}, kBanner, exit_status::kBadUsage, {}, "--brightness"},
        {"--board twice", {"--sign", "p10", "--board", "uno", "--board", "mega2560"}, kBanner, exit_status::kBadUsage,
         {}, "--board"},
        {"a speed without a marquee", {"--speed", "fast"}, kBanner, exit_status::kBadUsage},
        {"an unknown speed", {"--marquee", "--speed", "warp"}, kBanner, exit_status::kBadUsage},
        {"--upload with --hex", {"--upload", "/dev/ttyACM0", "--hex", "banner.hex"}, kBanner, exit_status::kBadUsage},
        {"--upload with --hex for a program", {"--program", program, "--upload", "/dev/null", "--hex", "p.hex"}, {},
         exit_status::kBadUsage, {}, "--hex"},
        {"--program twice", {"--program", program, "--program", program}, {}, exit_status::kBadUsage, {}, "--program"},
        {"--font twice", {"--font", kKaiFaceName, "--font", kMingFaceName}, kBanner, exit_status::kBadUsage, {}, "--font"},
        {"--program with a banner file", {"--program", program, "banner.txt"}, {}, exit_status::kBadUsage},
        {"a program without items", {"--program", empty}, {}, exit_status::kBadUsage},
        {"a pipe as the program", {"--program", fifo}, {}, exit_status::kBadUsage, {}, "FIFO"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = RunProgram(kCommand, c.args, c.input, QProcessEnvironment::systemEnvironment(), c.redirect);
        EXPECT_EQ(run.exitCode, c.status) << c.what << ": " << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << c.what;
        EXPECT_TRUE(run.err.startsWith("award-banner-sketch: ")) << c.what << ": " << run.err.toStdString();
        if (c.said) {
            EXPECT_TRUE(run.err.contains(c.said)) << c.what << ": " << run.err.toStdString();
        }
        // The command speaks the window's language: every message line holds Chinese.
        for (const QString& line : QString::fromUtf8(run.err).split(u'\n', Qt::SkipEmptyParts))
            EXPECT_TRUE(line.contains(QRegularExpression("\\p{Han}"))) << c.what << ": " << line.toStdString();
    }
}

// Past what SRAM holds the sketch keeps its table in flash, and says so.
TEST(SketchCommand, ATableInFlashIsWrittenWithANote) {
    const QByteArray banner = QByteArray("賀 ").repeated(kMega2560MaxPhrases + 1);
    const ProgramRun run = RunProgram(kCommand, {}, banner);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains("flash")) << run.err.toStdString();
    const auto frames = test::ReadPhrases(QString::fromUtf8(run.out));
    ASSERT_TRUE(frames.has_value());
    EXPECT_EQ(frames->store, TableStore::Flash);
    EXPECT_EQ(int(frames->frames.size()), kMega2560MaxPhrases + 1);
}

// A machine without any font still gets a whole sketch, with dark frames.
TEST(SketchCommand, WithoutAnyInstalledFaceWritesDarkFrames) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile config(dir.filePath("fonts.conf"));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write("<?xml version=\"1.0\"?>\n<fontconfig><cachedir>" + dir.path().toUtf8() +
                 "</cachedir></fontconfig>\n");
    config.close();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("FONTCONFIG_FILE", config.fileName());

    const ProgramRun run = RunProgram(kCommand, {}, kBanner, env);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const auto frames = test::ReadPhrases(QString::fromUtf8(run.out));
    ASSERT_TRUE(frames.has_value());
    EXPECT_EQ(frames->frames.size(), 5u);
    for (const auto& frame : frames->frames)
        for (auto word : frame.words) EXPECT_EQ(word, 0);
}

TEST(SketchCommand, HelpExplainsEveryOptionWithTheBoardsCapacities) {
    const ProgramRun run = RunProgram(kCommand, {"--help"}, {});
    EXPECT_EQ(run.exitCode, exit_status::kDone);
    const QLocale english(QLocale::English);
    QStringList words{"--font", "--bold", "--italic", "--first-row", "--upload", "--hex", "--sign", "--board",
                      "--brightness", kMingFaceName, kKaiFaceName, "標準輸入", "CR LF",
                      english.toString(kMega2560MaxFlashPhrases), english.toString(kMarqueeMaxColumns)};
    // Each sign and board's phrases and marquee, the school's sign dimmed included.
    for (const SignTarget target : {SignTarget{SignKind::School, BoardKind::Mega2560, 1},
                                    SignTarget{SignKind::P10Pair, BoardKind::Mega2560},
                                    SignTarget{SignKind::P10Pair, BoardKind::Uno}})
        words << english.toString(MaxPhrases(target)) << english.toString(MaxMarqueeColumns(target));
    words << english.toString(kUnoNanoProgramBytes);
    for (const QString& word : words) EXPECT_TRUE(QString::fromUtf8(run.out).contains(word)) << word.toStdString();
}

// The README's table of exit statuses names the command's own constants, and
// the help explains each status.
TEST(SketchCommand, ReadmeAndHelpListTheExitStatuses) {
    QFile readme(QStringLiteral(AWARD_README));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    static const QRegularExpression kRow(QStringLiteral("^\\| (\\d+) \\| `(\\w+)` \\|"),
                                         QRegularExpression::MultilineOption);
    QStringList table, constants;
    for (const auto& match : kRow.globalMatch(QString::fromUtf8(readme.readAll()))) table << match.captured(0);
    for (const auto& [name, status] : exit_status::kAll)
        constants << QStringLiteral("| %1 | `%2` |").arg(status).arg(QLatin1String(name.data(), qsizetype(name.size())));
    EXPECT_EQ(table, constants);

    const QString help = QString::fromUtf8(RunProgram(kCommand, {"--help"}, {}).out);
    const QString statuses = help.mid(help.indexOf(QStringLiteral("結束狀態")));
    for (const auto& [name, status] : exit_status::kAll)
        EXPECT_TRUE(statuses.contains(QStringLiteral("\n  %1  ").arg(status))) << name;
}

// Drawing happens off screen at 96 dpi with its own rasteriser settings: a
// window on a scaled or high-DPI screen, or FreeType told otherwise through the
// environment, gives the same bytes as a plain run.
TEST(DrawingIndependence, ScreenScaleAndFontDpiDoNotChangeTheSketch) {
    const QString probe = QStringLiteral(AWARD_GUI_PROBE);
    for (const QStringList& args : {QStringList{}, QStringList{"--kai", "--bold"}}) {
        ConversionOptions options;
        if (!args.isEmpty()) options.style = {kKaiFaceName, true, false};
        const QByteArray expected = InProcess(options).out;
        for (const auto& [name, value] :
             {std::pair("QT_SCALE_FACTOR", "2"), std::pair("QT_FONT_DPI", "144"),
              std::pair("FREETYPE_PROPERTIES",
                        "autofitter:no-stem-darkening=0 truetype:interpreter-version=35"),
              std::pair("QT_SCALE_FACTOR", "1.5"), std::pair("QT_ENABLE_HIGHDPI_SCALING", "0")}) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("QT_QPA_PLATFORM", "offscreen");
            env.insert(name, value);
            const ProgramRun run = RunProgram(probe, args, kBanner, env);
            EXPECT_EQ(run.exitCode, 0) << name << "=" << value << " " << run.err.toStdString();
            EXPECT_EQ(run.out, expected) << name << "=" << value;
        }
    }
}

}  // namespace
}  // namespace award
