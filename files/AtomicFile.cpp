#include "files/AtomicFile.h"

#include <QSaveFile>

namespace award {

std::optional<QString> WriteAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return std::nullopt;
    return QStringLiteral("寫入失敗（%1），檔案沒有被改動。").arg(file.errorString());
}

}  // namespace award
