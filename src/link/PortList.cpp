// The rule from a shown port name to a device path, for both platforms' forms.  The list
// of ports itself is each platform's own (PortList_posix.cpp, PortList_win.cpp).

#include "link/PortList.h"
#include "link/PortKind.h"

#include <QDebug>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

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

struct Chip {
    quint16 Vid;
    int Pid; // -1: any product of the maker
    const char* Family;
};
// The adapters met most often; the first row that fits wins.
constexpr Chip Chips[] = {
    {0x0403, 0x6001, "FTDI FT232R"}, {0x0403, 0x6010, "FTDI FT2232"},
    {0x0403, 0x6011, "FTDI FT4232"}, {0x0403, 0x6014, "FTDI FT232H"},
    {0x0403, 0x6015, "FTDI FT-X"},   {0x0403, -1, "FTDI"},
    {0x1a86, 0x7523, "CH340"},       {0x1a86, 0x5523, "CH341"},
    {0x1a86, 0x55d4, "CH9102"},      {0x1a86, -1, "WCH"},
    {0x067b, -1, "PL2303"},          {0x10c4, 0xea60, "CP210x"},
    {0x10c4, 0xea70, "CP2105"},      {0x10c4, 0xea71, "CP2108"},
    {0x10c4, -1, "Silicon Labs"},
};
struct DriverChip {
    const char* Driver;
    const char* Family;
};
constexpr DriverChip DriverChips[] = {{"ftdi_sio", "FTDI"},   {"ch341", "CH340/CH341"},
                                      {"pl2303", "PL2303"},   {"cp210x", "CP210x"},
                                      {"cdc_acm", "CDC-ACM"}, {"usbser", "CDC-ACM"}};

QString Hex4(quint16 id) {
    return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0'));
}

std::optional<quint16> HexId(const QJsonValue& v) {
    bool ok = false;
    const uint id = v.toString().toUInt(&ok, 16);
    if (!ok || id > 0xffff) return std::nullopt;
    return quint16(id);
}
} // namespace

QString ChipFamily(std::optional<quint16> vid, std::optional<quint16> pid, const QString& driver) {
    if (vid)
        for (const Chip& c : Chips)
            if (c.Vid == *vid && (c.Pid < 0 || (pid && c.Pid == *pid)))
                return QString::fromLatin1(c.Family);
    for (const DriverChip& d : DriverChips)
        if (driver == QLatin1String(d.Driver)) return QString::fromLatin1(d.Family);
    return {};
}

QString ChipOf(const SerialPortDetails& port) {
    const QString chip = ChipFamily(port.VendorId, port.ProductId, port.Driver);
    if (chip.isEmpty() && port.Name.startsWith(QLatin1String("ttyACM")))
        return QStringLiteral("CDC-ACM");
    return chip;
}

QString AdapterSummary(const SerialPortDetails& port) {
    QStringList parts;
    if (const QString chip = ChipOf(port); !chip.isEmpty()) parts << chip;
    if (port.VendorId || port.ProductId)
        parts << (port.VendorId ? Hex4(*port.VendorId) : QStringLiteral("????")) + u':' +
                     (port.ProductId ? Hex4(*port.ProductId) : QStringLiteral("????"));
    if (!port.SerialNumber.isEmpty()) parts << QStringLiteral("S/N ") + port.SerialNumber;
    if (!port.ById.isEmpty()) parts << port.ById;
    return parts.join(QLatin1String(", "));
}

std::optional<QList<SerialPortDetails>> TestPortTable() {
    if (qEnvironmentVariableIsEmpty(TestPortTableVariable)) return std::nullopt;
    QList<SerialPortDetails> ports;
    QFile file(qEnvironmentVariable(TestPortTableVariable));
    QJsonParseError error{};
    const QJsonDocument doc = file.open(QIODevice::ReadOnly)
                                  ? QJsonDocument::fromJson(file.read(1 << 20), &error)
                                  : QJsonDocument();
    if (!doc.isArray()) {
        qWarning().noquote() << TestPortTableVariable << file.fileName() << "gives no ports";
        return ports;
    }
    for (const QJsonValue& v : doc.array()) {
        const QJsonObject o = v.toObject();
        SerialPortDetails d;
        d.Name = o.value(QLatin1String("name")).toString();
        d.SystemLocation = o.value(QLatin1String("systemLocation")).toString();
        d.Description = o.value(QLatin1String("description")).toString();
        d.Manufacturer = o.value(QLatin1String("manufacturer")).toString();
        d.SerialNumber = o.value(QLatin1String("serialNumber")).toString();
        d.VendorId = HexId(o.value(QLatin1String("vendorId")));
        d.ProductId = HexId(o.value(QLatin1String("productId")));
        d.Driver = o.value(QLatin1String("driver")).toString();
        d.ById = o.value(QLatin1String("byId")).toString();
        if (!d.Name.isEmpty()) ports << d;
    }
    return ports;
}

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
