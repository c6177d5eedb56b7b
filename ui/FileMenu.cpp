#include "ui/FileMenu.h"

#include "files/SketchFolder.h"
#include "files/TextEncoding.h"
#include "ui/Form1.h"
#include "ui/MessageBoxes.h"

#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTimer>

namespace award {
namespace {

const QString kTextFiles = QStringLiteral("文字檔 (*.txt);;所有檔案 (*)");

QString Named(const QString& path) { return QStringLiteral("「%1」").arg(QFileInfo(path).fileName()); }

const QString kLastFolder = QStringLiteral("lastFolder");

// One folder for banners and sketches alike: users keep them together.
QString LastFolder() { return QSettings().value(kLastFolder, QDir::homePath()).toString(); }
void RememberFolder(const QString& folder) { QSettings().setValue(kLastFolder, folder); }

QString DroppedFile(const QMimeData* dropped) {
    const QList<QUrl> urls = dropped->urls();
    return urls.size() == 1 && urls.front().isLocalFile() ? urls.front().toLocalFile() : QString();
}

// A name typed without a suffix gets ".txt", so that the file opens with a
// double click on every system.
QString WithTextSuffix(const QString& path) {
    return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".txt") : path;
}

}  // namespace

FileMenu::FileMenu(Form1& form) : QObject(&form), form_(form) {
    QMenu* menu = form.FileMenuWidget();
    menu->addAction(QStringLiteral("開啟橫幅文字…"), QKeySequence(Qt::CTRL | Qt::Key_O), this,
                    [this] { ChooseAndOpen(); });
    menu->addAction(QStringLiteral("儲存橫幅文字"), QKeySequence(Qt::CTRL | Qt::Key_S), this, [this] { Save(); });
    menu->addAction(QStringLiteral("另存新檔…"), this, [this] { ChooseAndSave(); });
    menu->addSeparator();
    menu->addAction(QStringLiteral("匯出 Arduino 草稿…"), QKeySequence(Qt::CTRL | Qt::Key_E), this,
                    [this] { ChooseAndExport(); });
    menu->addSeparator();
    menu->addAction(QStringLiteral("結束"), &form, &Form1::Exit);

    connect(form.BannerField(), &QLineEdit::textEdited, this, [this] { ShowTitle(); });
    form.setAcceptDrops(true);
    form.installEventFilter(this);
    for (QWidget* widget : form.findChildren<QWidget*>()) widget->installEventFilter(this);
}

bool FileMenu::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Close:
        // 結束 quits the application, which closes the window first.
        if (watched != &form_ || MayEnd()) break;
        event->ignore();
        return true;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (DroppedFile(drag->mimeData()).isEmpty()) break;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = DroppedFile(drop->mimeData());
        if (path.isEmpty()) break;
        drop->acceptProposedAction();
        // Once the drop is over: the file manager waits for it to end, and
        // opening may ask the user first.
        QTimer::singleShot(0, this, [this, path] { Open(path); });
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool FileMenu::Open(const QString& path) {
    // Looked at before opening: a pipe or a terminal would wait for a
    // writer while the window stands still.
    const BannerText banner = ReadBannerFile(path);
    const bool refused = bool(banner.refusal);
    // The banner field would cut a longer text without a word.
    const int most = form_.BannerField()->maxLength();
    if (refused || banner.text.size() > most) {
        Warn(&form_, QStringLiteral("無法開啟%1").arg(Named(path)),
             refused ? banner.refusal.why
                     : QStringLiteral("檔案有 %1 個字，橫幅文字最多 %2 個字。").arg(banner.text.size()).arg(most));
        return false;
    }
    if (!MayReplaceEdits()) return false;
    form_.BannerField()->setText(banner.text);
    form_.BannerField()->setCursorPosition(0);
    BecomeFileOfBanner(path, banner.form);
    const QString opened = QStringLiteral("已開啟%1（%2），請按執行轉換。").arg(Named(path_), DescribeForm(banner.form));
    form_.ShowNotices(QStringList{opened} + banner.notices);
    return true;
}

