#pragma once
// A port name picks the kind of port: a serial device ("ttyUSB0", "COM3", a path), or a
// port of a network serial server, "rfc2217://HOST:PORT" (Telnet with the COM port
// option: the program sets the line) or "socket://HOST:PORT" (plain TCP: the server's own
// line settings apply).  HOST is a name, an IPv4 address or an IPv6 address in brackets.

#include <QString>

#include <memory>
#include <optional>

class PortDevice;

enum class PortKind { Serial, Rfc2217, RawTcp };

struct NetworkAddress {
    PortKind Kind = PortKind::Rfc2217;
    QString Host; // without the brackets of an IPv6 address
    quint16 Port = 0;
};

// The address a network port name gives; nullopt for any other text (also for one that
// starts like a network name but is not a whole one).
std::optional<NetworkAddress> ParseNetworkPortName(const QString& name);
inline bool IsNetworkPortName(const QString& name) {
    return ParseNetworkPortName(name).has_value();
}

// A closed port of the kind `name` calls for; nullptr, and why, when this installation
// cannot make that kind (a module of it is missing).
std::unique_ptr<PortDevice> MakePortDevice(const QString& name, QString* why = nullptr);

// The module that makes ports of network serial servers (link/network).
struct NetworkPortModule {
    static constexpr char Name[] = "network";
    std::unique_ptr<PortDevice> (*Create)();
};
