#include "board/BoardTargets.h"

#include "board/UploadReport.h"
#include "files/FileKind.h"

#include <QFileInfo>

#include <windows.h>

#include <cerrno>

namespace award {

// A device name (NUL, CON, COM1, or aux.hex in any folder where Windows
// still takes it for AUX) is no file, though no folder lists it.
std::optional<QString> HexTargetProblem(const QString& path) {
    if (!NotRegularFile(path)) return std::nullopt;
    return NotAFileForHex(path);
}

// A COM port is no file to look at: it is there if it opens. Opened and closed
// at once, so that avrdude finds it free. A folder does not open as a file
// either, and Windows calls that access denied, as for a port in use.
std::optional<QString> UploadPortProblem(const QString& port, BoardKind board) {
    if (QFileInfo(port).isDir()) return NotASerialPort(port, board);
    const QString device = port.startsWith(QLatin1String("\\\\.\\")) ? port : QStringLiteral("\\\\.\\") + port;
    HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t*>(device.utf16()), GENERIC_READ | GENERIC_WRITE, 0,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        const bool isPort = GetFileType(handle) == FILE_TYPE_CHAR;
        CloseHandle(handle);
        if (isPort) return std::nullopt;
        return NotASerialPort(port, board);
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
