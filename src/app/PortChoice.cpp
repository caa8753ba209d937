#include "app/PortChoice.h"
#include "app/SetupUnit.h"
#include "link/PortKind.h"
#include "link/PortList.h"
#include "link/SerialDrv.h"

namespace {
constexpr char SettingRecentNetworkPorts[] = "recentnetworkports";
constexpr int RecentNetworkPortsKept = 5;

void ApplyPath(const QString& text, TSerialDriver& driver) {
    if (const auto path = DevicePathFor(text)) driver.SetPortName(*path);
}
} // namespace

QString RestorePortChoice(TSerialDriver& driver, QString* error) {
    const QString text =
        ReadSetting(QLatin1String(SettingComPortName), QStringLiteral("COM1"), error);
    ApplyPath(text, driver);
    return text;
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
