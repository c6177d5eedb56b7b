#include "ui/ProgramMenu.h"

#include "program/ProgramFormat.h"
#include "files/ProgramFile.h"
#include "sign/FigureWords.h"
#include "ui/Form1.h"
#include "ui/MessageBoxes.h"
#include "ui/LedPreview.h"
#include "ui/MenuShortcutFilter.h"
#include "ui/ProgramWindow.h"
#include "ui/ProgramWindowPlace.h"

#include <QDir>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QFileDialog>
#include <QFileInfo>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>

#include <memory>

namespace award {
namespace {

const QString kWindowPlace = QStringLiteral("programWindow/geometry");

const QString kProgramFiles = QStringLiteral("節目表 (*.csv);;所有檔案 (*)");

QString Named(const QString& path) { return QStringLiteral("「%1」").arg(QFileInfo(path).fileName()); }

// The file a program is saved to: the chosen one, with ".csv" added when
// its name has no suffix.
QString ProgramFilePath(const QString& chosenPath) {
    return QFileInfo(chosenPath).suffix().isEmpty() ? chosenPath + QStringLiteral(".csv") : chosenPath;
}

// The dialog adds ".csv" itself, so that it asks before replacing the file
// that is really written.
QString ChooseSavePath(QWidget* parent, const QString& start) {
    QFileDialog dialog(parent, QStringLiteral("儲存節目"), start, kProgramFiles);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

// A file of a few MiB takes a second to read: it is read off the window's
// thread, with a dialog that says so and keeps the windows from input
// meanwhile. A program of usual size is read at once.
ProgramFileRead ReadWhileTheWindowStaysAlive(const QString& path, QWidget* window) {
    constexpr qint64 kReadAtOnceBytes = 256 * 1024;
    if (QFileInfo(path).size() < kReadAtOnceBytes) return ReadProgramFile(path);
    ProgramFileRead read;
    std::unique_ptr<QThread> reader(QThread::create([&read, path] { read = ReadProgramFile(path); }));
    QEventLoop waiting;
    QObject::connect(reader.get(), &QThread::finished, &waiting, &QEventLoop::quit);
    QProgressDialog busy(QStringLiteral("正在讀取節目%1…").arg(Named(path)), QString(), 0, 0, window);
    busy.setWindowTitle(QStringLiteral("開啟節目"));
    busy.setWindowModality(Qt::ApplicationModal);
    busy.setCancelButton(nullptr);
    busy.show();
    reader->start();
    waiting.exec();
    reader->wait();
    return read;
}

}  // namespace

ProgramMenu::ProgramMenu(Form1& form) : QObject(&form), form_(form), window_(new ProgramWindow(form)) {
    form.ProgramMenuWidget()->addAction(QStringLiteral("節目表…"), this, [this] { ShowWindow(); });

    // Beside the banner's own entries, before the last group (結束).
    QMenu* files = form.FileMenuWidget();
    QAction* before = nullptr;
    for (QAction* action : files->actions())
        if (action->isSeparator()) before = action;
    auto* open = new QAction(QStringLiteral("開啟節目…"), files);
    auto* save = new QAction(QStringLiteral("儲存節目…"), files);
    connect(open, &QAction::triggered, this, [this] { ChooseAndOpen(); });
    connect(save, &QAction::triggered, this, [this] { ChooseAndSave(); });
    files->insertActions(before, {open, save});
    if (before) files->insertSeparator(open);
    // 結束 quits the application, which closes the main window first.
    form.installEventFilter(this);
    window_->installEventFilter(this);
}

bool ProgramMenu::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == window_ &&
        (type == QEvent::Hide || (window_->isVisible() && (type == QEvent::Move || type == QEvent::Resize))))
        QSettings().setValue(kWindowPlace, window_->saveGeometry());
    // Whichever window the user closes, or 結束, the program's edits end with it.
    if (watched == &form_ && event->type() == QEvent::Close &&
        !MaySaveFirst(QStringLiteral("結束"), QStringLiteral("節目表有尚未儲存的修改，要先儲存再結束嗎？"))) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void ProgramMenu::ShowWindow() {
    // Where the user left it last time; the first time where the LED preview
    // stays in sight.
    if (!placed_ && !window_->restoreGeometry(QSettings().value(kWindowPlace).toByteArray())) {
        const QSize decoration = window_->frameGeometry().size() - window_->size();
        const QRect preview(form_.Preview()->mapToGlobal(QPoint()), form_.Preview()->size());
        // No narrower than its buttons allow, or it would reach past the screen.
        const QSize size = window_->size().expandedTo(window_->minimumSizeHint());
        const QRect place = ProgramWindowPlace(form_.screen()->availableGeometry(), form_.frameGeometry(), preview,
                                               size + decoration);
        window_->move(place.topLeft());
        window_->resize(place.size() - decoration);
    }
    placed_ = true;
    // The main window's keys (開啟 Ctrl+O, 儲存 Ctrl+S, 上傳 Ctrl+U, ...) work
    // here too; menus may have gained items since the last time.
    window_->addActions(ShortcutActions(*form_.menuBar()));
    window_->show();
    window_->raise();
    window_->activateWindow();
}

bool ProgramMenu::Open(const QString& path) {
    ProgramFileRead read = ReadWhileTheWindowStaysAlive(path, &form_);
    // Refused before the table takes it: tens of thousands of rows would
    // hold the window up for seconds, only to be refused by 套用.
    const auto items = qsizetype(read.program.size());
    if (read.refusal || items > kProgramMaxItems) {
        Warn(&form_, QStringLiteral("無法開啟節目%1").arg(Named(path)),
             read.refusal ? read.refusal.Words()
                      : QStringLiteral("節目有 %1 項，看板最多 %2 項，多了 %3 項：請把節目分成幾個檔案。")
                            .arg(Thousands(items), Thousands(kProgramMaxItems),
                                 Thousands(items - kProgramMaxItems)));
        return false;
    }
    // Opening another program would throw away items edited since the table
    // was last opened or saved.
    if (!MaySaveFirst(QStringLiteral("開啟節目"),
                      QStringLiteral("節目表有尚未儲存的修改，開啟其他節目會取代它。要先儲存嗎？")))
        return false;
    window_->ShowItems(std::move(read.program));
    path_ = QFileInfo(path).absoluteFilePath();
    ShowWindow();
    form_.ShowNotices(QStringList{QStringLiteral("已開啟節目%1（%2），共 %3 項（看板最多 %4 項），按「套用」產生程式。")
                                      .arg(Named(path_), read.encoding)
                                      .arg(window_->Model().rowCount())
                                      .arg(Thousands(kProgramMaxItems))} +
                      read.notices);
    return true;
}

bool ProgramMenu::SaveTo(const QString& chosenPath) {
    const QString path = ProgramFilePath(chosenPath);
    if (const Refusal failure = SaveProgramFile(path, window_->Model().Items())) {
        Warn(&form_, QStringLiteral("無法儲存節目%1").arg(Named(path)), failure.why);
        return false;
    }
    path_ = QFileInfo(path).absoluteFilePath();
    window_->Model().SetModified(false);
    form_.ShowNotices({QStringLiteral("已儲存節目%1（UTF-8 CSV），共 %2 項。")
                           .arg(Named(path_))
                           .arg(window_->Model().rowCount())});
    return true;
}

QString ProgramMenu::Folder() const { return path_.isEmpty() ? QDir::homePath() : QFileInfo(path_).absolutePath(); }

void ProgramMenu::ChooseAndOpen() {
    const QString path = QFileDialog::getOpenFileName(&form_, QStringLiteral("開啟節目"), Folder(), kProgramFiles);
    if (!path.isEmpty()) Open(path);
}

void ProgramMenu::ChooseAndSave() {
    const QString path = ChooseSavePath(&form_, path_.isEmpty() ? Folder() : path_);
    if (!path.isEmpty()) SaveTo(path);
}

bool ProgramMenu::MaySaveFirst(const QString& title, const QString& question) {
    ProgramTableModel& model = window_->Model();
    if (!model.Modified() || model.rowCount() == 0) return true;
    QWidget* asking = window_->isVisible() ? static_cast<QWidget*>(window_) : &form_;
    return award::MaySaveFirst(asking, title, question, [this] {
        const QString path = path_.isEmpty() ? ChooseSavePath(&form_, Folder()) : path_;
        return !path.isEmpty() && SaveTo(path);
    });
}

}  // namespace award
