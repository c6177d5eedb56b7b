#include "files/AtomicFile.h"

#include "files/FileKind.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace award {

Refusal WriteAtomically(const QString& path, const QByteArray& bytes) {
    // Renaming a new file over a pipe or a device would replace it for every
    // other program too.
    if (const auto kind = NotRegularFile(path)) return {0, QStringLiteral("沒有寫入：%1").arg(*kind), Refusal::Kind::NotAFile};
    QSaveFile file(path);
    // QSaveFile::commit() lets a failed flush of its buffer pass, so the
    // buffer is flushed and checked here while the old file is still whole.
    errno = 0;
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
        file.error() == QFileDevice::NoError && file.commit())
        return {};
    // A flush that fails on a full disk or a file-size limit leaves Qt
    // saying "Unknown error"; the system's own reason is the one to give.
    const int systemError = errno;
    const QString why = systemError != 0 ? QString::fromLocal8Bit(std::strerror(systemError)) : file.errorString();
    file.cancelWriting();
    return {0, QStringLiteral("寫入失敗（%1），原本的檔案沒有被改動。磁碟可能已滿，或沒有寫入的權限。").arg(why),
            Refusal::Kind::Unwritable};
}

}  // namespace award
