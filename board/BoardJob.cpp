#include "board/BoardJob.h"

#include "board/BoardToolchain.h"

#include <QDir>
#include <QFile>
#include <QTimer>

namespace award {
namespace {

// arduino-builder names the program after the sketch folder, as the IDE does.
const QString kSketchName = QStringLiteral("banner");

}  // namespace

QString BoardJob::StageName(Stage stage) {
    switch (stage) {
    case Stage::Compile: return QStringLiteral("編譯");
    case Stage::Write: return QStringLiteral("寫入");
    case Stage::Verify: return QStringLiteral("驗證");
    }
    return {};
}

BoardJob::BoardJob(QObject* parent) : QObject(parent) {
    // The tools' messages are read for their meaning, so they must come in
    // the words and quotes this program knows.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process_.setProcessEnvironment(environment);
    process_.setProcessChannelMode(QProcess::MergedChannels);
    connect(&process_, &QProcess::readyRead, this, &BoardJob::OnOutput);
    connect(&process_, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        OnProcessEnded(status == QProcess::NormalExit && code == 0);
    });
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            Finish(Result::ToolsMissing, {QStringLiteral("無法啟動 %1：%2").arg(process_.program(), process_.errorString())});
    });
}

BoardJob::~BoardJob() {
    // A tool left running would write into a folder that is being removed.
    process_.disconnect(this);
    process_.kill();
    process_.waitForFinished();
}

bool BoardJob::Start(const QString& sketch, Goal goal, const QString& target) {
    if (Running()) return false;
    temporary_ = std::make_unique<QTemporaryDir>();
    goal_ = goal;
    target_ = target;
    uploading_ = false;
    cancelled_ = false;
    compiled_ = {};
    clock_.start();

    if (const QStringList missing = toolchain::MissingPackages(); !missing.isEmpty()) {
        Finish(Result::ToolsMissing, {toolchain::MissingPackagesAdvice(missing)}, true);
        return true;
    }
    if (goal == Goal::Upload && target.isEmpty()) {
        Finish(Result::UploadFailed,
               {QStringLiteral("沒有選擇序列埠，也找不到看板：請用 USB 線接上看板，再選擇它的序列埠")}, true);
        return true;
    }
    const QDir folder(temporary_->path());
    QFile file(folder.filePath(kSketchName + u'/' + kSketchName + QStringLiteral(".ino")));
    const QByteArray text = sketch.toUtf8();
    if (!temporary_->isValid() || !folder.mkpath(kSketchName) || !folder.mkpath(QStringLiteral("build")) ||
        !QDir().mkpath(toolchain::CoreCacheFolder()) || !file.open(QIODevice::WriteOnly) ||
        file.write(text) != text.size() || !file.flush()) {
        Finish(Result::CompileFailed, {QStringLiteral("無法準備編譯用的暫存資料夾：%1")
                                           .arg(temporary_->isValid() ? file.errorString() : temporary_->errorString())},
               true);
        return true;
    }
    file.close();
    Run(toolchain::CompilerProgram(), toolchain::CompileArguments(file.fileName(), folder.filePath(QStringLiteral("build"))));
    emit Progress(Stage::Compile, -1);
    return true;
}

void BoardJob::Run(const QString& program, const QStringList& arguments) {
    output_.clear();
    process_.start(program, arguments);
}

void BoardJob::Cancel() {
    if (!Running() || process_.state() == QProcess::NotRunning) return;
    cancelled_ = true;
    process_.kill();
}

void BoardJob::OnOutput() {
    output_ += QString::fromUtf8(process_.readAll());
    if (!uploading_) return;
    if (PortOpenFailed(output_)) {
        process_.kill();
        return;
    }
    const UploadProgress progress = ProgressOf(output_);
    emit Progress(progress.stage == UploadProgress::Stage::Write ? Stage::Write : Stage::Verify, progress.percent);
}

void BoardJob::OnProcessEnded(bool succeeded) {
    OnOutput();
    if (cancelled_) {
        Finish(Result::Cancelled, {uploading_ ? QStringLiteral("已取消上傳：看板上的程式可能不完整，請再上傳一次")
                                              : QStringLiteral("已取消編譯")});
    } else if (uploading_) {
        AfterUpload(succeeded);
    } else {
        AfterCompile(succeeded);
    }
}

void BoardJob::AfterCompile(bool succeeded) {
    compiled_ = ReadCompileOutput(output_, kSketchName + QStringLiteral(".ino"), succeeded);
    const QString size = compiled_.SizeNotice();
    if (!compiled_.Uploadable()) {
        QStringList notices{compiled_.problem};
        if (!size.isEmpty()) notices << size;
        Finish(compiled_.fits ? Result::CompileFailed : Result::DoesNotFit, notices);
        return;
    }
    const QString hex = QDir(temporary_->path()).filePath(QStringLiteral("build/") + kSketchName + QStringLiteral(".ino.hex"));
    switch (goal_) {
    case Goal::Check:
        Finish(Result::Compiled, {QStringLiteral("編譯成功，可以上傳到看板（%1）").arg(Elapsed()), size});
        break;
    case Goal::WriteHex:
        if ((QFile::exists(target_) && !QFile::remove(target_)) || !QFile::copy(hex, target_))
            Finish(Result::HexNotWritten, {QStringLiteral("無法寫出 %1").arg(target_)});
        else
            Finish(Result::Compiled, {QStringLiteral("已寫出 %1").arg(target_), size});
        break;
    case Goal::Upload:
        uploading_ = true;
        Run(toolchain::UploaderProgram(), toolchain::UploadArguments(target_, hex));
        emit Progress(Stage::Write, 0);
        break;
    }
}

void BoardJob::AfterUpload(bool succeeded) {
    const std::optional<int> verified = VerifiedBytes(output_);
    if (succeeded && verified)
        Finish(Result::Uploaded, {QStringLiteral("上傳完成：已寫入並驗證 %1 位元組（%2）").arg(ByteCount(*verified), Elapsed()),
                                  compiled_.SizeNotice()});
    else
        Finish(Result::UploadFailed, {UploadProblem(output_, target_)});
}

void BoardJob::Finish(Result result, QStringList notices, bool later) {
    if (later) {
        QTimer::singleShot(0, this, [this, result, notices] { Finish(result, notices); });
        return;
    }
    temporary_.reset();
    emit Finished({result, notices, compiled_.errorLine, compiled_.programBytes});
}

QString BoardJob::Elapsed() const {
    return QStringLiteral("用時 %1 秒").arg(double(clock_.elapsed()) / 1000.0, 0, 'f', 1);
}

}  // namespace award
