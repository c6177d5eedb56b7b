#include "board/SerialPorts.h"

#include "board/SerialPortList.h"

#include <QFileInfo>

#include <algorithm>

namespace award {
namespace {

// Arduino's and its licensees' Mega 2560 boards.
constexpr UsbId kMega2560[] = {{0x2341, 0x0010}, {0x2341, 0x0042}, {0x2A03, 0x0042}};
// CH340, FT232R and CP2102: the USB-serial chips of clone boards.
constexpr UsbId kCloneBridges[] = {{0x1A86, 0x7523}, {0x0403, 0x6001}, {0x10C4, 0xEA60}};

}  // namespace

int PortRank(std::optional<UsbId> usb) {
    if (usb && std::ranges::find(kMega2560, *usb) != std::end(kMega2560)) return 0;
    if (usb && std::ranges::find(kCloneBridges, *usb) != std::end(kCloneBridges)) return 1;
    return usb ? 2 : 3;
}

SerialPort DescribePort(const QString& path, const QString& description, std::optional<UsbId> usb) {
    const int rank = PortRank(usb);
    return {path, description, rank < 2, rank == 0};
}

QString PortLabel(const SerialPort& port) {
    QString label = port.description.isEmpty() ? port.path : port.path + QStringLiteral("  ") + port.description;
    if (port.mega) return label + QStringLiteral("  ← Arduino Mega 2560（看板）");
    if (port.likelyBoard) return label + QStringLiteral("  ← 可能是相容的看板");
    return label;
}

QList<SerialPort> AvailablePorts() {
    QList<ListedPort> ports = ListSerialPorts();
    std::ranges::stable_sort(ports, {}, [](const ListedPort& port) { return PortRank(port.usb); });
    QList<SerialPort> found;
    for (const ListedPort& port : ports) found.append(DescribePort(port.path, port.description, port.usb));
    return found;
}

QString UploadPort(const QList<SerialPort>& available, const QString& chosenLast) {
    const bool stillThere =
        std::ranges::any_of(available, [&](const SerialPort& port) { return port.path == chosenLast; });
    if (stillThere || (!chosenLast.isEmpty() && QFileInfo::exists(chosenLast))) return chosenLast;
    if (!available.isEmpty() && available.first().likelyBoard) return available.first().path;
    return chosenLast;
}

}  // namespace award
