// award-banner-sketch: the sketch text of one run, for scripts and checks.
// It reads banner text (UTF-8) on standard input and writes on standard output
// exactly what the window's run puts into its sketch area.

#include "cli/BoardCommands.h"
#include "conversion/BannerConverter.h"
#include "surface/DrawingSurface.h"

#include <QCommandLineParser>
#include <QStringDecoder>

#include <cstdio>
#include <exception>
#include <iostream>
#include <iterator>
#include <string>

namespace {

constexpr const char* kUsage =
    "Usage: award-banner-sketch [--font NAME] [--bold] [--italic] [--first-row 1|3]\n"
    "\n"
    "Reads banner text as UTF-8 on standard input and writes the Arduino sketch for a\n"
    "64 x 16 LED sign (Arduino Mega 2560) on standard output, UTF-8 with CR LF line\n"
    "breaks, byte for byte what the award-banner window shows after a run.\n"
    "\n"
    "The text is phrases of at most four Chinese characters, each followed by one\n"
    "space; the piece after the last space is not converted.\n"
    "\n"
    "Options:\n"
    "  --font NAME       新細明體 (default) or 標楷體\n"
    "  --bold            draw bold characters\n"
    "  --italic          draw italic characters\n"
    "  --first-row 1|3   surface row that becomes the sign's top row: 3 (default)\n"
    "                    is the run button for computers without VB6, 1 the one\n"
    "                    for computers with VB6 installed\n"
    "  -h, --help        show this text\n"
    "\n"
    "Exit status: 0 on success, 2 for a bad option or input that is not UTF-8,\n"
    "1 for any other failure; nothing is written on standard output then.\n";

int Fail(const QString& message) {
    std::cerr << "award-banner-sketch: " << message.toStdString() << "\n"
              << "Try 'award-banner-sketch --help'.\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption fontOption("font", "face", "name");
    const QCommandLineOption boldOption("bold", "bold");
    const QCommandLineOption italicOption("italic", "italic");
    const QCommandLineOption rowOption("first-row", "first scan row", "row");
    const QCommandLineOption helpOption({"h", "help"}, "help");
    parser.addOptions({fontOption, boldOption, italicOption, rowOption, helpOption});
    parser.addOptions(award::BoardOptions());
    if (!parser.parse(arguments)) return Fail(parser.errorText());
    if (parser.isSet(helpOption)) {
        std::fputs(kUsage, stdout);
        std::fputs(award::kBoardUsage, stdout);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return Fail("unexpected argument '" + parser.positionalArguments().first() + "'");

    const QString font = parser.isSet(fontOption) ? parser.value(fontOption) : award::kMingFaceName;
    if (font != award::kMingFaceName && font != award::kKaiFaceName)
        return Fail("--font takes 新細明體 or 標楷體, not '" + font + "'");
    int firstRow = 3;
    if (parser.isSet(rowOption)) {
        const QString row = parser.value(rowOption);
        if (row != "1" && row != "3") return Fail("--first-row takes 1 or 3, not '" + row + "'");
        firstRow = row.toInt();
    }

    const std::string input{std::istreambuf_iterator<char>(std::cin),
                            std::istreambuf_iterator<char>()};
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(QByteArrayView(input.data(), qsizetype(input.size())));
    if (decoder.hasError()) return Fail("standard input is not valid UTF-8");

    try {
        award::DrawingSurface surface;
        surface.SetFontName(font);
        surface.SetFontBold(parser.isSet(boldOption));
        surface.SetFontItalic(parser.isSet(italicOption));
        award::BannerConverter converter(surface);
        if (award::BoardCommandGiven(parser))
            return award::RunBoardCommand(parser, converter.ConvertBanner(text, firstRow), argc, argv);
        const QByteArray sketch = converter.ConvertBanner(text, firstRow).toUtf8();
        if (std::fwrite(sketch.constData(), 1, size_t(sketch.size()), stdout) != size_t(sketch.size()) ||
            std::fflush(stdout) != 0) {
            std::cerr << "award-banner-sketch: could not write the sketch\n";
            return 1;
        }
    } catch (const std::exception& error) {
        std::cerr << "award-banner-sketch: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
