// award-banner-sketch: one run without the window, for scripts and checks.
// It reads banner text (UTF-8) on standard input and writes on standard output
// exactly what the window's run puts into its sketch area, or, with --upload
// or --hex, takes that sketch to the board or to a HEX file. It tells the user
// what the window's notices tell, in the same words, on standard error.

#include "cli/BannerInput.h"
#include "cli/BoardOptions.h"
#include "cli/CommandHelp.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/ProgramCommand.h"
#include "conversion/BannerConverter.h"
#include "conversion/Notices.h"
#include "conversion/SketchFormat.h"
#include "surface/DrawingSurface.h"

#include <QCommandLineParser>

#include <unistd.h>

#include <cstdio>
#include <exception>
#include <new>

namespace {

using namespace award::exit_status;

void Say(const QString& line) { std::fprintf(stderr, "award-banner-sketch: %s\n", qUtf8Printable(line)); }

int Fail(int status, const QString& message, bool pointToHelp = false) {
    Say(message);
    if (pointToHelp) std::fputs("請執行 award-banner-sketch --help 查看用法。\n", stderr);
    return status;
}

bool Write(const QByteArray& bytes) {
    return std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) == std::size_t(bytes.size());
}

// QCommandLineParser words its own errors in English.
QString ParseError(const QCommandLineParser& parser, const QStringList& arguments) {
    if (!parser.unknownOptionNames().isEmpty())
        return QStringLiteral("不認得的選項 %1").arg(parser.unknownOptionNames().first());
    return QStringLiteral("選項 %1 後面少了值").arg(arguments.last());
}

int Run(int& argc, char** argv) {
    award::console::UseBinaryStreams();
    const QStringList arguments = award::console::Arguments(argc, argv);

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption fontOption("font", "face", "name");
    const QCommandLineOption boldOption("bold", "bold");
    const QCommandLineOption italicOption("italic", "italic");
    const QCommandLineOption rowOption("first-row", "first scan row", "row");
    const QCommandLineOption marqueeOption("marquee", "marquee");
    const QCommandLineOption speedOption("speed", "marquee speed", "speed");
    const QCommandLineOption helpOption({"h", "help"}, "help");
    parser.addOptions({fontOption, boldOption, italicOption, rowOption, marqueeOption, speedOption, helpOption});
    parser.addOptions(award::BoardOptions());
    parser.addOptions(award::ProgramOptions());
    if (!parser.parse(arguments)) return Fail(kBadUsage, ParseError(parser, arguments), true);
    if (parser.isSet(helpOption)) {
        if (!Write((award::CommandHelp() + award::ProgramUsage()).toUtf8()) || std::fflush(stdout) != 0)
            return Fail(kCannotReadOrWrite, QStringLiteral("無法寫出說明"));
        return kDone;
    }
    if (!parser.positionalArguments().isEmpty())
        return Fail(kBadUsage, QStringLiteral("多了一個參數「%1」").arg(parser.positionalArguments().first()), true);

    award::ConversionOptions options;
    if (parser.isSet(fontOption)) options.style.face = parser.value(fontOption);
    if (options.style.face != award::kMingFaceName && options.style.face != award::kKaiFaceName)
        return Fail(kBadUsage,
                    QStringLiteral("--font 只能是 %1 或 %2，不能是「%3」")
                        .arg(award::kMingFaceName, award::kKaiFaceName, options.style.face),
                    true);
    options.style.bold = parser.isSet(boldOption);
    options.style.italic = parser.isSet(italicOption);
    if (parser.isSet(rowOption)) {
        const QString row = parser.value(rowOption);
        if (row != "1" && row != "3")
            return Fail(kBadUsage, QStringLiteral("--first-row 只能是 1 或 3，不能是「%1」").arg(row), true);
        options.firstScanRow = row.toInt();
    }

    if (award::ProgramCommandGiven(parser)) {
        if (parser.isSet(marqueeOption) || parser.isSet(speedOption))
            return Fail(kBadUsage, QStringLiteral("--program 不能和 --marquee 或 --speed 一起用"), true);
        return award::RunProgramCommand(parser, options, argc, argv);
    }

    const bool marquee = parser.isSet(marqueeOption);
    if (marquee) options.mode = award::DisplayMode::Marquee;
    if (parser.isSet(speedOption)) {
        const QString name = parser.value(speedOption);
        if (!marquee) return Fail(kBadUsage, QStringLiteral("--speed 要和 --marquee 一起用"), true);
        if (name == "slow") options.speed = award::MarqueeSpeed::Slow;
        else if (name == "fast") options.speed = award::MarqueeSpeed::Fast;
        else if (name != "medium")
            return Fail(kBadUsage, QStringLiteral("--speed 只能是 slow、medium 或 fast，不能是「%1」").arg(name), true);
    }
    const bool toBoard = award::BoardCommandGiven(parser);
    if (const auto conflict = award::BoardOptionsConflict(parser)) return Fail(kBadUsage, *conflict, true);

    // Phrases past what the board holds are counted, not kept; so is a
    // marquee's text past twice as many characters as it could have columns.
    const award::BannerInput input =
        marquee ? award::ReadWholeText(STDIN_FILENO, 2 * award::kMarqueeMaxColumns)
                : award::ReadBanner(STDIN_FILENO, award::kMega2560MaxFlashPhrases + 1);
    if (input.status == award::BannerInput::Status::ReadFailed)
        return Fail(kCannotReadOrWrite, QStringLiteral("無法讀取標準輸入：%1").arg(input.error));
    if (input.status == award::BannerInput::Status::NotUtf8)
        return Fail(kBadUsage, QStringLiteral("標準輸入不是有效的 UTF-8 文字"), true);
    if (input.dropped > 0)
        return Fail(kDoesNotFit, QStringLiteral("文字有 %1 個字，遠超過跑馬燈放得下的長度，沒有產生程式；請縮短文字。")
                                     .arg(input.tail.size() + input.dropped));

    award::DrawingSurface surface;
    award::BannerConverter converter(surface);
    // Compiling and uploading take the whole sketch; standard output takes
    // it as it is written.
    bool written = true;
    if (!marquee && !toBoard)
        converter.SetSketchSink([&](const QString& piece) { written = written && Write(piece.toUtf8()); });
    const std::vector<QStringView> phrases(input.phrases.begin(), input.phrases.end());
    const QString& sketch = marquee ? converter.Convert(input.tail, options)
                                    : converter.ConvertPhrases(phrases, input.phraseCount, input.tail, options);
    const award::RunReport& report = converter.LastRunReport();
    const QStringList warnings = award::RunWarnings(report);
    if (report.refused) {
        for (const QString& warning : warnings) Say(warning);
        return kDoesNotFit;
    }
    if (!toBoard) {
        written = written && Write(sketch.toUtf8());
        if (!written || std::fflush(stdout) != 0) return Fail(kCannotReadOrWrite, QStringLiteral("無法寫出程式"));
    }
    for (const QString& warning : warnings) Say(warning);
    if (toBoard) return award::RunBoardCommand(parser, sketch, argc, argv);
    return kDone;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        return Fail(kCannotReadOrWrite, QStringLiteral("記憶體不足"));
    } catch (const std::exception& error) {
        return Fail(kCannotReadOrWrite, QString::fromLocal8Bit(error.what()));
    }
}
