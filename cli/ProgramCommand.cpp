#include "cli/ProgramCommand.h"

#include "cli/BoardOptions.h"
#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "notices/Notices.h"
#include "program/ProgramConverter.h"
#include "files/ProgramFile.h"
#include "surface/DrawingSurface.h"

namespace award {

using console::Fail;
using console::Say;

QString ProgramUsage() {
    using namespace exit_status;
    return QStringLiteral(
               "\n"
               "節目：\n"
               "  --program 檔案     改為寫出看板節目的程式：檔案是 CSV（UTF-8、UTF-16 或 Big5，格子\n"
               "                     以逗號、Tab 或分號分隔），第一列是「%1」，\n"
               "                     之後每列一項，和「節目表」視窗儲存的一樣；這時不讀標準輸入。\n"
               "                     --font、--bold、--italic、--first-row、--upload 和 --hex 照樣\n"
               "                     適用，--marquee 和 --speed 不能一起用。檔案無法讀取、沒有任何項目\n"
               "                     或有一列不對（會說是第幾列）時結束狀態是 %2，節目超過\n"
               "                     Arduino Mega 2560 放得下的長度時是 %3。\n")
        .arg(ProgramCsvHeader())
        .arg(kBadUsage)
        .arg(kDoesNotFit);
}

int RunProgramCommand(const CommandLine& line, int& argc, char** argv) {
    const QString& path = line.programFile;
    const ProgramFileRead read = ReadProgramFile(path);
    if (!read.ok) return Fail(exit_status::kBadUsage, path + QStringLiteral("：") + ProgramFileProblem(read));
    for (const QString& notice : read.notices) Say(notice);

    DrawingSurface surface;
    ProgramConverter converter(surface);
    const QString& sketch = converter.ConvertProgram(read.program, line.options);
    const ProgramReport& report = converter.LastReport();
    const QStringList notices =
        ProgramWarnings(report) + FaceNotices({surface.FontName(), surface.ResolvedFace(), surface.DrawsChinese()});
    // An empty program is a file to mend, not one too long for the board.
    if (report.refused) {
        for (const QString& notice : notices) Say(notice);
        return read.program.empty() ? exit_status::kBadUsage : exit_status::kDoesNotFit;
    }
    if (!line.ToBoard()) {
        if (!console::Write(sketch.toUtf8()) || std::fflush(stdout) != 0)
            return Fail(exit_status::kCannotReadOrWrite, QStringLiteral("無法寫出程式"));
    }
    for (const QString& notice : notices) Say(notice);
    if (line.ToBoard()) return RunBoardCommand(line, sketch, argc, argv);
    return exit_status::kDone;
}

}  // namespace award
