#include "app/PortChoice.h"
#include "app/SetupUnit.h"
#include "link/PortKind.h"
#include "link/PortList.h"
#include "link/SerialDrv.h"

#include <QFileInfo>

namespace {
constexpr char SettingRecentNetworkPorts[] = "recentnetworkports";
constexpr int RecentNetworkPortsKept = 5;

void ApplyPath(const QString& text, TSerialDriver& driver) {
    if (const auto path = DevicePathFor(text)) driver.SetPortName(*path);
}

// Whether the listed port is the device at `path` (its name's path, the system's path, or
// where a typed link such as /dev/serial/by-id/... leads).
bool IsPortAt(const SerialPortDetails& port, const QString& path) {
    if (path.isEmpty()) return false;
    if (DevicePathFor(port.Name) == path || port.SystemLocation == path) return true;
    if (!path.startsWith(u'/')) return false;
    const QString real = QFileInfo(path).canonicalFilePath();
    return !real.isEmpty() && !port.SystemLocation.isEmpty() &&
           QFileInfo(port.SystemLocation).canonicalFilePath() == real;
}
} // namespace

PortPick PickPort(const QString& storedName, const QString& storedSerial,
                  const QList<SerialPortDetails>& present) {
    const PortPick asStored{storedName, false};
    if (storedSerial.isEmpty() || IsNetworkPortName(storedName) || storedName.contains(u'/') ||
        storedName.contains(u'\\'))
        return asStored;
    const std::optional<QString> path = DevicePathFor(storedName);
    const SerialPortDetails* found = nullptr;
    for (const SerialPortDetails& port : present) {
        if (port.Name == storedName || (path && IsPortAt(port, *path))) return asStored;
        if (port.SerialNumber != storedSerial) continue;
        if (found) return asStored; // a two-port adapter: which one was it?
        found = &port;
    }
    return found ? PortPick{found->Name, true} : asStored;
}

QString RestorePortChoice(TSerialDriver& driver, QString* error) {
    const QString text =
        ReadSetting(QLatin1String(SettingComPortName), QStringLiteral("COM1"), error);
    ApplyPath(text, driver);
    return text;
}

PortPick RestorePortChoice(TSerialDriver& driver, const QList<SerialPortDetails>& present,
                           QString* error) {
    const QString text = RestorePortChoice(driver, error);
    const PortPick pick =
        PickPort(text, StoredSetting(QLatin1String(SettingComPortSerial)), present);
    if (pick.Refound) PortNameBoxChange(pick.Name, driver, error);
    return pick;
}

void RememberPortAdapter(const QString& path, const QList<SerialPortDetails>& present,
                         QString* error) {
    if (IsNetworkPortName(path)) return;
    for (const SerialPortDetails& port : present)
        if (IsPortAt(port, path)) {
            WriteSetting(QLatin1String(SettingComPortSerial), port.SerialNumber, error);
            return;
        }
}

void PortNameBoxChange(const QString& text, TSerialDriver& driver, QString* error) {
    ApplyPath(text, driver);
    WriteSetting(QLatin1String(SettingComPortName), text, error);
}

QStringList RecentNetworkPorts() {
    // One line each; a line that is no network address (edited by hand) is left out.
    QStringList kept;
    const QString stored = StoredSetting(QLatin1String(SettingRecentNetworkPorts));
    for (const QString& line : stored.split(u'\n', Qt::SkipEmptyParts))
        if (IsNetworkPortName(line) && !kept.contains(line) && kept.size() < RecentNetworkPortsKept)
            kept << line;
    return kept;
}

void RememberNetworkPort(const QString& text, QString* error) {
    if (!IsNetworkPortName(text)) return;
    QStringList recent = RecentNetworkPorts();
    recent.removeAll(text);
    recent.prepend(text);
    WriteSetting(QLatin1String(SettingRecentNetworkPorts),
                 recent.mid(0, RecentNetworkPortsKept).join(u'\n'), error);
}
