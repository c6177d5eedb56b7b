#include "board/SerialPortList.h"

#include <QSerialPortInfo>

namespace award {

QList<ListedPort> ListSerialPorts() {
    QList<ListedPort> ports;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        std::optional<UsbId> usb;
        if (port.hasVendorIdentifier()) usb = UsbId{port.vendorIdentifier(), port.productIdentifier()};
        ports.append({port.systemLocation(), port.description(), usb});
    }
    return ports;
}

}  // namespace award
