// The rule from a shown port name to a device path, for both platforms' forms.  The list
// of ports itself is each platform's own (PortList_posix.cpp, PortList_win.cpp).

#include "link/PortList.h"
#include "link/PortKind.h"

namespace {
const QString WindowsDevicePrefix = QStringLiteral("\\\\.\\");

// n of "COMn" when the rest of the text is a decimal number from 1 on.
std::optional<int> ComNumber(const QString& text) {
    if (!text.startsWith(QLatin1String("COM"))) return std::nullopt;
    const QStringView digits = QStringView(text).mid(3);
    if (digits.isEmpty() || digits.size() > 6 || digits.front() == u'0') return std::nullopt;
    for (QChar c : digits)
        if (c < u'0' || c > u'9') return std::nullopt;
    return digits.toInt();
}
} // namespace

std::optional<QString> DevicePathFor(const QString& shownName) {
    return DevicePathFor(shownName, NativePortPathStyle);
}

std::optional<QString> DevicePathFor(const QString& shownName, PortPathStyle style) {
    // A network server's port is opened by its address, on every platform.
    if (IsNetworkPortName(shownName)) return shownName;
    if (style == PortPathStyle::Windows) {
        if (shownName.startsWith(QLatin1String("COM"))) return WindowsDevicePrefix + shownName;
        return std::nullopt;
    }
    if (shownName.startsWith(u'/')) return shownName;
    if (const auto n = ComNumber(shownName)) return DevicePathOfPortNumber(*n, style);
    if (shownName.size() > 3 && shownName.startsWith(QLatin1String("tty")))
        return QStringLiteral("/dev/") + shownName;
    // The other names the port list gives on Linux (Bluetooth, IrDA and null-modem ports):
    // picked from the list, they must open that port and not leave the last one chosen.
    for (const char* stem : {"rfcomm", "ircomm", "tnt"}) {
        const QLatin1String prefix(stem);
        if (shownName.size() > prefix.size() && shownName.startsWith(prefix) &&
            !shownName.contains(u'/'))
            return QStringLiteral("/dev/") + shownName;
    }
    return std::nullopt;
}

QString DevicePathOfPortNumber(int n) {
    return DevicePathOfPortNumber(n, NativePortPathStyle);
}

QString DevicePathOfPortNumber(int n, PortPathStyle style) {
    if (n < 1) return {};
    if (style == PortPathStyle::Windows)
        return WindowsDevicePrefix + QStringLiteral("COM%1").arg(n);
    return QStringLiteral("/dev/ttyS%1").arg(n - 1);
}
