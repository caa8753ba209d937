#include "link/network/NetworkPort.h"
#include "link/PortKind.h"
#include "link/Rfc2217.h"
#include "link/Tick.h"

#include <QHostInfo>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <optional>

namespace {

// What a server says before it closes a connection to a port another client holds.
const QByteArray InUseText = "in use";

void SystemLookup(const QString& host, QObject* context,
                  std::function<void(QList<QHostAddress>, QString)> done) {
    QHostInfo::lookupHost(host, context, [done = std::move(done)](const QHostInfo& info) {
        if (info.error() != QHostInfo::NoError || info.addresses().isEmpty())
            done({}, info.errorString());
        else
            done(info.addresses(), {});
    });
}

PortStatus NotOpen() {
    return {PortError::NotOpen, QStringLiteral("port is not open")};
}

PortStatus Lost() {
    return {PortError::DeviceGone, QStringLiteral("the connection to the server is lost")};
}

PortError ErrorOf(QAbstractSocket::SocketError e) {
    switch (e) {
    case QAbstractSocket::ConnectionRefusedError:
        return PortError::ConnectionRefused;
    case QAbstractSocket::HostNotFoundError:
        return PortError::HostNotFound;
    case QAbstractSocket::SocketTimeoutError:
        return PortError::TimedOut;
    case QAbstractSocket::RemoteHostClosedError:
        return PortError::DeviceGone;
    case QAbstractSocket::SocketAccessError:
        return PortError::AccessDenied;
    default:
        return PortError::Other;
    }
}

} // namespace

struct NetworkPort::Connection {
    NetworkAddress Address;
    QObject Context; // every signal and timer of this connection ends with it
    QTcpSocket* Socket = [this] {
        auto* s = new QTcpSocket(&Context);
        s->setReadBufferSize(InputWindow); // a flood waits in the system, not in memory
        return s;
    }();
    QTimer* Deadline = new QTimer(&Context);
    QList<QHostAddress> Addresses;
    qint64 ConnectStart = 0;
    Rfc2217Session Telnet;
    QByteArray Input; // data from the device, Telnet taken out; at most InputWindow
    quint64 Dropped = 0;
    std::optional<PortStatus> Result;
    std::function<void(PortStatus)> Done;
    bool Gone = false;

    bool Rfc() const { return Address.Kind == PortKind::Rfc2217; }
    bool Up() const { return Result && Result->Ok() && !Gone; }
    void Send(const QByteArray& bytes) {
        if (bytes.isEmpty() || Socket->state() != QAbstractSocket::ConnectedState) return;
        Socket->write(bytes);
        Socket->flush();
    }
    // Answers to a server that does not read what we send are dropped: they would only
    // pile up, and the deadline of the connection still ends it.
    void SendTelnet() {
        const QByteArray out = Telnet.TakeOutbox();
        if (Socket->bytesToWrite() + out.size() > OutputBound) return;
        Send(out);
    }
    // Keeps the window: the newest bytes go, as a full driver buffer loses them.
    void Bound() {
        if (Input.size() <= InputWindow) return;
        Dropped += quint64(Input.size() - InputWindow);
        Input.truncate(InputWindow);
    }

    // The open's outcome, told once and never from inside a signal of the socket: the
    // caller may close the port (and so delete the socket) in its handler.
    void Finish(PortStatus status) {
        if (Result) return;
        Result = status;
        Deadline->stop();
        if (!status.Ok()) Socket->abort();
        if (Done)
            QTimer::singleShot(0, &Context, [this] {
                if (auto done = std::exchange(Done, nullptr)) done(*Result);
            });
    }

    void TryNext() {
        if (Addresses.isEmpty()) return;
        ConnectStart = TickMs();
        Socket->connectToHost(Addresses.takeFirst(), Address.Port);
    }

