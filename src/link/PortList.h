#pragma once
// The serial ports the system knows, and the rule that turns a name the user sees into
// the device path the driver opens.

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Each port's name (ttyUSB0, ttyS0; COM3 on Windows), in the order the system gives them;
// empty when there are none.
QStringList ListSerialPorts();

// What the system knows of one port and its adapter; empty texts and no ids where it knows
// nothing (a built-in port, a pseudo-terminal).
struct SerialPortDetails {
    QString Name;           // as ListSerialPorts gives it
    QString SystemLocation; // the system's own path of the device
    QString Description;
    QString Manufacturer;
    QString SerialNumber;
    std::optional<quint16> VendorId; // USB adapters only
    std::optional<quint16> ProductId;
    QString Driver; // the kernel driver (Linux: ftdi_sio, ch341, pl2303, cp210x, cdc_acm)
    QString ById;   // the port's name in /dev/serial/by-id (Linux), which stays with the adapter
};
// The same ports, in the same order, with their details.  With PROGMZ515_TEST_PORT_TABLE
// set, the ports are those of the JSON file it names instead of the system's (for tests of
// both programs): an array of objects with the fields name, systemLocation, description,
// manufacturer, serialNumber, vendorId and productId (4 hex digits), driver and byId.
inline constexpr char TestPortTableVariable[] = "PROGMZ515_TEST_PORT_TABLE";
QList<SerialPortDetails> ListSerialPortDetails();
// The table PROGMZ515_TEST_PORT_TABLE names, or nullopt when it is not set (an unreadable
// table gives no ports, with a warning).
std::optional<QList<SerialPortDetails>> TestPortTable();

// The adapter's chip family, from its USB ids and else its driver: "FTDI FT232R", "CH340",
// "PL2303", "CP210x", "CDC-ACM" and the like; empty when neither says.
QString ChipFamily(std::optional<quint16> vid, std::optional<quint16> pid, const QString& driver);
// The same for a listed port; a ttyACM port with no other word is CDC-ACM.
QString ChipOf(const SerialPortDetails& port);
// One short line on the port's adapter: chip, VID:PID, serial number and by-id name, those
// that are known ("FTDI FT232R, 0403:6001, S/N A10K3ZQ1, usb-FTDI_..."); empty when none is.
QString AdapterSummary(const SerialPortDetails& port);

// Where a POSIX system's list comes from, and Windows' details of the adapters: the module
// "ports" (link/ports), with Qt's serial port module and udev; nothing when it cannot be loaded.
struct PortListModule {
    static constexpr char Name[] = "ports";
    QList<SerialPortDetails> (*List)();
};
namespace SystemPorts {
QList<SerialPortDetails> List();
} // namespace SystemPorts

enum class PortPathStyle { Posix, Windows };
#ifdef Q_OS_WIN
inline constexpr PortPathStyle NativePortPathStyle = PortPathStyle::Windows;
#else
inline constexpr PortPathStyle NativePortPathStyle = PortPathStyle::Posix;
#endif

// The device path for a name shown in the port box; nullopt when the text names no port
// and the driver's path is to stay as it was.
//   Everywhere: "rfc2217://HOST:PORT" and "socket://HOST:PORT" as they stand (PortKind.h).
//   Windows: "COM..." -> "\\.\COM...".
//   POSIX:   "/..." as it stands; "COMn" (n >= 1) -> /dev/ttyS(n-1); "tty" and at least one
//            more character -> /dev/tty... (never the bare /dev/tty, the controlling
//            terminal of whoever started us); the list's other names, "rfcomm", "ircomm"
//            or "tnt" and more (no "/") -> /dev/rfcomm0 ...
std::optional<QString> DevicePathFor(const QString& shownName);
std::optional<QString> DevicePathFor(const QString& shownName, PortPathStyle style);

// The path of port number n (pnCOMn): /dev/ttyS(n-1) on POSIX, "\\.\COMn" on Windows.
// Empty for n < 1.
QString DevicePathOfPortNumber(int n);
QString DevicePathOfPortNumber(int n, PortPathStyle style);
