#include "board/SerialPorts.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <QSettings>

#include <algorithm>
#include <utility>

namespace award {
namespace {

using UsbId = std::pair<quint16, quint16>;

// Arduino's and its licensees' Mega 2560 boards.
constexpr UsbId kMega2560[] = {{0x2341, 0x0010}, {0x2341, 0x0042}, {0x2A03, 0x0042}};
// CH340, FT232R and CP2102: the USB-serial chips of clone boards.
constexpr UsbId kCloneBridges[] = {{0x1A86, 0x7523}, {0x0403, 0x6001}, {0x10C4, 0xEA60}};

int Rank(const QSerialPortInfo& port) {
    const UsbId id{port.vendorIdentifier(), port.productIdentifier()};
    if (port.hasVendorIdentifier() && std::ranges::find(kMega2560, id) != std::end(kMega2560)) return 0;
    if (port.hasVendorIdentifier() && std::ranges::find(kCloneBridges, id) != std::end(kCloneBridges)) return 1;
    return 2;
}

QSettings Settings() { return QSettings(QStringLiteral("award-banner"), QStringLiteral("award-banner")); }

const QString kPortKey = QStringLiteral("board/port");

}  // namespace

QList<SerialPort> AvailablePorts() {
    QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    std::ranges::stable_sort(ports, {}, Rank);
    QList<SerialPort> found;
    for (const QSerialPortInfo& port : ports)
        found.append({port.systemLocation(), port.description(), Rank(port) < 2});
    return found;
}

QString UploadPort(const QList<SerialPort>& available) {
    const QString remembered = RememberedPort();
    const bool stillThere = std::ranges::any_of(available, [&](const SerialPort& port) { return port.path == remembered; });
    if (stillThere || (!remembered.isEmpty() && QFileInfo::exists(remembered))) return remembered;
    if (!available.isEmpty() && available.first().likelyBoard) return available.first().path;
    return remembered;
}

QString RememberedPort() { return Settings().value(kPortKey).toString(); }

void RememberPort(const QString& path) { Settings().setValue(kPortKey, path); }

}  // namespace award
