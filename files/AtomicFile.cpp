#include "files/AtomicFile.h"

#include "files/FileKind.h"

#include <QSaveFile>

namespace award {

std::optional<QString> WriteAtomically(const QString& path, const QByteArray& bytes) {
    // Renaming a new file over a pipe or a device would replace it for every
    // other program too.
    if (const auto kind = NotRegularFile(path)) return QStringLiteral("沒有寫入：%1").arg(*kind);
    QSaveFile file(path);
    // QSaveFile::commit() lets a failed flush of its buffer pass, so the
    // buffer is flushed and checked here while the old file is still whole.
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
        file.error() == QFileDevice::NoError && file.commit())
        return std::nullopt;
    const QString why = file.errorString();
    file.cancelWriting();
    return QStringLiteral("寫入失敗（%1），原本的檔案沒有被改動。磁碟可能已滿，或沒有寫入的權限。").arg(why);
}

}  // namespace award
