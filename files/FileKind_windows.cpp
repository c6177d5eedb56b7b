#include "files/FileKind.h"

#include <QDir>
#include <QFileInfo>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <string>
#include <string_view>

// Windows keeps pipes in a namespace of their own (\\.\pipe\), never among
// the files of a folder, so nothing but a folder or a device name such as
// COM1 or NUL can stand where a banner file is looked for. A device name is
// in no folder, so no look at the folder finds it; Windows itself tells it,
// turning the name into the device's own path, \\.\NUL.

namespace award {
namespace {

QString Refusal(bool folder, const QString& path) {
    return QStringLiteral("「%1」%2。")
        .arg(QDir::toNativeSeparators(path),
             folder ? QStringLiteral("是資料夾，不是檔案") : QStringLiteral("是裝置，不是一般的檔案"));
}

bool NamesADevice(const QString& path) {
    const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
    const DWORD needed = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return false;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(name.c_str(), needed, full.data(), nullptr);
    return length > 0 && length < needed && std::wstring_view(full.data(), length).starts_with(L"\\\\.\\");
}

}  // namespace

std::optional<QString> NotRegularFile(const QString& path) {
    if (NamesADevice(path)) return Refusal(false, path);
    const QFileInfo info(path);
    if (!info.exists() || info.isFile()) return std::nullopt;
    return Refusal(info.isDir(), path);
}

std::optional<QString> NotRegularFile(int fd, const QString& path) {
    struct _stat64 status {};
    if (_fstat64(fd, &status) != 0 || S_ISREG(status.st_mode)) return std::nullopt;
    return Refusal(S_ISDIR(status.st_mode), path);
}

int OpenForReading(const QString& path) {
    return _wopen(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16()),
                  _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

}  // namespace award
