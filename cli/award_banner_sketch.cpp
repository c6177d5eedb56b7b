// award-banner-sketch: one run without the window, for scripts and checks.
// It reads banner text on standard input, or from a file named as its
// argument, as the window opens a file, and writes on standard output
// exactly what the window's run puts into its sketch area, or, with --upload
// or --hex, takes that sketch to the board or to a HEX file. It tells the user
// what the window's notices tell, in the same words, on standard error.

#include "cli/BoardOptions.h"
#include "cli/CommandHelp.h"
#include "cli/Console.h"
#include "cli/CommandLine.h"
#include "cli/ExitStatus.h"
#include "cli/ProgramCommand.h"
#include "conversion/BannerConverter.h"
#include "notices/Notices.h"
#include "files/BannerFile.h"
#include "files/RegularFile.h"
#include "files/Refused.h"
#include "surface/DrawingSurface.h"

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
    if (input.refusal == award::FileBytes::Refusal::None) return award::DecodeBannerText(input.bytes);
    return award::Refused<award::BannerText>(award::BannerText::Refusal::Unreadable, input.why);
}

int StatusOf(award::BannerText::Refusal refusal) {
    using Refusal = award::BannerText::Refusal;
    switch (refusal) {
    case Refusal::None: return kDone;
    case Refusal::NotAFile:
    case Refusal::Unreadable: return kCannotReadOrWrite;
    case Refusal::TooLarge: return kDoesNotFit;
    case Refusal::NotText:
    case Refusal::UnknownEncoding: break;
    }
    return kBadUsage;
}

int Run(int& argc, char** argv) {
    award::console::UseBinaryStreams();
    const QStringList arguments = award::console::Arguments(argc, argv);
    const award::CommandLineRead read = award::ReadCommandLine(arguments);
    if (!read.line) return Fail(kBadUsage, read.why, true);
    const award::CommandLine& line = *read.line;
    if (line.help) {
        if (!Write((award::CommandHelp() + award::ProgramUsage()).toUtf8()) || std::fflush(stdout) != 0)
            return Fail(kCannotReadOrWrite, QStringLiteral("無法寫出說明"));
        return kDone;
    }
    if (!line.programFile.isEmpty()) return award::RunProgramCommand(line, argc, argv);

    const bool fromFile = !line.bannerFile.isEmpty();
    const award::BannerText banner = fromFile ? award::ReadBannerFile(line.bannerFile) : StandardInput();
    const QString source = fromFile ? QStringLiteral("「%1」").arg(line.bannerFile) : QStringLiteral("標準輸入");
    if (banner.refusal != award::BannerText::Refusal::None)
        return Fail(StatusOf(banner.refusal), QStringLiteral("無法讀取%1：%2").arg(source, banner.why));
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
    if (report.refused) {
        for (const QString& warning : warnings) Say(warning);
        return kDoesNotFit;
    }
    if (!line.ToBoard()) {
        written = written && Write(sketch.toUtf8());
        if (!written || std::fflush(stdout) != 0) return Fail(kCannotReadOrWrite, QStringLiteral("無法寫出程式"));
    }
    for (const QString& warning : warnings) Say(warning);
    if (line.ToBoard()) return award::RunBoardCommand(line, sketch, argc, argv);
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
