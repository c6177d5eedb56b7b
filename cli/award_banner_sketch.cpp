// award-banner-sketch: one run without the window, for scripts and checks.
// It reads banner text (UTF-8) on standard input and writes on standard output
// exactly what the window's run puts into its sketch area; with --upload PORT
// it compiles that sketch and uploads it to the board instead, and with --hex
// FILE it writes the compiled program as Intel HEX.

#include "cli/BannerInput.h"
#include "cli/BoardOptions.h"
#include "cli/ProgramCommand.h"
#include "conversion/BannerConverter.h"
#include "conversion/SketchFormat.h"
#include "surface/DrawingSurface.h"

#include <QCommandLineParser>

#include <unistd.h>

#include <cstdio>
#include <exception>
#include <new>

namespace {

constexpr const char* kUsage =
    "Usage: award-banner-sketch [--font NAME] [--bold] [--italic] [--first-row 1|3]\n"
    "                           [--marquee [--speed slow|medium|fast]]\n"
    "\n"
    "Reads banner text as UTF-8 on standard input and writes the Arduino sketch for a\n"
    "64 x 16 LED sign (Arduino Mega 2560) on standard output, UTF-8 with CR LF line\n"
    "breaks, byte for byte what the award-banner window shows after a run.\n"
    "\n"
    "The text is phrases of at most four Chinese characters, each followed by one\n"
    "space; the piece after the last space is not converted. Up to 55 phrases the\n"
    "frame table sits in the board's SRAM; up to 1940 it sits in flash, and a line\n"
    "on standard error says so. More phrases than that do not fit on the board.\n"
    "\n"
    "Options:\n"
    "  --font NAME       新細明體 (default) or 標楷體\n"
    "  --bold            draw bold characters\n"
    "  --italic          draw italic characters\n"
    "  --first-row 1|3   surface row that becomes the sign's top row: 3 (default)\n"
    "                    is the run button for computers without VB6, 1 the one\n"
    "                    for computers with VB6 installed\n"
    "  --marquee         scroll the whole text across the sign as one line instead\n"
    "                    of showing phrase after phrase; spaces show as gaps and\n"
    "                    line breaks as spaces, with no limit of four characters\n"
    "                    (up to 126293 columns, about 7,890 Chinese characters)\n"
    "  --speed SPEED     how fast the marquee scrolls: slow (about 0.6 characters a\n"
    "                    second), medium (default, 1.2) or fast (2.4)\n"
    "  -h, --help        show this text\n"
    "\n"
    "Exit status:\n"
    "  0  the sketch was written\n"
    "  1  standard input could not be read, the sketch could not be written, or\n"
    "     memory ran out\n"
    "  2  a bad option, or input that is not UTF-8\n"
    "  3  more phrases, or a longer marquee, than an Arduino Mega 2560 holds\n"
    "Whenever the status is not 0, a message says why on standard error and nothing\n"
    "is written on standard output, unless writing itself failed part way.\n";

int Fail(int status, const QString& message, bool pointToHelp = false) {
    std::fprintf(stderr, "award-banner-sketch: %s\n", qUtf8Printable(message));
    if (pointToHelp) std::fputs("Try 'award-banner-sketch --help'.\n", stderr);
    return status;
}

bool Write(const QByteArray& bytes) {
    return std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) == std::size_t(bytes.size());
}

