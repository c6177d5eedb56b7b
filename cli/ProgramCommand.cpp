#include "cli/ProgramCommand.h"

#include "cli/BoardOptions.h"
#include "cli/ExitStatus.h"
#include "notices/Notices.h"
#include "program/ProgramConverter.h"
#include "files/ProgramFile.h"
#include "surface/DrawingSurface.h"

#include <cstdio>

namespace award {
namespace {

const QCommandLineOption& ProgramOption() {
    static const QCommandLineOption option("program", "節目檔", "檔案");
    return option;
}

int Fail(int status, const QString& message) {
    std::fprintf(stderr, "award-banner-sketch: %s\n", qUtf8Printable(message));
    return status;
}

}  // namespace

QString ProgramUsage() {
    using namespace exit_status;
    return QStringLiteral(
               "\n"
               "節目：\n"
               "  --program 檔案     改為寫出看板節目的程式：檔案是 CSV（UTF-8、UTF-16 或 Big5），\n"
               "                     第一列是「%1」，之後每列一項，\n"
               "                     和「節目表」視窗儲存的一樣；這時不讀標準輸入。--font、--bold、\n"
               "                     --italic、--first-row、--upload 和 --hex 照樣適用，--marquee 和\n"
               "                     --speed 不能一起用。檔案無法讀取或有一列不對（會說是第幾行）時\n"
               "                     結束狀態是 %2，節目超過 Arduino Mega 2560 放得下的長度時是 %3。\n")
        .arg(ProgramCsvHeader())
        .arg(kBadUsage)
        .arg(kDoesNotFit);
}

QList<QCommandLineOption> ProgramOptions() { return {ProgramOption()}; }

bool ProgramCommandGiven(const QCommandLineParser& parser) { return parser.isSet(ProgramOption()); }

int RunProgramCommand(const QCommandLineParser& parser, const ConversionOptions& options, int& argc, char** argv) {
    const QString path = parser.value(ProgramOption());
    const ProgramFileRead read = ReadProgramFile(path);
    if (!read.ok) return Fail(exit_status::kBadUsage, path + QStringLiteral("：") + ProgramFileProblem(read));

    DrawingSurface surface;
    ProgramConverter converter(surface);
    const QString& sketch = converter.ConvertProgram(read.program, options);
    if (converter.LastReport().refused) return Fail(exit_status::kDoesNotFit, ProgramRefusal(converter.LastReport()));
    if (BoardCommandGiven(parser)) return RunBoardCommand(parser, sketch, argc, argv);
    const QByteArray bytes = sketch.toUtf8();
    if (std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) != std::size_t(bytes.size()) ||
        std::fflush(stdout) != 0)
        return Fail(exit_status::kCannotReadOrWrite, QStringLiteral("無法寫出程式"));
    return exit_status::kDone;
}

}  // namespace award
