#include "app/PortChoice.h"
#include "app/SetupUnit.h"
#include "link/PortList.h"
#include "link/SerialDrv.h"

namespace {
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
