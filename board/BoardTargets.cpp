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
    return QStringLiteral("無法寫出 %1：它不是一般檔案（是資料夾或裝置），請指定一般檔案").arg(path);
}

std::optional<QString> UploadPortProblem(const QString& port, BoardKind board) {
    struct stat status {};
    if (::stat(QFile::encodeName(port).constData(), &status) != 0) return PortProblem(port, errno);
    if (S_ISCHR(status.st_mode)) return std::nullopt;
    // A genuine board's USB chip makes an ACM port; the chips of clone Unos and
    // of Nanos make USB ones.
    const QString example = board == BoardKind::Uno ? QStringLiteral("/dev/ttyACM0 或 /dev/ttyUSB0")
                                                    : QStringLiteral("/dev/ttyACM0");
    return QStringLiteral("%1 不是序列埠（不是字元裝置）：請選擇看板的序列埠，例如 %2").arg(port, example);
}

}  // namespace award
