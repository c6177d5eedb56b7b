#pragma once

#include "board/BoardModels.h"
#include "board/CompileReport.h"
#include "board/UploadReport.h"
#include "sign/SignTarget.h"

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>
#include <optional>

namespace award {

struct SketchForm;

// Takes one sketch to the board it is aimed at: compiles it with
// arduino-builder and, when a port is given, uploads it with avrdude, both in
// the background, trying each speed the board's bootloaders answer at. A
// sketch the reader knows goes to the Mega 2560 or the HEX file as the board
// image the program writes itself, without compiling. Everything
// the tools write stays in a private folder removed when the job ends, and
// no process of theirs outlives it.
class BoardJob : public QObject {
    Q_OBJECT

public:
    enum class Stage { Compile, Write, Verify };
    // 編譯, 寫入 or 驗證, as the window and the command show the stage.
    static QString StageName(Stage stage);
    enum class Result {
        Uploaded,
        Compiled,
        ToolsMissing,
        CompileFailed,
        DoesNotFit,
        UploadFailed,
        HexNotWritten,
        // The job's folders or the sketch file could not be made.
        NotPrepared,
        Cancelled
    };

    struct Outcome {
        Result result = Result::Cancelled;
        QStringList notices;
        // The sketch line to show when the compiler pointed at one.
        std::optional<int> errorLine;
        // The program's size in flash, which is what an upload writes.
        std::optional<int> programBytes;
        // The sketch must be compiled, and there is no compiler here: the
        // Arduino IDE can take it to the board once it is exported.
        bool needsArduinoIde = false;
        // The speed the board's bootloader answered at.
        std::optional<int> baud;
        bool Succeeded() const { return result == Result::Uploaded || result == Result::Compiled; }
    };

    explicit BoardJob(QObject* parent = nullptr);
    ~BoardJob() override;

    // Each is refused while a job runs. Compiling alone tells whether the
    // sketch could be uploaded; the HEX file is what would be uploaded.
    bool StartCompile(const QString& sketch, BoardKind board = BoardKind::Mega2560) {
        return Start(sketch, Goal::Check, {}, board);
    }
    bool StartUpload(const QString& sketch, const QString& port, BoardKind board = BoardKind::Mega2560) {
        return Start(sketch, Goal::Upload, port, board);
    }
    bool StartHex(const QString& sketch, const QString& hexFile, BoardKind board = BoardKind::Mega2560) {
        return Start(sketch, Goal::WriteHex, hexFile, board);
    }
    bool Running() const { return temporary_ != nullptr; }
    // The stages the job now running goes through, in order.
    const QList<Stage>& Stages() const { return stages_; }
    // Ends the tools and every process they started, then the job.
    void Cancel();
    // The process group of the tool now running, 0 between tools.
    qint64 ToolGroup() const { return group_; }

signals:
    // percent is -1 while a stage gives no measure of its progress.
    void Progress(award::BoardJob::Stage stage, int percent);
    void Finished(const award::BoardJob::Outcome& outcome);

private:
    enum class Goal { Check, Upload, WriteHex };

    bool Start(const QString& sketch, Goal goal, const QString& target, BoardKind board);
    // Makes the job's folders and writes its one file among them, for `use`
    // (編譯用, 上傳用); why not, for the user.
    std::optional<QString> Prepare(const QString& use, const QStringList& folders, const QString& file,
                                   const QByteArray& bytes);
    static QString SketchFile();
    void Run(const QString& program, const QStringList& arguments);
    void OnOutput();
    void OnProcessEnded(bool succeeded);
    void AfterCompile(bool succeeded);
    void AfterUpload(bool succeeded);
    // Writes the board image of a sketch the reader knows instead of compiling
    // it; returns true, as Start does.
    bool StartImage(const SketchForm& shown);
    void Upload(const QString& hex);
    // Runs avrdude at the speed now tried.
    void UploadAtSpeed();
    // Tries the next speed once nothing answered at this one, if what is
    // uploaded fits under the bootloader that answers there.
    void TryNextSpeed();
    // The speeds tried before the one now tried.
    QList<int> Unanswered() const;
    std::optional<QString> WriteHex(const QString& built) const;
    void EndToolGroup();
    // Ends an upload whose board has not answered or has gone quiet.
    void OnBoardSilent();
    // Ends the job; `later` lets Start return before anyone hears of it.
    // Returns true, what Start gives for a job it took.
    bool Finish(Result result, QStringList notices, bool later = false);
    QString Elapsed() const;

    std::unique_ptr<QTemporaryDir> temporary_;
    QProcess process_;
    QProcessEnvironment environment_;
    qint64 group_ = 0;
    Goal goal_ = Goal::Check;
    BoardKind board_ = BoardKind::Mega2560;
    bool uploading_ = false;
    // The HEX file being uploaded, and the bootloader speeds to try, in turn.
    QString hex_;
    QList<BootloaderSpeed> speeds_;
    qsizetype speed_ = 0;
    bool nextSpeed_ = false;
    // The speed that answered, once the upload is verified.
    std::optional<int> baud_;
    // The port or HEX file the goal names.
    QString target_;
    QString output_;
    CompileReport compiled_;
    QString sizeNotice_;
    QList<Stage> stages_;
    bool needsArduinoIde_ = false;
    bool cancelled_ = false;
    // avrdude waits far longer than a board takes to answer, and never gives
    // up on a board that stops answering: the job watches for silence itself.
    QTimer watchdog_;
    bool boardAnswered_ = false;
    bool boardSilent_ = false;
    UploadProgress lastProgress_;
    QElapsedTimer clock_;
};

}  // namespace award
