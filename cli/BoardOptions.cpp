#include "cli/BoardOptions.h"

#include "board/BoardJob.h"
#include "cli/ExitStatus.h"

#include <QCoreApplication>

#include <cstdio>

namespace award {
namespace {

const QString kUpload = QStringLiteral("upload");
const QString kHex = QStringLiteral("hex");

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

void Say(const QString& line) {
    std::fprintf(stderr, "award-banner-sketch: %s\n", qUtf8Printable(line));
}

}  // namespace

QList<QCommandLineOption> BoardOptions() {
    return {QCommandLineOption(kUpload, QStringLiteral("upload"), QStringLiteral("port")),
            QCommandLineOption(kHex, QStringLiteral("hex"), QStringLiteral("file"))};
}

bool BoardCommandGiven(const QCommandLineParser& parser) { return parser.isSet(kUpload) || parser.isSet(kHex); }

std::optional<QString> BoardOptionsConflict(const QCommandLineParser& parser) {
    if (parser.isSet(kUpload) && parser.isSet(kHex)) return QStringLiteral("--upload 和 --hex 不能同時使用");
    return std::nullopt;
}

int RunBoardCommand(const QCommandLineParser& parser, const QString& sketch, int& argc, char** argv) {
    QCoreApplication application(argc, argv);
    BoardJob job;
    int status = -1;
    QString shown;
    QObject::connect(&job, &BoardJob::Progress, [&](BoardJob::Stage stage, int percent) {
        // A line per stage and per quarter of it is enough to see it move.
        const QString line = BoardJob::StageName(stage) +
                             (percent < 0 ? QStringLiteral("…") : QStringLiteral(" %1%").arg(percent / 25 * 25));
        if (line != shown) Say(shown = line);
    });
    QObject::connect(&job, &BoardJob::Finished, [&](const BoardJob::Outcome& outcome) {
        for (const QString& notice : outcome.notices) Say(notice);
        status = StatusOf(outcome.result);
        application.quit();
    });
    if (parser.isSet(kUpload))
        job.StartUpload(sketch, parser.value(kUpload));
    else
        job.StartHex(sketch, parser.value(kHex));
    if (status < 0) application.exec();
    return status;
}

}  // namespace award
