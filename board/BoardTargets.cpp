#include "board/BoardTargets.h"

#include "board/UploadReport.h"

#include <QFile>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace award {

std::optional<QString> HexTargetProblem(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        if (errno == ENOENT) return std::nullopt;
        return QStringLiteral("無法寫出 %1：%2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
    }
    if (S_ISREG(status.st_mode)) return std::nullopt;
    return NotAFileForHex(path);
}

std::optional<QString> UploadPortProblem(const QString& port, BoardKind board) {
    struct stat status {};
    if (::stat(QFile::encodeName(port).constData(), &status) != 0) return PortProblem(port, errno);
    if (S_ISCHR(status.st_mode)) return std::nullopt;
    return NotASerialPort(port, board);
}

}  // namespace award
