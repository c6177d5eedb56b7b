#pragma once

#include <QList>
#include <QString>

namespace award {

struct SerialPort {
    QString path;         // /dev/ttyACM0
    QString description;  // what the USB device calls itself
    bool likelyBoard = false;  // a Mega 2560 or a clone's USB-serial bridge
};

// The serial ports Qt finds, the board's own first, then the USB-serial
// bridges that clone boards carry, then the rest.
QList<SerialPort> AvailablePorts();

// The port to upload to: the one chosen last if it is still there, else the
// first likely board; else the one chosen last even though it is gone, so
// that the user hears why; empty when there is nothing to choose.
QString UploadPort(const QList<SerialPort>& available);

// Kept for the next run of the program.
QString RememberedPort();
void RememberPort(const QString& path);

}  // namespace award
