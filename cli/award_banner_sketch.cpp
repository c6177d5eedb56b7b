// award-banner-sketch: one run without the window, for scripts and checks.
// It reads banner text on standard input, or from a file named as its
// argument, as the window opens a file, and writes on standard output
// exactly what the window's run puts into its sketch area, or, with --upload
// or --hex, takes that sketch to the board or to a HEX file. It tells the user
// what the window's notices tell, in the same words, on standard error.

#include "cli/BoardOptions.h"
#include "cli/CommandHelp.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "conversion/BannerConverter.h"
#include "notices/Notices.h"
#include "program/ProgramConverter.h"
#include "files/BannerFile.h"
#include "files/ProgramFile.h"
#include "files/RegularFile.h"
#include "surface/DrawingSurface.h"

#include <QCoreApplication>

#include <unistd.h>

#include <cstdio>
#include <exception>
#include <new>

namespace {

using namespace award::exit_status;
using award::console::Fail;
using award::console::Say;
using award::console::Write;

// Standard input read as the window reads a file.
award::BannerText StandardInput() {
    const award::FileBytes input = award::ReadUpTo(STDIN_FILENO, award::kMaxBannerFileBytes);
    if (input.refusal) return Refuse<award::BannerText>(input.refusal);
    return award::DecodeBannerText(input.bytes);
}

// --program FILE.csv: the companion command writes the sketch of a program
// file instead of a banner. The --help section for it, in the words of the
// rest of the help.
QString ProgramUsage() {
    return QStringLiteral(
               "\n"
               "節目：\n"
               "  --program 檔案     改為寫出看板節目的程式：檔案是 CSV（UTF-8、UTF-16 或 Big5，格子\n"
               "                     以逗號、Tab 或分號分隔），第一列是「%1」，\n"
               "                     之後每列一項，和「節目表」視窗儲存的一樣；這時不讀標準輸入。\n"
               "                     有圖片時第一列是\n"
               "                     「%4」，\n"
               "                     圖片的路徑從 CSV 檔所在的資料夾算起。\n"
               "                     --font、--bold、--italic、--first-row、--upload 和 --hex 照樣\n"
               "                     適用，--marquee 和 --speed 不能一起用。檔案無法讀取、沒有任何項目\n"
               "                     或有一列不對（會說是第幾列）時結束狀態是 %2，節目超過\n"
               "                     所選控制板放得下的長度時是 %3。--sign、--board 和 --brightness\n"
               "                     也照樣適用。\n")
        .arg(award::ProgramCsvHeader())
        .arg(kBadUsage)
        .arg(kDoesNotFit)
        .arg(award::ProgramCsvColumns().join(u','));
}

// Reads the file, writes its sketch in the face, style and first scan row the
// command line asks for on standard output or takes it to the board as
// --upload and --hex say, and returns the exit status.
int RunProgramCommand(const award::CommandLine& line, int& argc, char** argv) {
    const QString& path = line.programFile;
    // Qt finds its picture readers (JPEG, GIF) beside the program, where
    // qt.conf says, only with an application.
    const QCoreApplication application(argc, argv);
    const award::ProgramFileRead read = award::ReadProgramFile(path);
    if (read.refusal) return Fail(kBadUsage, path + QStringLiteral("：") + read.refusal.Words());
    for (const QString& notice : read.notices) Say(notice);

    award::DrawingSurface surface;
    award::ProgramConverter converter(surface);
    const QString& sketch = converter.ConvertProgram(read.program, line.options);
    const award::ProgramReport& report = converter.LastReport();
    const QStringList notices =
        award::ProgramWarnings(report) +
        award::FaceNotices({surface.FontName(), surface.ResolvedFace(), surface.DrawsChinese()});
    // An empty program is a file to mend, not one too long for the board.
    if (report.refusal) {
        for (const QString& notice : notices) Say(notice);
        return read.program.empty() ? kBadUsage : kDoesNotFit;
    }
    return award::DeliverSketch(line, sketch, notices, argc, argv);
}

int StatusOf(const award::Refusal& refusal) {
    using Kind = award::Refusal::Kind;
    switch (refusal.kind) {
    case Kind::NotAFile:
    case Kind::Unreadable:
    case Kind::Unwritable: return kCannotReadOrWrite;
    case Kind::TooLarge:
    case Kind::DoesNotFit:
    case Kind::StackTooSmall: return kDoesNotFit;
    case Kind::Malformed:
    case Kind::NotText:
    case Kind::BrokenCharacters:
    case Kind::UnknownEncoding: break;
    }
    return kBadUsage;
}

int Run(int& argc, char** argv) {
    award::console::UseBinaryStreams();
    const QStringList arguments = award::console::Arguments(argc, argv);
    const award::CommandLineRead read = award::ReadCommandLine(arguments);
    if (!read.line) return Fail(kBadUsage, read.refusal.why, true);
    const award::CommandLine& line = *read.line;
    if (line.help) {
        if (!Write((award::CommandHelp() + ProgramUsage()).toUtf8()) || std::fflush(stdout) != 0)
            return Fail(kCannotReadOrWrite, QStringLiteral("無法寫出說明"));
        return kDone;
    }
    if (!line.programFile.isEmpty()) return RunProgramCommand(line, argc, argv);

    const bool fromFile = !line.bannerFile.isEmpty();
    const award::BannerText banner = fromFile ? award::ReadBannerFile(line.bannerFile) : StandardInput();
    const QString source = fromFile ? QStringLiteral("「%1」").arg(line.bannerFile) : QStringLiteral("標準輸入");
    if (banner.refusal)
        return Fail(StatusOf(banner.refusal), QStringLiteral("無法讀取%1：%2").arg(source, banner.refusal.why));
    // UTF-8 goes without saying; any other encoding the window names too.
    if (banner.form.encoding != award::TextEncoding::Utf8)
        Say(QStringLiteral("%1的文字是 %2。").arg(source, award::EncodingName(banner.form.encoding)));
    for (const QString& notice : banner.notices) Say(notice);

    const bool marquee = line.options.mode == award::DisplayMode::Marquee;
    award::DrawingSurface surface;
    award::BannerConverter converter(surface);
    // Compiling and uploading take the whole sketch; standard output takes
    // it as it is written.
    bool written = true;
    if (!marquee && !line.ToBoard())
        converter.SetSketchSink([&](const QString& piece) { written = written && Write(piece.toUtf8()); });
    const QString& sketch = converter.Convert(banner.text, line.options);
    const award::RunReport& report = converter.LastRunReport();
    const QStringList warnings = award::RunWarnings(report) +
                                 award::FaceNotices({surface.FontName(), surface.ResolvedFace(), surface.DrawsChinese()});
    if (report.refusal) {
        for (const QString& warning : warnings) Say(warning);
        return kDoesNotFit;
    }
    return award::DeliverSketch(line, sketch, warnings, argc, argv, written);
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
