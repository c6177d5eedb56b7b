#include "conversion/BannerConverter.h"
#include "conversion/SketchFormat.h"
#include "conversion/SketchReader.h"
#include "surface/DrawingSurface.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

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

QByteArray InProcess(const ConversionOptions& options) {
    DrawingSurface surface;
    BannerConverter converter(surface);
    return converter.Convert(QString::fromUtf8(kBanner), options).toUtf8();
}

TEST(SketchCommand, WritesExactlyWhatARunGives) {
    const struct {
        QStringList args;
        ConversionOptions options;
    } cases[] = {
        {{}, {}},
        {{"--first-row", "1"}, {{kMingFaceName, false, false}, 1, DisplayMode::Phrases, MarqueeSpeed::Medium}},
        {{"--font", kKaiFaceName, "--bold"},
         {{kKaiFaceName, true, false}, 3, DisplayMode::Phrases, MarqueeSpeed::Medium}},
        {{"--font", kMingFaceName, "--italic", "--first-row", "3"},
         {{kMingFaceName, false, true}, 3, DisplayMode::Phrases, MarqueeSpeed::Medium}},
        {{"--marquee", "--first-row", "1"},
         {{kMingFaceName, false, false}, 1, DisplayMode::Marquee, MarqueeSpeed::Medium}},
        {{"--marquee", "--speed", "slow", "--font", kKaiFaceName},
         {{kKaiFaceName, false, false}, 3, DisplayMode::Marquee, MarqueeSpeed::Slow}},
    };
    for (const auto& c : cases) {
        const ProgramRun run = RunProgram(kCommand, c.args, kBanner);
        EXPECT_EQ(run.exitCode, 0) << c.args.join(' ').toStdString() << run.err.toStdString();
        EXPECT_EQ(run.out, InProcess(c.options)) << c.args.join(' ').toStdString();
        EXPECT_TRUE(run.out.contains("\r\n"));
        EXPECT_TRUE(run.err.isEmpty());
    }
}

// Every failure exits with its own status and a message, and writes nothing.
TEST(SketchCommand, ExitStatusSaysWhatHappened) {
    const QByteArray tooMany = QByteArray("賀 ").repeated(kMega2560MaxFlashPhrases + 1);
    const struct {
        const char* what;
        QStringList args;
        QByteArray input;
        int status;
        Redirection redirect = {};
    } cases[] = {
        {"invalid UTF-8", {}, QByteArray("\xe5\x9c", 2) + " \xff ", 2},
        {"an encoded surrogate", {}, QByteArray("\xed\xa0\x80 "), 2},
        {"a character cut at the end", {}, QByteArray("賀 \xe8\xb3"), 2},
        {"unknown option", {"--colour"}, kBanner, 2},
        {"unknown face", {"--font", "Arial"}, kBanner, 2},
        {"bad first row", {"--first-row", "2"}, kBanner, 2},
        {"missing value", {"--first-row"}, kBanner, 2},
        {"stray argument", {"banner.txt"}, kBanner, 2},
        {"standard input is a directory", {}, {}, 1, {QDir::tempPath(), {}, {}}},
        {"standard input closed", {}, {}, 1, {{}, {}, "exec \"$0\" \"$@\" <&-"}},
        {"help to a full disk", {"--help"}, {}, 1, {{}, "/dev/full", {}}},
        {"a sketch to a full disk", {}, kBanner, 1, {{}, "/dev/full", {}}},
#ifndef __SANITIZE_ADDRESS__  // the address sanitizer needs more address space than this
        {"memory runs out", {}, QByteArray(200'000'000, '\0'), 1, {{}, {}, "ulimit -v 300000; exec \"$0\" \"$@\""}},
#endif
        {"more phrases than the board holds", {}, tooMany, 3},
        {"a marquee longer than the board holds", {"--marquee"}, QStringLiteral("國").repeated(8000).toUtf8(), 3},
        {"a speed without a marquee", {"--speed", "fast"}, kBanner, 2},
        {"an unknown speed", {"--marquee", "--speed", "warp"}, kBanner, 2},
    };
    for (const auto& c : cases) {
        const ProgramRun run = RunProgram(kCommand, c.args, c.input, QProcessEnvironment::systemEnvironment(), c.redirect);
        EXPECT_EQ(run.exitCode, c.status) << c.what << ": " << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << c.what;
        EXPECT_TRUE(run.err.startsWith("award-banner-sketch: ")) << c.what << ": " << run.err.toStdString();
    }
}

// Past what SRAM holds the sketch keeps its table in flash, and says so.
TEST(SketchCommand, ATableInFlashIsWrittenWithANote) {
    const QByteArray banner = QByteArray("賀 ").repeated(kMega2560MaxPhrases + 1);
    const ProgramRun run = RunProgram(kCommand, {}, banner);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains("flash")) << run.err.toStdString();
    const auto frames = ReadSketch(QString::fromUtf8(run.out));
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
    const auto frames = ReadSketch(QString::fromUtf8(run.out));
    ASSERT_TRUE(frames.has_value());
    EXPECT_EQ(frames->frames.size(), 5u);
    for (const auto& frame : frames->frames)
        for (auto word : frame.words) EXPECT_EQ(word, 0);
}

TEST(SketchCommand, HelpExplainsEveryOption) {
    const ProgramRun run = RunProgram(kCommand, {"--help"}, {});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* word : {"--font", "--bold", "--italic", "--first-row", "新細明體", "標楷體",
                             "standard input", "CR LF"})
        EXPECT_TRUE(run.out.contains(word)) << word;
}

// Drawing happens off screen at 96 dpi with its own rasteriser settings: a
// window on a scaled or high-DPI screen, or FreeType told otherwise through the
// environment, gives the same bytes as a plain run.
TEST(DrawingIndependence, ScreenScaleAndFontDpiDoNotChangeTheSketch) {
    const QString probe = QStringLiteral(AWARD_GUI_PROBE);
    for (const QStringList& args : {QStringList{}, QStringList{"--kai", "--bold"}}) {
        ConversionOptions options;
        if (!args.isEmpty()) options.style = {kKaiFaceName, true, false};
        const QByteArray expected = InProcess(options);
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
