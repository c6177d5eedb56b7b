#include "board/BoardTargets.h"

#include "board/UploadReport.h"

#include <QFileInfo>

#include <windows.h>

#include <cerrno>

namespace award {

std::optional<QString> HexTargetProblem(const QString& path) {
    const QFileInfo target(path);
    if (!target.exists() || target.isFile()) return std::nullopt;
    return QStringLiteral("無法寫出 %1：它不是一般檔案（是資料夾或裝置），請指定一般檔案").arg(path);
}

// A COM port is no file to look at: it is there if it opens. Opened and closed
// at once, so that avrdude finds it free.
std::optional<QString> UploadPortProblem(const QString& port, BoardKind) {
    const QString device = port.startsWith(QLatin1String("\\\\.\\")) ? port : QStringLiteral("\\\\.\\") + port;
    HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t*>(device.utf16()), GENERIC_READ | GENERIC_WRITE, 0,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        const bool isPort = GetFileType(handle) == FILE_TYPE_CHAR;
        CloseHandle(handle);
        if (isPort) return std::nullopt;
        return QStringLiteral("%1 不是序列埠：請選擇看板的序列埠，例如 COM3").arg(port);
    }
    switch (GetLastError()) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION: return PortProblem(port, EBUSY);
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return PortProblem(port, ENOENT);
    default: return PortProblem(port, EIO);
    }
}

}  // namespace award
