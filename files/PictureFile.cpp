#include "files/PictureFile.h"

#include "files/RegularFile.h"
#include "picture/SignRows.h"

#include <QBuffer>
#include <QImageReader>
#include <QLocale>

namespace award {
namespace {

// A photo straight from a phone is a few MB; a file past this is no picture
// for a sign, and its pixels would not fit in memory anyway.
constexpr qsizetype kMaxPictureFileBytes = 64 * 1024 * 1024;
constexpr qint64 kMaxPicturePixels = 50'000'000;

}  // namespace

PictureRead ReadSignPicture(const QString& path) {
    const FileBytes file = ReadRegularFile(path, kMaxPictureFileBytes);
    if (file.refusal) return Refuse<PictureRead>(file.refusal);
    if (file.bytes.size() > kMaxPictureFileBytes)
        return Refuse<PictureRead>(Refusal::Kind::TooLarge, QStringLiteral("檔案太大：圖片檔最多 %1。")
                           .arg(QLocale::c().formattedDataSize(kMaxPictureFileBytes, 0)));
    QBuffer buffer;
    buffer.setData(file.bytes);
    buffer.open(QIODevice::ReadOnly);
    // By its bytes, whatever its name says: a JPEG saved as .png still opens.
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMaxPicturePixels)
        return Refuse<PictureRead>(Refusal::Kind::TooLarge, QStringLiteral("圖片太大（%1 × %2 像素），最多 %3 萬像素。")
                           .arg(size.width())
                           .arg(size.height())
                           .arg(kMaxPicturePixels / 10000));
    const QImage picture = reader.read();
    // Qt's own words are English whatever the desktop's language.
    if (picture.isNull())
        return Refuse<PictureRead>(Refusal::Kind::NotText, reader.error() == QImageReader::UnsupportedFormatError
                                                               ? QStringLiteral("這不是看得懂的圖片，要是 PNG、JPEG、BMP 或 GIF 檔。")
                                                               : QStringLiteral("圖片的內容有問題，可能不完整或已損壞。"));
    return {SignRows(picture), {}};
}

QString PictureFileFilter() {
    return QStringLiteral("圖片 (*.png *.jpg *.jpeg *.bmp *.gif);;所有檔案 (*)");
}

}  // namespace award
