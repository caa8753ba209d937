// The serial ports of a POSIX system, from the module "ports" (link/ports): Qt's serial
// port module and udev are loaded the first time the list is asked for.

#include "link/PortList.h"
#include "link/Modules.h"

#include <QDebug>

QList<SerialPortDetails> ListSerialPortDetails() {
    QString why;
    if (const auto* module = Modules::Get<PortListModule>(&why)) return module->List();
    // The user can still type a port's name; the reason goes where a developer looks.
    qWarning().noquote() << why;
    return {};
}

QStringList ListSerialPorts() {
    QStringList names;
    for (const SerialPortDetails& port : ListSerialPortDetails())
        names.append(port.Name);
    return names;
}
