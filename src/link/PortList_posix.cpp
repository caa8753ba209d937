// The serial ports of a POSIX system, as Qt's serial port module finds them.

#include "link/PortList.h"

#include <QSerialPortInfo>

QStringList ListSerialPorts() {
    QStringList names;
    const auto ports = QSerialPortInfo::availablePorts();
    names.reserve(ports.size());
    for (const QSerialPortInfo& info : ports)
        names.append(info.portName());
    return names;
}

QList<SerialPortDetails> ListSerialPortDetails() {
    QList<SerialPortDetails> result;
    const auto ports = QSerialPortInfo::availablePorts();
    result.reserve(ports.size());
    for (const QSerialPortInfo& info : ports) {
        SerialPortDetails d;
        d.Name = info.portName();
        d.SystemLocation = info.systemLocation();
        d.Description = info.description();
        d.Manufacturer = info.manufacturer();
        d.SerialNumber = info.serialNumber();
        if (info.hasVendorIdentifier()) d.VendorId = info.vendorIdentifier();
        if (info.hasProductIdentifier()) d.ProductId = info.productIdentifier();
        result.append(d);
    }
    return result;
}
