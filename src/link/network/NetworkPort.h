#pragma once
// A port of a network serial server (ser2net, an Ethernet-to-serial converter), named
// "rfc2217://HOST:PORT" or "socket://HOST:PORT" (PortKind.h), behind the same interface
// as the local serial port.  Looking the host up, connecting and setting the port up run
// on the event loop, so nothing waits for the network; WhenReady tells the outcome, each
// phase bounded in time.  With RFC 2217 the line is set as the driver asks and purges go
// to the server; a plain TCP port takes the server's own settings.
//
// Replies are sent without delay (TCP_NODELAY), and after each receive the next one is
// acknowledged at once where the system allows it: a server that sends a reply in pieces
// would otherwise wait for our delayed acknowledgement after each.

#include "link/SerialPort.h"

#include <QHostAddress>
#include <QList>

#include <functional>
#include <memory>

class QObject;

class NetworkPort final : public PortDevice {
public:
    // Looks `host` up and calls `done` with its addresses, or with none and why; not after
    // `context` is gone.  The system's resolver unless another is given.
    using Resolver = std::function<void(const QString& host, QObject* context,
                                        std::function<void(QList<QHostAddress>, QString)> done)>;

    static constexpr int ConnectTimeoutMs = 5000; // looking up and connecting
    static constexpr int SetupTimeoutMs = 5000;   // the server's answers on the port
    // What the port keeps of the device's data before it is read, as a serial driver's
    // buffer does: no reply is longer than a few hundred bytes, so what comes beyond this
    // is a flood, dropped and counted.
    static constexpr qsizetype InputWindow = 4096;
    // Our answers to the server's negotiation waiting to be sent: a server that keeps
    // asking and never reads gets no more once this much is queued.
    static constexpr qint64 OutputBound = 64 * 1024;

    explicit NetworkPort(Resolver resolver = {});
    ~NetworkPort() override;

    bool IsOpen() const override;
    PortStatus Open(const QString& path) override;
    void WhenReady(std::function<void(PortStatus)> done) override;
    void Close() override;
    PortStatus Configure(const LineSettings& settings) override;
    PortStatus SetModemLines(ModemLineLevels levels) override;
    PortStatus Flush(bool input, bool output) override;
    PortStatus InputQueued(quint32& count) override;
    PortStatus OutputQueued(quint32& count) override;
    PortStatus ModemLines(quint8& lines) override;
    PortTransfer Read(std::uint8_t* buffer, quint32 count) override;
    PortTransfer Write(const std::uint8_t* data, quint32 count) override;
    PortWait WaitWritable(int timeoutMs) override;
    PortWait WaitHangup(int timeoutMs) override;

    // Bytes of the device's data dropped because the window was full, since the open.
    quint64 DroppedInput() const;

private:
    struct Connection;
    Resolver m_resolver;
    std::unique_ptr<Connection> m_c;
};

// Asks the system to acknowledge the next data received on `socket` at once instead of
// delaying the acknowledgement; nothing where it has no such notion.  Each platform's own.
void AckPromptly(qintptr socket);
