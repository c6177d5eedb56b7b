#pragma once

#include "sign/SignTarget.h"

#include <QList>
#include <QString>

#include <optional>
#include <utility>

namespace award {

struct SerialPort {
    QString path;         // /dev/ttyACM0
    QString description;  // what the USB device calls itself
    bool likelyBoard = false;  // the board chosen, or a clone's USB-serial bridge
    bool chosenBoard = false;  // says by its USB id that it is the board chosen
};

// A USB device's vendor and product.
using UsbId = std::pair<quint16, quint16>;

// Where a port goes in the list when `board` is chosen: 0 for that board, and
// for the Uno also the USB-serial bridges of clone Unos and Nanos (CH340,
// FT232R); 1 for another bridge that clone boards carry; 2 for any other USB
// device; 3 for a port without USB ids, such as a built-in serial port, which
// is never a board.
int PortRank(std::optional<UsbId> usb, BoardKind board = BoardKind::Mega2560);

// A port as the list shows it, marked by what its USB id says it is.
SerialPort DescribePort(const QString& path, const QString& description, std::optional<UsbId> usb,
                        BoardKind board = BoardKind::Mega2560);

// The port's line in the 序列埠 menu: its path, its own description and its mark.
QString PortLabel(const SerialPort& port, BoardKind board = BoardKind::Mega2560);

// The serial ports Qt finds, ranked for `board`: the board's own first, then
// the USB-serial bridges that clone boards carry, then the rest.
QList<SerialPort> AvailablePorts(BoardKind board = BoardKind::Mega2560);

// The port to upload to: the one chosen last if it is still there, else the
// first likely board; else the one chosen last even though it is gone, so
// that the user hears why; empty when there is nothing to choose.
QString UploadPort(const QList<SerialPort>& available, const QString& chosenLast);

}  // namespace award
