#pragma once

#include "board/SerialPorts.h"

#include <QList>
#include <QString>

#include <optional>

namespace award {

// One serial port as the system lists it, before it is ranked.
struct ListedPort {
    QString path;         // /dev/ttyACM0, COM3, \\.\COM10
    QString description;  // what the USB device calls itself
    std::optional<UsbId> usb;
};

// The serial ports the system has now: Qt's list on Linux; on Windows, where
// this program has no Qt Serial Port, the COM ports SetupAPI knows.
QList<ListedPort> ListSerialPorts();

}  // namespace award
