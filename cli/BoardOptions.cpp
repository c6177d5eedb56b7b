#include "cli/BoardOptions.h"

#include "board/BoardJob.h"

#include <QCoreApplication>

#include <cstdio>

namespace award {
namespace {

const QString kUpload = QStringLiteral("upload");
const QString kHex = QStringLiteral("hex");

int ExitStatus(BoardJob::Result result) {
    switch (result) {
    case BoardJob::Result::Uploaded:
    case BoardJob::Result::Compiled:
        return 0;
    case BoardJob::Result::CompileFailed:
    case BoardJob::Result::DoesNotFit:
        return 3;
    case BoardJob::Result::UploadFailed:
    case BoardJob::Result::Cancelled:
        return 4;
    case BoardJob::Result::ToolsMissing:
        return 5;
    case BoardJob::Result::HexNotWritten:
        break;
    }
    return 1;
}

void Say(const QString& line) {
    std::fprintf(stderr, "award-banner-sketch: %s\n", qUtf8Printable(line));
}

}  // namespace

const char* const kBoardUsage =
    "\n"
    "To the board (needs the Debian packages arduino-builder, arduino-core-avr,\n"
    "gcc-avr, avr-libc and avrdude); the sketch is drawn as the options above say,\n"
    "and standard output stays empty:\n"
    "  --upload PORT     compile the sketch for the Arduino Mega 2560 and upload it\n"
    "                    through the serial port PORT (such as /dev/ttyACM0), with\n"
    "                    progress on standard error\n"
    "  --hex FILE        compile the sketch and write the program to FILE as Intel\n"
    "                    HEX, without uploading\n"
    "\n"
    "Exit status with --upload or --hex: 0 once avrdude has verified the board's\n"
    "flash, or the HEX file is written; 3 the sketch does not compile or does not\n"
    "fit the board; 4 the upload failed (no such port, no permission, port busy,\n"
    "board not answering, verification failed); 5 the Arduino tools are not\n"
    "installed; 1 the HEX file could not be written; 2 a bad option.\n";

QList<QCommandLineOption> BoardOptions() {
    return {QCommandLineOption(kUpload, QStringLiteral("upload"), QStringLiteral("port")),
            QCommandLineOption(kHex, QStringLiteral("hex"), QStringLiteral("file"))};
}

bool BoardCommandGiven(const QCommandLineParser& parser) { return parser.isSet(kUpload) || parser.isSet(kHex); }

int RunBoardCommand(const QCommandLineParser& parser, const QString& sketch, int& argc, char** argv) {
    if (parser.isSet(kUpload) && parser.isSet(kHex)) {
        Say(QStringLiteral("--upload and --hex cannot be used together"));
        return 2;
    }
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
        status = ExitStatus(outcome.result);
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