    void Failed(QAbstractSocket::SocketError error) {
        if (Result) {
            Gone = true;
            return;
        }
        // Another address of the same name may answer (localhost: ::1, then 127.0.0.1).
        if (!Addresses.isEmpty() && Socket->state() != QAbstractSocket::ConnectedState &&
            error != QAbstractSocket::RemoteHostClosedError) {
            Socket->abort();
            TryNext();
            return;
        }
        if (error == QAbstractSocket::RemoteHostClosedError) {
            // A server with its port held by another client says so and closes.
            const QByteArray said = Input.trimmed();
            if (said.toLower().contains(InUseText))
                return Finish({PortError::Busy, QString::fromLatin1(said.left(200))});
            return Finish(
                {PortError::DeviceGone, QStringLiteral("the server closed the connection")});
        }
        Finish({ErrorOf(error), Socket->errorString()});
    }

    void Connected() {
        Socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        Deadline->start(SetupTimeoutMs);
        if (Rfc()) {
            Send(Telnet.Start());
            return;
        }
        // A plain TCP server has nothing to agree on; one whose port is held says so at
        // once and closes: the open waits about two round trips for that.
        const qint64 roundTrip = TickMs() - ConnectStart;
        QTimer::singleShot(int(std::clamp<qint64>(2 * roundTrip, 100, 1000)), &Context,
                           [this] { Finish(PortStatus::Success()); });
    }

    void Arrived() {
        const QByteArray raw = Socket->readAll();
        AckPromptly(Socket->socketDescriptor());
        if (!Rfc()) {
            Input += raw;
            Bound();
            return;
        }
        Telnet.Receive(raw, Input);
        Bound();
        SendTelnet();
        if (Result) return;
        if (!Telnet.Failure().isEmpty())
            Finish({Telnet.Refused() ? PortError::NotASerialServer : PortError::Unsupported,
                    Telnet.Failure()});
        else if (Telnet.Ready())
            Finish(PortStatus::Success());
    }
};

NetworkPort::NetworkPort(Resolver resolver)
    : m_resolver(resolver ? std::move(resolver) : Resolver(SystemLookup)) {}

NetworkPort::~NetworkPort() {
    Close();
}

bool NetworkPort::IsOpen() const {
    return m_c != nullptr;
}

PortStatus NetworkPort::Open(const QString& path) {
    if (IsOpen()) return PortStatus::Success();
    const std::optional<NetworkAddress> address = ParseNetworkPortName(path);
    if (!address) return {PortError::NotFound, QStringLiteral("not an address of a network port")};
    m_c = std::make_unique<Connection>();
    Connection* c = m_c.get();
    c->Address = *address;
    c->Deadline->setSingleShot(true);
    QObject::connect(c->Deadline, &QTimer::timeout, &c->Context, [c] {
        // Connected and still silent: a server that does not speak the protocol.
        if (c->Socket->state() == QAbstractSocket::ConnectedState)
            c->Finish({PortError::NotASerialServer,
                       QStringLiteral("no answer to the RFC 2217 negotiation")});
        else
            c->Finish({PortError::TimedOut, QStringLiteral("no answer from the server")});
    });
    QObject::connect(c->Socket, &QTcpSocket::connected, &c->Context, [c] { c->Connected(); });
    QObject::connect(c->Socket, &QTcpSocket::readyRead, &c->Context, [c] { c->Arrived(); });
    QObject::connect(c->Socket, &QTcpSocket::errorOccurred, &c->Context,
                     [c](QAbstractSocket::SocketError e) { c->Failed(e); });
    c->Deadline->start(ConnectTimeoutMs);

    const QHostAddress literal(c->Address.Host);
    if (!literal.isNull()) {
        c->Addresses = {literal};
        c->TryNext();
    } else {
        m_resolver(c->Address.Host, &c->Context, [c](QList<QHostAddress> found, QString why) {
            if (found.isEmpty()) return c->Finish({PortError::HostNotFound, why});
            c->Addresses = found;
            c->TryNext();
        });
    }
    return PortStatus::Success();
}

