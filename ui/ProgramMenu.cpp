#include "ui/ProgramMenu.h"

#include "files/ProgramFile.h"
#include "ui/Form1.h"
#include "ui/MessageBoxes.h"
#include "ui/ProgramWindow.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QScreen>

#include <algorithm>

namespace award {
namespace {

const QString kProgramFiles = QStringLiteral("節目表 (*.csv);;所有檔案 (*)");

QString Named(const QString& path) { return QStringLiteral("「%1」").arg(QFileInfo(path).fileName()); }

// The dialog adds ".csv" itself, so that it asks before replacing the file
// that is really written.
QString ChooseSavePath(QWidget* parent, const QString& start) {
    QFileDialog dialog(parent, QStringLiteral("儲存節目"), start, kProgramFiles);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
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
}

void ProgramMenu::ShowWindow() {
    // The first time beside the main window, as far as the screen leaves room.
    if (!placed_) {
        const QRect screen = form_.screen()->availableGeometry();
        const QPoint beside = form_.frameGeometry().topRight() + QPoint(8, 0);
        window_->move(std::max(screen.left(), std::min(beside.x(), screen.right() - window_->width())),
                      std::max(screen.top(), std::min(beside.y(), screen.bottom() - window_->height())));
        placed_ = true;
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

QString ProgramMenu::ProgramFilePath(const QString& chosenPath) {
    return QFileInfo(chosenPath).suffix().isEmpty() ? chosenPath + QStringLiteral(".csv") : chosenPath;
}

bool ProgramMenu::Open(const QString& path) {
    ProgramFileRead read = ReadProgramFile(path);
    if (!read.ok) {
        Warn(&form_, QStringLiteral("無法開啟節目%1").arg(Named(path)), ProgramFileProblem(read));
        return false;
    }
    if (!MayReplaceEdits()) return false;
    window_->ShowItems(std::move(read.program));
    path_ = QFileInfo(path).absoluteFilePath();
    ShowWindow();
    form_.ShowNotices(QStringList{QStringLiteral("已開啟節目%1（%2），共 %3 項，按「套用」產生程式。")
                                      .arg(Named(path_), read.encoding)
                                      .arg(window_->Model().rowCount())} +
                      read.notices);
    return true;
}

bool ProgramMenu::SaveTo(const QString& chosenPath) {
    const QString path = ProgramFilePath(chosenPath);
    if (const auto failure = SaveProgramFile(path, window_->Model().Items())) {
        Warn(&form_, QStringLiteral("無法儲存節目%1").arg(Named(path)), *failure);
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

// Opening another program would throw away items edited since the table was
// last opened or saved.
bool ProgramMenu::MayReplaceEdits() {
    ProgramTableModel& model = window_->Model();
    if (!model.Modified() || model.rowCount() == 0) return true;
    switch (Ask(&form_, QMessageBox::Question, QStringLiteral("開啟節目"),
                QStringLiteral("節目表有尚未儲存的修改，開啟其他節目會取代它。要先儲存嗎？"),
                QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel)) {
    case QMessageBox::Save: {
        const QString path = path_.isEmpty() ? ChooseSavePath(&form_, Folder()) : path_;
        return !path.isEmpty() && SaveTo(path);
    }
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

}  // namespace award
