#include "board/BoardJob.h"

#include "board/BoardTargets.h"
#include "board/BoardToolchain.h"
#include "board/ProcessGroup.h"
#include "files/AtomicFile.h"
#include "sign/BoardMemories.h"
#include "sign/FigureWords.h"

#ifdef AWARD_BOARD_IMAGE
#include "reading/SketchReader.h"
#include "image/FlashImage.h"
#include "image/IntelHex.h"
#endif

#include <QDir>
#include <QFile>

#include <filesystem>
#include <system_error>
#include <utility>

namespace award {
namespace {

// arduino-builder names the program after the sketch folder, as the IDE does.
const QString kSketchName = QStringLiteral("banner");

// How long cancelled tools get to clean up after themselves before they are killed.
constexpr int kCancelGraceMilliseconds = 1000;
// How long a killed group may take to be gone before its folder is removed anyway.
constexpr std::chrono::milliseconds kKilledGroupWait{2000};
// A Mega's or an Uno's bootloader answers within a second of the port
// opening; a port with no board behind it never does, nor a bootloader that
// listens at another speed.
constexpr int kBoardAnswerMilliseconds = 5000;
// Once writing has begun avrdude reports progress several times a second;
// this long without a word means the board is gone.
constexpr int kBoardSilenceMilliseconds = 5000;

// Makes the folder and those above it; why not, in the system's words.
std::optional<QString> MakeFolder(const QString& path) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path.toStdU16String()), error);
    if (!error) return std::nullopt;
    return QStringLiteral("無法建立資料夾 %1：%2").arg(path, QString::fromLocal8Bit(error.message().c_str()));
}

// The sketch file for the compiler. Unbuffered, so that a failed write is
// told in the system's words: a full disk must be called by its name.
std::optional<QString> WriteNewFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered) &&
        file.write(bytes) == bytes.size())
        return std::nullopt;
    return file.errorString();
}

// What the user hears when a sketch must be compiled and cannot be here.
const QString kNeedsArduinoIde = QStringLiteral(
    "這份程式跟本程式產生的不一樣（例如 setup 或 loop 改過），要先編譯才能上傳，這台電腦沒有編譯用的工具："
    "請用 檔案 ▸ 匯出 Arduino 草稿（Ctrl+E），再用 Arduino IDE 開啟、上傳");
// The same for a board the program has no image for.
#ifdef AWARD_BOARD_IMAGE
constexpr bool kBoardImage = true;
// What the board image shows without compiling: the sketches the reader knows.
std::optional<SketchForm> Shown(const QString& sketch) { return ReadSketch(sketch); }
#else
constexpr bool kBoardImage = false;
// Without the board image every sketch is compiled.
std::optional<bool> Shown(const QString&) { return std::nullopt; }
#endif

bool OutOfSpace(const QString& output) { return output.contains(QLatin1String("No space left on device")); }

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
    environment_ = QProcessEnvironment::systemEnvironment();
    environment_.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    // The tools and all they start form one group that cancelling ends whole.
    process_group::LeadNewGroup(process_);
    process_.setProcessChannelMode(QProcess::MergedChannels);
    connect(&process_, &QProcess::readyRead, this, &BoardJob::OnOutput);
    connect(&process_, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        OnProcessEnded(status == QProcess::NormalExit && code == 0);
    });
    watchdog_.setSingleShot(true);
    connect(&watchdog_, &QTimer::timeout, this, &BoardJob::OnBoardSilent);
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            Finish(Result::ToolsMissing, {QStringLiteral("無法啟動 %1：%2").arg(process_.program(), process_.errorString())});
    });
}

BoardJob::~BoardJob() {
    // A tool left running would write into a folder that is being removed.
    process_.disconnect(this);
    EndToolGroup();
    process_.waitForFinished();
}

void BoardJob::EndToolGroup() {
    process_group::ForceEnd(group_);
    process_group::AwaitEnd(group_, kKilledGroupWait);
}