bool FileMenu::SaveTo(const QString& path) {
    const QString banner = form_.BannerField()->text();
    BannerForm saved = fileForm_;
    if (const QString missing = CharactersWithoutCode(banner, saved.encoding); !missing.isEmpty()) {
        QStringList named;
        for (const char32_t c : missing.toUcs4()) named << QStringLiteral("「%1」").arg(QString::fromUcs4(&c, 1));
        if (Ask(&form_, QMessageBox::Question, QStringLiteral("儲存橫幅文字"),
                QStringLiteral("%1原本是 %2 編碼，但 %3 沒有 %2 編碼。要改存成 UTF-8 嗎？"
                               "（選「否」就不儲存，檔案保持原樣。）")
                    .arg(Named(path), EncodingName(saved.encoding), named.join(QStringLiteral("、"))),
                QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
            form_.ShowNotices({QStringLiteral("沒有儲存，%1保持原樣。").arg(Named(path))});
            return false;
        }
        saved.encoding = TextEncoding::Utf8;
        saved.byteOrderMark = false;
    }
    if (const Refusal failure = SaveBannerFile(path, banner, saved)) {
        Warn(&form_, QStringLiteral("無法儲存%1").arg(Named(path)), failure.why);
        form_.ShowNotices({QStringLiteral("沒有儲存：%1").arg(failure.why)});
        return false;
    }
    BecomeFileOfBanner(path, saved);
    form_.ShowNotices({QStringLiteral("已儲存%1（%2）。").arg(Named(path_), DescribeForm(saved))});
    return true;
}

bool FileMenu::ExportTo(const QString& chosenPath) {
    const QString title = QStringLiteral("匯出 Arduino 草稿");
    const SketchPlace place = PlaceSketch(chosenPath);
    if (place.refusal) {
        Warn(&form_, QStringLiteral("無法") + title, place.refusal.why);
        return false;
    }
    const ExportResult result = ExportSketch(place, form_.Text3Text(), [&](const QString& file) {
        return Ask(&form_, QMessageBox::Question, title,
                   QStringLiteral("「%1」已經存在，要取代它嗎？").arg(QDir::toNativeSeparators(file)),
                   QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    });
    if (result.outcome != ExportOutcome::Written) {
        const bool failed = result.outcome == ExportOutcome::Failed;
        if (failed) Warn(&form_, QStringLiteral("無法") + title, result.refusal.why);
        form_.ShowNotices({failed ? QStringLiteral("沒有匯出：%1").arg(result.refusal.why)
                                  : QStringLiteral("沒有匯出，原有的草稿保持不變。")});
        return false;
    }
    RememberFolder(QFileInfo(place.folder).absolutePath());
    QStringList notices{QStringLiteral("已匯出 %1，可用 Arduino IDE 開啟後編譯上傳。")
                            .arg(QDir::toNativeSeparators(place.file))};
    if (place.mended)
        notices.prepend(QStringLiteral("草稿名稱改成「%1」：Arduino 只接受英文字母、數字和底線。").arg(place.name));
    form_.ShowNotices(notices);
    return true;
}

void FileMenu::ChooseAndOpen() {
    const QString path = QFileDialog::getOpenFileName(&form_, QStringLiteral("開啟橫幅文字"), LastFolder(), kTextFiles);
    if (!path.isEmpty()) Open(path);
}

bool FileMenu::ChooseAndSave() {
    QFileDialog dialog(&form_, QStringLiteral("另存新檔"), path_.isEmpty() ? LastFolder() : path_, kTextFiles);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    // A native dialog may give the name as typed; the replace question it
    // asked was then about another file.
    const QString chosen = dialog.selectedFiles().front();
    const QString path = WithTextSuffix(chosen);
    if (path != chosen && QFileInfo::exists(path) &&
        Ask(&form_, QMessageBox::Question, QStringLiteral("另存新檔"),
            QStringLiteral("%1已經存在，要取代它嗎？").arg(Named(path)),
            QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return false;
    return SaveTo(path);
}

void FileMenu::ChooseAndExport() {
    if (!form_.ConfirmCurrentSketch(Form1::SketchUse::Export)) return;
    // The banner file's name, as the IDE will take it.
    const QString name =
        MendSketchName(QFileInfo(path_).completeBaseName()).value_or(QStringLiteral("award_banner"));
    // Whether an existing sketch may be replaced is asked once the sketch's
    // folder is known, not about the file picked here.
    const QString chosen = QFileDialog::getSaveFileName(
        &form_, QStringLiteral("匯出 Arduino 草稿（會放在同名的資料夾裡）"),
        QDir(LastFolder()).filePath(name + QStringLiteral(".ino")), QStringLiteral("Arduino 草稿 (*.ino)"),
        nullptr, QFileDialog::DontConfirmOverwrite);
    if (!chosen.isEmpty()) ExportTo(chosen);
}

// Opening another file would throw away a banner typed or edited since it was
// last opened or saved.
bool FileMenu::MayReplaceEdits() {
    return !form_.BannerField()->isModified() ||
           MaySaveFirst(&form_, QStringLiteral("開啟橫幅文字"),
                        QStringLiteral("橫幅文字有尚未儲存的修改，開啟其他檔案會取代它。要先儲存嗎？"),
                        [this] { return Save(); });
}

// Ending the program would throw away edits of a banner that has a file. A
// banner typed from scratch ends with the program, as it always has.
bool FileMenu::MayEnd() {
    return path_.isEmpty() || !form_.BannerField()->isModified() ||
           MaySaveFirst(&form_, QStringLiteral("結束"),
                        QStringLiteral("%1有尚未儲存的修改，要先儲存再結束嗎？").arg(Named(path_)),
                        [this] { return Save(); });
}

// The banner now is what the file at path holds.
void FileMenu::BecomeFileOfBanner(const QString& path, const BannerForm& form) {
    path_ = QFileInfo(path).absoluteFilePath();
    fileForm_ = form;
    form_.BannerField()->setModified(false);
    RememberFolder(QFileInfo(path_).absolutePath());
    ShowTitle();
}

void FileMenu::ShowTitle() {
    // A file name may itself hold the modified mark's placeholder.
    QString name = QFileInfo(path_).fileName().replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    form_.setWindowTitle(Form1::kCaption + (name.isEmpty() ? QString() : QStringLiteral(" - ") + name) +
                         QStringLiteral("[*]"));
    form_.setWindowModified(form_.BannerField()->isModified());
}

}  // namespace award
