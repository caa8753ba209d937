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