bool BoardJob::Start(const QString& sketch, Goal goal, const QString& target, BoardKind board) {
    if (Running()) return false;
    temporary_ = std::make_unique<QTemporaryDir>();
    goal_ = goal;
    target_ = target;
    board_ = board;
    speeds_ = BootloaderSpeeds(board);
    speed_ = 0;
    nextSpeed_ = false;
    uploading_ = false;
    cancelled_ = false;
    boardAnswered_ = false;
    boardSilent_ = false;
    lastProgress_ = {};
    compiled_ = {};
    sizeNotice_.clear();
    needsArduinoIde_ = false;
    clock_.start();

    // 編譯檢查 always compiles; the rest compiles only what the reader does not know.
    const auto shown = goal != Goal::Check ? Shown(sketch) : std::nullopt;
    const bool imaged = shown.has_value();
    stages_ = imaged ? QList<Stage>{} : QList<Stage>{Stage::Compile};
    if (goal == Goal::Upload) stages_ << Stage::Write << Stage::Verify;
    const QStringList missing = !imaged                  ? toolchain::MissingPackages()
                                : goal == Goal::Upload ? toolchain::MissingUploadPackages()
                                                         : QStringList{};
    if (!missing.isEmpty()) {
        QStringList notices;
        // A sketch the program can make the image of needs no compiler, only avrdude.
        needsArduinoIde_ = kBoardImage && goal != Goal::Check && !imaged;
        if (needsArduinoIde_) notices << kNeedsArduinoIde;
        notices << toolchain::MissingPackagesAdvice(missing);
        return Finish(Result::ToolsMissing, notices, true);
    }
    if (goal == Goal::Upload && target.isEmpty())
        return Finish(Result::UploadFailed,
                      {QStringLiteral("沒有選擇序列埠，也找不到看板：請用 USB 線接上看板，再選擇它的序列埠")}, true);
    if (const auto problem = goal == Goal::WriteHex ? HexTargetProblem(target)
                             : goal == Goal::Upload ? UploadPortProblem(target, board)
                                                    : std::nullopt)
        return Finish(goal == Goal::WriteHex ? Result::HexNotWritten : Result::UploadFailed, {*problem}, true);
#ifdef AWARD_BOARD_IMAGE
    if (imaged) return StartImage(*shown);
#endif
    const QStringList folders{kSketchName, QStringLiteral("build"), QStringLiteral("tmp"),
                              toolchain::CoreCacheFolder()};
    if (const auto problem = Prepare(QStringLiteral("編譯用"), folders, SketchFile(), sketch.toUtf8()))
        return Finish(Result::NotPrepared, {*problem}, true);
    const QDir folder(temporary_->path());
    Run(toolchain::CompilerProgram(),
        toolchain::CompileArguments(folder.filePath(SketchFile()), folder.filePath(QStringLiteral("build")), board));
    emit Progress(Stage::Compile, -1);
    return true;
}

QString BoardJob::SketchFile() { return kSketchName + u'/' + kSketchName + QStringLiteral(".ino"); }

std::optional<QString> BoardJob::Prepare(const QString& use, const QStringList& folders, const QString& file,
                                         const QByteArray& bytes) {
    if (!temporary_->isValid()) return QStringLiteral("無法建立%1的暫存資料夾：%2").arg(use, temporary_->errorString());
    const QDir folder(temporary_->path());
    for (const QString& path : folders)
        if (auto problem = MakeFolder(folder.filePath(path))) return problem;
    if (const auto problem = WriteNewFile(folder.filePath(file), bytes))
        return QStringLiteral("無法寫入%1的暫存資料夾 %2：%3").arg(use, folder.path(), *problem);
    return std::nullopt;
}

void BoardJob::Run(const QString& program, const QStringList& arguments) {
    output_.clear();
    // Whatever the compiler writes for itself stays in the job's folder too.
    QProcessEnvironment environment = environment_;
    environment.insert(QStringLiteral("TMPDIR"), QDir(temporary_->path()).filePath(QStringLiteral("tmp")));
    process_.setProcessEnvironment(environment);
    process_.start(program, arguments);
    group_ = process_.processId();
}

void BoardJob::Cancel() {
    if (!Running() || process_.state() == QProcess::NotRunning) return;
    cancelled_ = true;
    watchdog_.stop();
    process_group::AskToEnd(group_);
    QTimer::singleShot(kCancelGraceMilliseconds, this, [this, group = group_] {
        if (group == group_) process_group::ForceEnd(group);
    });
}

