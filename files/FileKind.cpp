#include "files/FileKind.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>

namespace award {
namespace {

std::optional<QString> Refusal(mode_t mode, const QString& path) {
    if (S_ISREG(mode)) return std::nullopt;
    const QString kind = S_ISDIR(mode)                      ? QStringLiteral("是資料夾，不是檔案")
                         : S_ISFIFO(mode)                   ? QStringLiteral("是管道（FIFO），不是一般的檔案")
                         : S_ISCHR(mode) || S_ISBLK(mode)   ? QStringLiteral("是裝置，不是一般的檔案")
                         : S_ISSOCK(mode)                   ? QStringLiteral("是通訊端（socket），不是一般的檔案")
                                                            : QStringLiteral("不是一般的檔案");
    return QStringLiteral("「%1」%2。").arg(QDir::toNativeSeparators(path), kind);
}

}  // namespace

std::optional<QString> NotRegularFile(const QString& path) {
    struct stat status {};
    if (stat(QFile::encodeName(path).constData(), &status) != 0) return std::nullopt;
    return Refusal(status.st_mode, path);
}

std::optional<QString> NotRegularFile(int fd, const QString& path) {
    struct stat status {};
    if (fstat(fd, &status) != 0) return std::nullopt;
    return Refusal(status.st_mode, path);
}

int OpenForReading(const QString& path) {
    return open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

}  // namespace award
