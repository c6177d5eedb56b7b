#include "board/SerialPortList.h"

#include <QRegularExpression>
#include <QSettings>

#include <windows.h>
// After windows.h, which it builds on; GUID_DEVINTERFACE_COMPORT comes from
// windows.h and mingw-w64's libuuid.
#include <setupapi.h>

#include <algorithm>

// Windows lists serial ports through SetupAPI: each COM port interface is a
// device with its port name in the registry and its USB ids in its hardware
// ids (USB\VID_2341&PID_0042&REV_0001; FTDIBUS\COMPORT&VID_0403&PID_6001).
// Ports without a device of their own, such as those Wine maps to a Linux
// device, are only in the system's serial map, and are listed from there.

namespace award {
namespace {

QString DeviceProperty(HDEVINFO devices, SP_DEVINFO_DATA& device, DWORD property) {
    wchar_t buffer[1024] = {};
    if (!SetupDiGetDeviceRegistryPropertyW(devices, &device, property, nullptr, reinterpret_cast<BYTE*>(buffer),
                                           sizeof buffer - sizeof(wchar_t), nullptr))
        return {};
    // A list of strings (the hardware ids) is parted by NULs; keep them all.
    QString text = QString::fromWCharArray(buffer, std::size(buffer));
    while (text.endsWith(QChar(0))) text.chop(1);
    return text.replace(QChar(0), u'\n');
}

QString PortName(HDEVINFO devices, SP_DEVINFO_DATA& device) {
    HKEY key = SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) return {};
    wchar_t name[256] = {};
    DWORD size = sizeof name - sizeof(wchar_t);
    DWORD type = 0;
    const bool read = RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(name), &size) ==
                          ERROR_SUCCESS && type == REG_SZ;
    RegCloseKey(key);
    return read ? QString::fromWCharArray(name) : QString();
}

std::optional<UsbId> UsbIdOf(const QString& hardwareIds) {
    static const QRegularExpression ids(QStringLiteral("VID_([0-9A-F]{4})&PID_([0-9A-F]{4})"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = ids.match(hardwareIds);
    if (!match.hasMatch()) return std::nullopt;
    return UsbId{match.captured(1).toUShort(nullptr, 16), match.captured(2).toUShort(nullptr, 16)};
}

// COM1 to COM9 open by their names; from COM10 on only as \\.\COM10.
QString PathOf(const QString& name) {
    static const QRegularExpression numbered(QStringLiteral("^COM(\\d+)$"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = numbered.match(name);
    if (match.hasMatch() && match.captured(1).toInt() >= 10) return QStringLiteral("\\\\.\\") + name;
    return name;
}

}  // namespace

QList<ListedPort> ListSerialPorts() {
    QList<ListedPort> ports;
    HDEVINFO devices =
        SetupDiGetClassDevsW(&GUID_DEVINTERFACE_COMPORT, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (devices != INVALID_HANDLE_VALUE) {
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof device;
        for (DWORD i = 0; SetupDiEnumDeviceInfo(devices, i, &device); ++i) {
            const QString name = PortName(devices, device);
            if (name.isEmpty()) continue;
            QString description = DeviceProperty(devices, device, SPDRP_FRIENDLYNAME);
            if (description.isEmpty()) description = DeviceProperty(devices, device, SPDRP_DEVICEDESC);
            ports.append({PathOf(name), description, UsbIdOf(DeviceProperty(devices, device, SPDRP_HARDWAREID))});
        }
        SetupDiDestroyDeviceInfoList(devices);
    }
    const QSettings serialMap(QStringLiteral("HKEY_LOCAL_MACHINE\\HARDWARE\\DEVICEMAP\\SERIALCOMM"),
                              QSettings::NativeFormat);
    for (const QString& entry : serialMap.childKeys()) {
        const QString path = PathOf(serialMap.value(entry).toString());
        if (!path.isEmpty() && std::ranges::none_of(ports, [&](const ListedPort& p) { return p.path == path; }))
            ports.append({path, {}, std::nullopt});
    }
    return ports;
}

}  // namespace award