void NetworkPort::WhenReady(std::function<void(PortStatus)> done) {
    if (!m_c) return done(NotOpen());
    if (m_c->Result) return done(*m_c->Result);
    m_c->Done = std::move(done);
}

void NetworkPort::Close() {
    // Deleting the context ends its timers and signals; a pending WhenReady is dropped.
    m_c.reset();
}

PortStatus NetworkPort::Configure(const LineSettings& settings) {
    if (!m_c) return NotOpen();
    if (m_c->Rfc()) {
        m_c->Telnet.SetLine(settings);
        m_c->SendTelnet();
    }
    return PortStatus::Success();
}

PortStatus NetworkPort::SetModemLines(ModemLineLevels levels) {
    if (!m_c) return NotOpen();
    if (m_c->Rfc()) {
        m_c->Telnet.SetModemLines(levels);
        m_c->SendTelnet();
    }
    return PortStatus::Success();
}

PortStatus NetworkPort::Flush(bool input, bool output) {
    if (!m_c) return NotOpen();
    if (input) m_c->Input.clear();
    if (m_c->Rfc()) {
        m_c->Telnet.Purge(input, output);
        m_c->SendTelnet();
    }
    return PortStatus::Success();
}

PortStatus NetworkPort::InputQueued(quint32& count) {
    count = 0;
    if (!m_c) return NotOpen();
    count = quint32(m_c->Input.size());
    // What came before the connection went is still handed out.
    if (count == 0 && m_c->Gone) return Lost();
    return PortStatus::Success();
}

quint64 NetworkPort::DroppedInput() const {
    return m_c ? m_c->Dropped : 0;
}

PortStatus NetworkPort::OutputQueued(quint32& count) {
    count = 0;
    if (!m_c) return NotOpen();
    count = quint32(m_c->Socket->bytesToWrite());
    return PortStatus::Success();
}

PortStatus NetworkPort::ModemLines(quint8& lines) {
    lines = 0;
    if (!m_c) return NotOpen();
    lines = m_c->Telnet.ModemLines();
    return PortStatus::Success();
}

PortTransfer NetworkPort::Read(std::uint8_t* buffer, quint32 count) {
    if (!m_c) return {0, NotOpen()};
    const auto n = quint32(std::min<qsizetype>(count, m_c->Input.size()));
    std::copy_n(m_c->Input.constData(), n, buffer);
    m_c->Input.remove(0, n);
    return {n, PortStatus::Success()};
}

PortTransfer NetworkPort::Write(const std::uint8_t* data, quint32 count) {
    if (!m_c) return {0, NotOpen()};
    if (!m_c->Up() || m_c->Socket->state() != QAbstractSocket::ConnectedState) return {0, Lost()};
    if (count == 0) return {};
    m_c->Send(m_c->Rfc() ? Rfc2217Session::Escape(data, count)
                         : QByteArray(reinterpret_cast<const char*>(data), qsizetype(count)));
    return {count, PortStatus::Success()};
}

PortWait NetworkPort::WaitWritable(int timeoutMs) {
    if (!m_c || !m_c->Up()) return PortWait::Gone;
    if (m_c->Socket->bytesToWrite() > 0) m_c->Socket->waitForBytesWritten(timeoutMs);
    if (m_c->Socket->state() != QAbstractSocket::ConnectedState) return PortWait::Gone;
    return m_c->Socket->bytesToWrite() == 0 ? PortWait::Ready : PortWait::TimedOut;
}

PortWait NetworkPort::WaitHangup(int timeoutMs) {
    if (!m_c || !m_c->Up()) return PortWait::Gone;
    if (m_c->Socket->bytesToWrite() > 0)
        m_c->Socket->waitForBytesWritten(timeoutMs);
    else
        m_c->Socket->waitForDisconnected(timeoutMs);
    return m_c->Socket->state() == QAbstractSocket::ConnectedState ? PortWait::TimedOut
                                                                   : PortWait::Gone;
}
