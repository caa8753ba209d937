// The serial ports of a POSIX system, from the module "ports" (link/ports): Qt's serial
// port module and udev are loaded the first time the list is asked for.  On Linux each
// port's kernel driver and its /dev/serial/by-id name are added from the system's files.

#include "link/PortList.h"
#include "link/Modules.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {

// The links of /dev/serial/by-id by the device each points at: "/dev/ttyUSB0" ->
// "usb-FTDI_FT232R_USB_UART_A10K3ZQ1-if00-port0".
QHash<QString, QString> ByIdNames() {
    QHash<QString, QString> names;
    const QDir folder(QStringLiteral("/dev/serial/by-id"));
    const auto filter = QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot;
    for (const QFileInfo& link : folder.entryInfoList(filter)) {
        if (!link.isSymLink()) continue;
        const QString target = link.canonicalFilePath();
        // Two links to one device (two interfaces' names) keep the first in name order.
        if (!target.isEmpty() && !names.contains(target)) names.insert(target, link.fileName());
    }
    return names;
}

// The driver of /sys/class/tty/<name>: the last part of where device/driver points.
QString DriverOf(const QString& name) {
    if (name.isEmpty() || name.contains(u'/')) return {};
    const QString target =
        QFileInfo(QStringLiteral("/sys/class/tty/%1/device/driver").arg(name)).symLinkTarget();
    return target.isEmpty() ? QString() : QFileInfo(target).fileName();
}

} // namespace

QList<SerialPortDetails> ListSerialPortDetails() {
    if (auto table = TestPortTable()) return *table;
    QString why;
    const auto* module = Modules::Get<PortListModule>(&why);
    if (!module) {
        // The user can still type a port's name; the reason goes where a developer looks.
        qWarning().noquote() << why;
        return {};
    }
    QList<SerialPortDetails> ports = module->List();
#ifdef Q_OS_LINUX
    const QHash<QString, QString> byId = ByIdNames();
    for (SerialPortDetails& port : ports) {
        if (port.Driver.isEmpty()) port.Driver = DriverOf(port.Name);
        if (port.ById.isEmpty()) {
            const QString device = QFileInfo(port.SystemLocation).canonicalFilePath();
            port.ById = byId.value(device.isEmpty() ? port.SystemLocation : device);
        }
    }
#endif
    return ports;
}

QStringList ListSerialPorts() {
    QStringList names;
    for (const SerialPortDetails& port : ListSerialPortDetails())
        names.append(port.Name);
    return names;
}
