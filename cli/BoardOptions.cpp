#include "cli/BoardOptions.h"

#include "board/BoardJob.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/StageProgress.h"

#include <QCoreApplication>

#include <optional>

namespace award {
namespace {

using console::Say;

int StatusOf(BoardJob::Result result) {
    using namespace exit_status;
    switch (result) {
    case BoardJob::Result::Uploaded:
    case BoardJob::Result::Compiled:
        return kDone;
    case BoardJob::Result::CompileFailed:
    case BoardJob::Result::DoesNotFit:
        return kDoesNotFit;
    case BoardJob::Result::UploadFailed:
    case BoardJob::Result::Cancelled:
        return kUploadFailed;
    case BoardJob::Result::ToolsMissing:
        return kToolsMissing;
    case BoardJob::Result::HexNotWritten:
    case BoardJob::Result::NotPrepared:
        break;
    }
    return kCannotReadOrWrite;
}

// Runs what --upload or --hex asks for and returns the exit status.
int RunBoardCommand(const CommandLine& line, const QString& sketch, int& argc, char** argv) {
    // A program's pictures may have been read with one already.
    std::optional<QCoreApplication> own;
    if (!QCoreApplication::instance()) own.emplace(argc, argv);
    QCoreApplication& application = *QCoreApplication::instance();
    BoardJob job;
    int status = -1;
    StageProgress progress;
    QObject::connect(&job, &BoardJob::Progress, [&](BoardJob::Stage stage, int percent) {
        for (const QString& shown : progress.Report(stage, percent)) Say(shown);
    });
    QObject::connect(&job, &BoardJob::Finished, [&](const BoardJob::Outcome& outcome) {
        for (const QString& notice : outcome.notices) Say(notice);
        status = StatusOf(outcome.result);
        application.quit();
    });
    if (!line.uploadPort.isEmpty())
        job.StartUpload(sketch, line.uploadPort, line.options.target.board);
    else
        job.StartHex(sketch, line.hexFile, line.options.target.board);
    if (status < 0) application.exec();
    return status;
}

}  // namespace

int DeliverSketch(const CommandLine& line, const QString& sketch, const QStringList& notices, int& argc,
                  char** argv, bool written) {
    if (!line.ToBoard() && (!written || !console::Write(sketch.toUtf8()) || std::fflush(stdout) != 0))
        return console::Fail(exit_status::kCannotReadOrWrite, QStringLiteral("無法寫出程式"));
    for (const QString& notice : notices) Say(notice);
    return line.ToBoard() ? RunBoardCommand(line, sketch, argc, argv) : exit_status::kDone;
}

}  // namespace award