void BoardJob::OnOutput() {
    output_ += QString::fromUtf8(process_.readAll());
    if (!uploading_) return;
    if (PortOpenFailed(output_)) {
        process_.kill();
        return;
    }
    const UploadProgress progress = ProgressOf(output_);
    // Only an answer or progress counts as the board's word: avrdude's own
    // retries and complaints are no sign of it.
    const bool heard = !boardAnswered_ && BoardAnswered(output_);
    if (heard || (boardAnswered_ && (progress.stage != lastProgress_.stage || progress.percent != lastProgress_.percent))) {
        boardAnswered_ = true;
        watchdog_.start(kBoardSilenceMilliseconds);
    }
    lastProgress_ = progress;
    emit Progress(progress.stage == UploadProgress::Stage::Write ? Stage::Write : Stage::Verify, progress.percent);
}

void BoardJob::OnBoardSilent() {
    if (!uploading_ || process_.state() == QProcess::NotRunning) return;
    // A board that never answered may listen at the next speed; one that
    // went quiet while writing is gone.
    if (!boardAnswered_ && speed_ + 1 < speeds_.size())
        nextSpeed_ = true;
    else
        boardSilent_ = true;
    process_group::ForceEnd(group_);
}

void BoardJob::OnProcessEnded(bool succeeded) {
    OnOutput();
    watchdog_.stop();
    // Nothing the tool started may go on writing once the job ends.
    EndToolGroup();
    group_ = 0;
    if (cancelled_) {
        Finish(Result::Cancelled, {uploading_ ? QStringLiteral("已取消上傳：看板上的程式可能不完整，請再上傳一次")
                                              : QStringLiteral("已取消編譯")});
    } else if (uploading_ && nextSpeed_) {
        TryNextSpeed();
    } else if (uploading_) {
        AfterUpload(succeeded);
    } else {
        AfterCompile(succeeded);
    }
}

void BoardJob::AfterCompile(bool succeeded) {
    if (!succeeded && OutOfSpace(output_)) {
        Finish(Result::NotPrepared,
               {QStringLiteral("編譯用的暫存資料夾 %1 所在的磁碟已滿（No space left on device）").arg(temporary_->path())});
        return;
    }
    compiled_ = ReadCompileOutput(output_, kSketchName + QStringLiteral(".ino"), succeeded, board_);
    const QString size = sizeNotice_ = compiled_.SizeNotice();
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
        if (const auto problem = WriteHex(hex))
            Finish(Result::HexNotWritten, {*problem});
        else
            Finish(Result::Compiled, {QStringLiteral("已寫出 %1").arg(target_), size});
        break;
    case Goal::Upload:
        Upload(hex);
        break;
    }
}

void BoardJob::Upload(const QString& hex) {
    hex_ = hex;
    speed_ = 0;
    UploadAtSpeed();
}

void BoardJob::UploadAtSpeed() {
    uploading_ = true;
    boardAnswered_ = false;
    lastProgress_ = {};
    Run(toolchain::UploaderProgram(), toolchain::UploadArguments(target_, hex_, board_, speeds_[speed_].baud));
    watchdog_.start(kBoardAnswerMilliseconds);
    emit Progress(Stage::Write, 0);
}

void BoardJob::TryNextSpeed() {
    nextSpeed_ = false;
    ++speed_;
    const BootloaderSpeed& speed = speeds_[speed_];
    // Refused before writing: the pages past its limit would not be written,
    // and the upload would end in a failed verification.
    if (compiled_.programBytes && *compiled_.programBytes > speed.programBytes) {
        Finish(Result::DoesNotFit, {TooBigForBootloader(speed, *compiled_.programBytes, Unanswered())});
        return;
    }
    UploadAtSpeed();
}

QList<int> BoardJob::Unanswered() const {
    QList<int> bauds;
    for (qsizetype i = 0; i < speed_; ++i) bauds << speeds_[i].baud;
    return bauds;
}

