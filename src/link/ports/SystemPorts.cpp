// The serial ports as Qt's serial port module finds them (it asks udev on Linux): the module
// "ports", loaded when the port list is first asked for (link/PortList_posix.cpp; on Windows
// link/PortList_win.cpp takes the adapters' details from it).

#include "link/PortList.h"

#include <QSerialPortInfo>

QList<SerialPortDetails> SystemPorts::List() {
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
