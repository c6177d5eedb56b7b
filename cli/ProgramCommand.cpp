#include "cli/ProgramCommand.h"

#include "cli/BoardCommands.h"
#include "conversion/ProgramConverter.h"
#include "files/ProgramFile.h"
#include "surface/DrawingSurface.h"

#include <cstdio>

namespace award {
namespace {

const QCommandLineOption& ProgramOption() {
    static const QCommandLineOption option("program", "program file", "file");
    return option;
}

int Fail(int status, const QString& message) {
    std::fprintf(stderr, "award-banner-sketch: %s\n", qUtf8Printable(message));
    return status;
}

}  // namespace

const char* const kProgramUsage =
    "\n"
    "Programs:\n"
    "  --program FILE    write the sketch of a sign program instead: a CSV file\n"
    "                    (UTF-8, UTF-16 or Big5) with the header row\n"
    "                    內容,顯示方式,停留秒數,速度,對齊 and one item a row, as the\n"
    "                    節目表 window saves it; standard input is not read.\n"
    "                    --font, --bold, --italic, --first-row, --upload and --hex\n"
    "                    apply; --marquee and --speed do not. Exit status 2 for a\n"
    "                    file that cannot be read or a bad row (with its line), 3\n"
    "                    for a program longer than an Arduino Mega 2560 holds.\n";

QList<QCommandLineOption> ProgramOptions() { return {ProgramOption()}; }

bool ProgramCommandGiven(const QCommandLineParser& parser) { return parser.isSet(ProgramOption()); }

int RunProgramCommand(const QCommandLineParser& parser, const ConversionOptions& options, int& argc, char** argv) {
    const QString path = parser.value(ProgramOption());
    const ProgramFileRead read = ReadProgramFile(path);
    if (!read.ok) return Fail(2, path + QStringLiteral("：") + ProgramFileProblem(read));

    DrawingSurface surface;
    ProgramConverter converter(surface);
    const QString& sketch = converter.ConvertProgram(read.program, options);
    if (converter.LastReport().refused) return Fail(3, converter.LastReport().why + QStringLiteral("沒有產生程式。"));
    if (BoardCommandGiven(parser)) return RunBoardCommand(parser, sketch, argc, argv);
    const QByteArray bytes = sketch.toUtf8();
    if (std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) != std::size_t(bytes.size()) ||
        std::fflush(stdout) != 0)
        return Fail(1, QStringLiteral("could not write the sketch"));
    return 0;
}

}  // namespace award