#ifdef AWARD_BOARD_IMAGE
bool BoardJob::StartImage(const SketchForm& shown) {
    // The image drives the board the sketch was written for, which must be
    // the one chosen.
    const BoardKind written = std::visit([](const auto& form) { return form.target.board; }, shown);
    if (written != board_)
        return Finish(Result::DoesNotFit,
                      {QStringLiteral("這份程式是給 %1 的，看板 ▸ 控制板 選的是 %2：請改選控制板，或再按一次執行")
                           .arg(ModelOf(written).name, ModelOf(board_).name)},
                      true);
    const auto built = BuildFlashImage(shown);
    if (const auto* refusal = std::get_if<Refusal>(&built)) {
        // Told as a compiled sketch's size is, naming the board.
        const int bytes = int(refusal->bytes);
        const bool tooBig = refusal->kind == Refusal::Kind::DoesNotFit;
        return Finish(Result::DoesNotFit, {tooBig ? CapacityProblem(bytes, 0, board_) : CapacityProblem(0, bytes, board_)},
                      true);
    }
    const QByteArray& image = std::get<QByteArray>(built);
    const int limit = ModelOf(board_).programBytes;
    if (image.size() > limit) return Finish(Result::DoesNotFit, {CapacityProblem(int(image.size()), 0, board_)}, true);
    compiled_.programBytes = int(image.size());
    sizeNotice_ = QStringLiteral("看板映像 %1 位元組（上限 %2），不必編譯").arg(Thousands(int(image.size())), Thousands(limit));
    const QByteArray hex = IntelHex(image);
    if (goal_ == Goal::WriteHex) {
        if (const Refusal problem = WriteAtomically(target_, hex))
            return Finish(Result::HexNotWritten, {QStringLiteral("無法寫出 %1：%2").arg(target_, problem.why)}, true);
        return Finish(Result::Compiled, {QStringLiteral("已寫出 %1").arg(target_), sizeNotice_}, true);
    }
    const QString file = kSketchName + QStringLiteral(".hex");
    if (const auto problem = Prepare(QStringLiteral("上傳用"), {QStringLiteral("tmp")}, file, hex))
        return Finish(Result::NotPrepared, {*problem}, true);
    Upload(QDir(temporary_->path()).filePath(file));
    return true;
}
#endif

std::optional<QString> BoardJob::WriteHex(const QString& built) const {
    // The target is checked again: something else may have taken its place
    // while the sketch compiled.
    if (auto problem = HexTargetProblem(target_)) return problem;
    QFile file(built);
    // A file that does not open has its error too.
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (file.error() != QFileDevice::NoError)
        return QStringLiteral("無法讀取編譯出的 HEX 檔：%1").arg(file.errorString());
    if (const Refusal problem = WriteAtomically(target_, bytes))
        return QStringLiteral("無法寫出 %1：%2").arg(target_, problem.why);
    return std::nullopt;
}

void BoardJob::AfterUpload(bool succeeded) {
    const std::optional<int> verified = VerifiedBytes(output_);
    if (boardSilent_ && boardAnswered_) {
        Finish(Result::UploadFailed, {ConnectionLost(target_)});
    } else if (boardSilent_) {
        QList<int> tried = Unanswered();
        if (tried.size() > 0) tried << speeds_[speed_].baud;
        Finish(Result::UploadFailed,
               {NoBoardOnPort(target_, int(speed_ + 1) * kBoardAnswerMilliseconds / 1000, board_, tried)});
    } else if (succeeded && verified) {
        QStringList notices{
            QStringLiteral("上傳完成：已寫入並驗證 %1 位元組（%2）").arg(Thousands(*verified), Elapsed())};
        if (const QString answered = BoardThatAnswered(speeds_[speed_], Unanswered()); !answered.isEmpty())
            notices << answered;
        baud_ = speeds_[speed_].baud;
        Finish(Result::Uploaded, notices << sizeNotice_);
    } else {
        Finish(Result::UploadFailed, {UploadProblem(output_, target_, board_)});
    }
}

bool BoardJob::Finish(Result result, QStringList notices, bool later) {
    if (later) {
        QTimer::singleShot(0, this, [this, result, notices] { Finish(result, notices); });
        return true;
    }
    temporary_.reset();
    const std::optional<int> baud = std::exchange(baud_, std::nullopt);
    emit Finished({result, notices, compiled_.errorLine, compiled_.programBytes, needsArduinoIde_, baud});
    return true;
}

QString BoardJob::Elapsed() const {
    return QStringLiteral("用時 %1 秒").arg(double(clock_.elapsed()) / 1000.0, 0, 'f', 1);
}

}  // namespace award
