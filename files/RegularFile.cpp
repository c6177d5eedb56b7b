#include "files/RegularFile.h"

#include "files/FileKind.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace award {
namespace {

// Why reading failed, for an errno value.
QString ReadFailure(int error) {
    // The system's own words are English whatever the desktop's language.
    switch (error) {
    case ENOENT: return QStringLiteral("找不到這個檔案，可能已被移走、改名或刪除。");
    case ENOTDIR: return QStringLiteral("路徑裡有一段不是資料夾。");
    case EACCES:
    case EPERM: return QStringLiteral("沒有讀取這個檔案的權限。");
    case EISDIR: return QStringLiteral("這是資料夾，不是檔案。");
    case ELOOP: return QStringLiteral("路徑裡的連結繞成了圈。");
    case ENAMETOOLONG: return QStringLiteral("檔名或路徑太長。");
    case EIO: return QStringLiteral("磁碟讀取錯誤，檔案可能在損壞的磁碟或拔掉的隨身碟上。");
    case ENOMEM: return QStringLiteral("記憶體不足。");
    case EMFILE:
    case ENFILE: return QStringLiteral("同時開啟的檔案太多。");
    default: return QStringLiteral("讀取時發生錯誤（錯誤碼 %1）。").arg(error);
    }
}

}  // namespace

FileBytes ReadUpTo(int fd, qsizetype limit) {
    FileBytes read;
    char buffer[64 * 1024];
    while (read.bytes.size() <= limit) {
        const auto wanted = std::min<qsizetype>(qsizetype(sizeof buffer), limit + 1 - read.bytes.size());
        // At most the buffer's 64 KB, which also fits the unsigned int count
        // of the Windows C runtime's read().
        const ssize_t got = ::read(fd, buffer, static_cast<unsigned>(wanted));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return Refuse<FileBytes>(Refusal::Kind::Unreadable, ReadFailure(errno));
        if (got == 0) break;
        read.bytes.append(buffer, got);
    }
    return read;
}

FileBytes ReadRegularFile(const QString& path, qsizetype limit) {
    if (const auto kind = NotRegularFile(path)) return Refuse<FileBytes>(Refusal::Kind::NotAFile, *kind);
    const int fd = OpenForReading(path);
    if (fd < 0) return Refuse<FileBytes>(Refusal::Kind::Unreadable, ReadFailure(errno));
    FileBytes read = NotRegularFile(fd, path) ? Refuse<FileBytes>(Refusal::Kind::NotAFile, *NotRegularFile(fd, path))
                                              : ReadUpTo(fd, limit);
    close(fd);
    return read;
}

}  // namespace award
