#include "ui/PictureCellEditor.h"

#include "files/PictureFile.h"

#include <QBoxLayout>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QToolButton>

namespace award {
namespace {

const QString kPictureFolder = QStringLiteral("programWindow/pictureFolder");

}  // namespace

PictureCellEditor::PictureCellEditor(QWidget* parent, const QString& picture, std::function<void(QWidget*)> done)
    : QWidget(parent), picture_(picture), done_(std::move(done)) {
    // The table's own background, so that the row stays readable around the buttons.
    setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* choose = new QToolButton(this);
    choose->setObjectName(QStringLiteral("choosePicture"));
    choose->setText(QStringLiteral("選擇圖片…"));
    choose->setToolTip(QStringLiteral("PNG、JPEG、BMP 或 GIF：縮成看板的 16 列，放在文字的左邊"));
    auto* clear = new QToolButton(this);
    clear->setObjectName(QStringLiteral("clearPicture"));
    clear->setText(QStringLiteral("清除"));
    clear->setToolTip(QStringLiteral("這一項不放圖片"));
    clear->setEnabled(!picture.isEmpty());
    layout->addWidget(choose);
    layout->addWidget(clear);
    layout->addStretch();
    setFocusProxy(choose);
    connect(choose, &QToolButton::clicked, this, [this] { Choose(); });
    connect(clear, &QToolButton::clicked, this, [this] {
        choice_ = QString();
        done_(this);
    });
}

void PictureCellEditor::Choose() {
    const QString start = picture_.isEmpty() ? QSettings().value(kPictureFolder, QDir::homePath()).toString()
                                             : QFileInfo(picture_).absolutePath();
    const QString path =
        QFileDialog::getOpenFileName(window(), QStringLiteral("選擇圖片"), start, PictureFileFilter());
    if (path.isEmpty()) return;
    QSettings().setValue(kPictureFolder, QFileInfo(path).absolutePath());
    choice_ = path;
    done_(this);
}

}  // namespace award