int Run(int& argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);

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
    if (!parser.parse(arguments)) return Fail(2, parser.errorText(), true);
    if (parser.isSet(helpOption)) {
        if (std::fputs(kUsage, stdout) < 0 || std::fputs(award::kBoardUsage, stdout) < 0 ||
            std::fputs(award::kProgramUsage, stdout) < 0 || std::fflush(stdout) != 0)
            return Fail(1, QStringLiteral("could not write the help text"));
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return Fail(2, "unexpected argument '" + parser.positionalArguments().first() + "'", true);

    award::ConversionOptions options;
    if (parser.isSet(fontOption)) options.style.face = parser.value(fontOption);
    if (options.style.face != award::kMingFaceName && options.style.face != award::kKaiFaceName)
        return Fail(2, "--font takes 新細明體 or 標楷體, not '" + options.style.face + "'", true);
    options.style.bold = parser.isSet(boldOption);
    options.style.italic = parser.isSet(italicOption);
    if (parser.isSet(rowOption)) {
        const QString row = parser.value(rowOption);
        if (row != "1" && row != "3") return Fail(2, "--first-row takes 1 or 3, not '" + row + "'", true);
        options.firstScanRow = row.toInt();
    }

    if (award::ProgramCommandGiven(parser)) {
        if (parser.isSet(marqueeOption) || parser.isSet(speedOption))
            return Fail(2, QStringLiteral("--program takes neither --marquee nor --speed"), true);
        return award::RunProgramCommand(parser, options, argc, argv);
    }

    const bool marquee = parser.isSet(marqueeOption);
    if (marquee) options.mode = award::DisplayMode::Marquee;
    if (parser.isSet(speedOption)) {
        const QString name = parser.value(speedOption);
        if (!marquee) return Fail(2, QStringLiteral("--speed is for --marquee"), true);
        if (name == "slow") options.speed = award::MarqueeSpeed::Slow;
        else if (name == "fast") options.speed = award::MarqueeSpeed::Fast;
        else if (name != "medium") return Fail(2, "--speed takes slow, medium or fast, not '" + name + "'", true);
    }

    // Phrases past what the board holds are counted, not kept; so is a
    // marquee's text past twice as many characters as it could have columns.
    const award::BannerInput input =
        marquee ? award::ReadWholeText(STDIN_FILENO, 2 * award::kMarqueeMaxColumns)
                : award::ReadBanner(STDIN_FILENO, award::kMega2560MaxFlashPhrases + 1);
    if (input.status == award::BannerInput::Status::ReadFailed)
        return Fail(1, "could not read standard input: " + input.error);
    if (input.status == award::BannerInput::Status::NotUtf8)
        return Fail(2, QStringLiteral("standard input is not valid UTF-8"), true);
    if (input.dropped > 0)
        return Fail(3, QStringLiteral("the text is %1 characters long, far more than a marquee can hold")
                           .arg(input.tail.size() + input.dropped));

    award::DrawingSurface surface;
    award::BannerConverter converter(surface);
    // Compiling and uploading take the whole sketch; standard output takes
    // it as it is written.
    const bool toBoard = award::BoardCommandGiven(parser);
    bool written = true;
    if (!marquee && !toBoard)
        converter.SetSketchSink([&](const QString& piece) { written = written && Write(piece.toUtf8()); });
    const std::vector<QStringView> phrases(input.phrases.begin(), input.phrases.end());
    const QString& sketch = marquee ? converter.Convert(input.tail, options)
                                    : converter.ConvertPhrases(phrases, input.phraseCount, input.tail, options);
    const award::RunReport& report = converter.LastRunReport();
    if (report.refused && report.marquee) {
        return Fail(3, QStringLiteral("the marquee is %1 columns long: %2 more than the %3 an Arduino Mega 2560 holds; no sketch written")
                           .arg(report.marquee->columns)
                           .arg(report.marquee->columns - award::kMarqueeMaxColumns)
                           .arg(award::kMarqueeMaxColumns));
    }
    if (report.refused) {
        return Fail(3, QStringLiteral("%1 phrases: %2 more than the %3 an Arduino Mega 2560 holds; no sketch written")
                           .arg(report.phrases)
                           .arg(report.phrases - award::kMega2560MaxFlashPhrases)
                           .arg(award::kMega2560MaxFlashPhrases));
    }
    if (toBoard) return award::RunBoardCommand(parser, sketch, argc, argv);
    written = written && Write(sketch.toUtf8());
    if (!written || std::fflush(stdout) != 0) return Fail(1, QStringLiteral("could not write the sketch"));
    if (!marquee && report.store == award::TableStore::Flash) {
        std::fprintf(stderr, "award-banner-sketch: %d phrases: more than SRAM holds (%d), so the table is kept in flash; room for %d more\n",
                     report.frames, award::kMega2560MaxPhrases, award::kMega2560MaxFlashPhrases - report.frames);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        return Fail(1, QStringLiteral("out of memory"));
    } catch (const std::exception& error) {
        return Fail(1, QString::fromLocal8Bit(error.what()));
    }
}
