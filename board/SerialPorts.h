#pragma once

#include <QList>
#include <QString>

#include <optional>
#include <utility>

namespace award {

struct SerialPort {
    QString path;         // /dev/ttyACM0
    QString description;  // what the USB device calls itself
    bool likelyBoard = false;  // a Mega 2560 or a clone's USB-serial bridge
    bool mega = false;         // says by its USB id that it is a Mega 2560
};

// A USB device's vendor and product.
using UsbId = std::pair<quint16, quint16>;

// Where a port goes in the list: 0 for a Mega 2560, 1 for a USB-serial bridge
// that clone boards carry, 2 for any other USB device, 3 for a port without
// USB ids, such as a built-in serial port, which is never a board.
int PortRank(std::optional<UsbId> usb);

// A port as the list shows it, marked by what its USB id says it is.
SerialPort DescribePort(const QString& path, const QString& description, std::optional<UsbId> usb);

// The port's line in the 序列埠 menu: its path, its own description and its mark.
QString PortLabel(const SerialPort& port);

// The serial ports Qt finds, the board's own first, then the USB-serial
// bridges that clone boards carry, then the rest.
QList<SerialPort> AvailablePorts();

// The port to upload to: the one chosen last if it is still there, else the
// first likely board; else the one chosen last even though it is gone, so
// that the user hears why; empty when there is nothing to choose.
QString UploadPort(const QList<SerialPort>& available, const QString& chosenLast);

}  // namespace award
