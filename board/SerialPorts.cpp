#include "board/SerialPorts.h"

#include "board/BoardModels.h"
#include "board/SerialPortList.h"

#include <QFileInfo>

#include <algorithm>

namespace award {
namespace {

// Arduino's and its licensees' Mega 2560 boards.
constexpr UsbId kMega2560[] = {{0x2341, 0x0010}, {0x2341, 0x0042}, {0x2A03, 0x0042}};
// Arduino's and its licensees' Uno boards, as boards.txt lists them.
constexpr UsbId kUno[] = {{0x2341, 0x0043}, {0x2341, 0x0001}, {0x2A03, 0x0043}, {0x2341, 0x0243}, {0x2341, 0x006A}};
// CH340 and FT232R: the USB-serial chips of clone Unos and of Nanos.
constexpr UsbId kUnoNanoBridges[] = {{0x1A86, 0x7523}, {0x0403, 0x6001}};
// CP2102: another USB-serial chip of clone boards.
constexpr UsbId kOtherBridges[] = {{0x10C4, 0xEA60}};

template <std::size_t N>
bool IsIn(const UsbId (&ids)[N], std::optional<UsbId> usb) {
    return usb && std::ranges::find(ids, *usb) != std::end(ids);
}

bool SaysItIs(BoardKind board, std::optional<UsbId> usb) {
    return board == BoardKind::Uno ? IsIn(kUno, usb) : IsIn(kMega2560, usb);
}

}  // namespace

int PortRank(std::optional<UsbId> usb, BoardKind board) {
    if (SaysItIs(board, usb)) return 0;
    if (IsIn(kUnoNanoBridges, usb)) return board == BoardKind::Uno ? 0 : 1;
    if (IsIn(kOtherBridges, usb)) return 1;
    return usb ? 2 : 3;
}

SerialPort DescribePort(const QString& path, const QString& description, std::optional<UsbId> usb, BoardKind board) {
    return {path, description, PortRank(usb, board) < 2, SaysItIs(board, usb)};
}

QString PortLabel(const SerialPort& port, BoardKind board) {
    QString label = port.description.isEmpty() ? port.path : port.path + QStringLiteral("  ") + port.description;
    if (port.chosenBoard) return label + QStringLiteral("  ← %1（看板）").arg(ModelOf(board).name);
    // A clone Uno or a Nano says no more than its USB chip does.
    if (port.likelyBoard && board == BoardKind::Uno)
        return label + QStringLiteral("  ← 可能是 %1（相容板）").arg(ModelOf(board).name);
    if (port.likelyBoard) return label + QStringLiteral("  ← 可能是相容的看板");
    return label;
}

QList<SerialPort> AvailablePorts(BoardKind board) {
    QList<ListedPort> ports = ListSerialPorts();
    std::ranges::stable_sort(ports, {}, [board](const ListedPort& port) { return PortRank(port.usb, board); });
    QList<SerialPort> found;
    for (const ListedPort& port : ports) found.append(DescribePort(port.path, port.description, port.usb, board));
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
