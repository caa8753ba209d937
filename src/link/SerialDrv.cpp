#include "link/SerialDrv.h"
#include "link/PortKind.h"
#include "link/PortList.h"
#include "link/Tick.h"

#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <optional>

namespace {
constexpr quint16 ClosedOutputRoom = 65535;
constexpr qint16 MaxPacketSize = qint16(TSerialDriver::MaxBufSize);
} // namespace

TSerialDriver::TSerialDriver(QObject* parent)
    : QObject(parent), m_serial(std::make_unique<SerialPort>()), m_pollTimer(new QTimer(this)),
      m_portName(DevicePathOfPortNumber(2)) {
    m_inputBuffer.assign(m_inBufSize, 0);
    m_pollTimer->setObjectName(QStringLiteral("PollTimer"));
    // Precise, so that a tick due together with a timer started after it (an exchange's
    // deadline is a whole number of polling periods) always comes first; coarse timers may
    // swap the two.
    m_pollTimer->setTimerType(Qt::PreciseTimer);
    connect(m_pollTimer, &QTimer::timeout, this, &TSerialDriver::PollTick);
}

TSerialDriver::~TSerialDriver() {
    ClosePort();
}

// ---- properties ----------------------------------------------------------------------

void TSerialDriver::SetPort(TPortNumber value) {
    if (Held()) return;
    m_port = value;
    if (value != pnCustom) m_portName = DevicePathOfPortNumber(int(value));
}

void TSerialDriver::SetPortName(const QString& value) {
    if (Held()) return;
    m_portName = value;
    m_port = pnCustom;
}

void TSerialDriver::SetBaudRate(TBaudRate value) {
    m_baudRate = value;
    if (value != brCustom) m_baudRateValue = BaudRateValueOf(value);
    ReApplyIfOpen();
}

void TSerialDriver::SetBaudRateValue(quint32 value) {
    m_baudRateValue = value;
    m_baudRate = brCustom;
    ReApplyIfOpen();
}

void TSerialDriver::SetDataBits(TDataBits value) {
    m_dataBits = value;
    ReApplyIfOpen();
}

void TSerialDriver::SetStopBits(TStopBits value) {
    m_stopBits = value;
    ReApplyIfOpen();
}

void TSerialDriver::SetParity(TParity value) {
    m_parity = value;
    ReApplyIfOpen();
}

void TSerialDriver::SetHwFlow(THwFlowControl value) {
    m_hwFlow = value;
    ReApplyIfOpen();
}

void TSerialDriver::SetSwFlow(TSwFlowControl value) {
    m_swFlow = value;
    ReApplyIfOpen();
}

void TSerialDriver::SetInBufSize(quint32 value) {
    if (Held()) return;
    m_inBufSize = std::clamp(value, MinBufSize, MaxBufSize);
    // A fresh buffer: nothing of an earlier read may show through a later, shorter one.
    m_inputBuffer.assign(m_inBufSize, 0);
    SetPacketSize(m_packetSize);
}

void TSerialDriver::SetOutBufSize(quint32 value) {
    if (Held()) return;
    m_outBufSize = std::clamp(value, MinBufSize, MaxBufSize);
}

void TSerialDriver::SetPacketSize(qint16 value) {
    if (value <= 0) {
        m_packetSize = -1;
        return;
    }
    value = std::min(value, MaxPacketSize);
    // The input buffer cannot grow while the port is open, and a packet is read into it
    // whole: a larger packet would be read past its end.
    if (Held()) value = std::min(value, qint16(m_inBufSize));
    m_packetSize = value;
    if (quint32(value) > m_inBufSize) SetInBufSize(quint32(value));
}

void TSerialDriver::SetPacketTimeout(qint32 value) {
    if (value <= 0)
        m_packetTimeout = -1;
    else if (value < qint32(m_pollingDelay))
        m_packetTimeout = m_pollingDelay + m_pollingDelay * 40 / 100;
    else
        m_packetTimeout = value;
}

void TSerialDriver::SetPollingDelay(quint16 value) {
    value = std::max(value, MinPollingDelay);
    if (value == m_pollingDelay) return;
    m_pollingDelay = value;
    if (IsOpen()) m_pollTimer->start(m_pollingDelay); // restarts with the new period
    SetPacketTimeout(m_packetTimeout);
}

// ---- the port ------------------------------------------------------------------------

bool TSerialDriver::Remember(const PortStatus& status) {
    if (!status.Ok()) m_lastError = status;
    return status.Ok();
}

LineSettings TSerialDriver::CurrentLineSettings() const {
    return {m_baudRateValue, m_dataBits, m_stopBits,  m_parity,
            m_hwFlow,        m_swFlow,   m_inBufSize, m_outBufSize};
}

void TSerialDriver::ReApplyIfOpen() {
    if (Held()) ApplySettings();
}

bool TSerialDriver::Held() const {
    return m_serial->IsOpen();
}

bool TSerialDriver::IsOpen() const {
    return Held() && !m_opening;
}

bool TSerialDriver::OpenPort() {
    std::optional<bool> result;
    OpenPortThen([&result](bool opened) { result = opened; });
    // A network port comes up from the event loop; it runs here until the port has.
    QEventLoop loop;
    while (!result && m_opening)
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    return result.value_or(false);
}

void TSerialDriver::OpenPortThen(std::function<void(bool opened)> done) {
    if (IsOpen()) return done(true);
    if (m_opening) return done(false);
    m_lastError = {};
    QString unavailable;
    std::unique_ptr<PortDevice> device = MakePortDevice(m_portName, &unavailable);
    if (!device) {
        Remember({PortError::Other, unavailable});
        return done(false);
    }
    m_serial = std::move(device);
    if (!Remember(m_serial->Open(m_portName))) return done(false);
    auto fail = [this] {
        const PortStatus why = m_lastError;
        ClosePort();
        m_lastError = why;
    };
    if (!ApplySettings()) {
        fail();
        return done(false);
    }
    m_opening = true;
    m_serial->WhenReady([this, fail, done = std::move(done)](PortStatus status) {
        m_opening = false;
        if (!Remember(status)) {
            fail();
            return done(false);
        }
        // The descriptor is non-blocking, which is what the port's time-outs are for
        // elsewhere: a read returns at once with what is queued, a write with what it could
        // hand over.
        ++m_openCount;
        m_lostTold = false;
        m_pollTimer->start(m_pollingDelay);
        done(true);
    });
}

void TSerialDriver::ClosePort() {
    if (!Held()) return;
    m_opening = false;
    m_pollTimer->stop();
    m_serial->Close();
}

bool TSerialDriver::ApplySettings() {
    if (!Held()) return false;
    if (!Remember(m_serial->Configure(CurrentLineSettings()))) return false;
    if (!Remember(m_serial->SetModemLines(ModemLinesFor(m_enableDTROnOpen, m_hwFlow))))
        return false;
    if (!PurgeBuffers(true, true)) return false;
    // Configure asked the system for queues of InBufSize and OutBufSize where it can size
    // them; elsewhere InBufSize bounds every read and OutBufSize the room a write may fill.
    return true;
}

bool TSerialDriver::PurgeBuffers(bool input, bool output) {
    if (!Held()) return false;
    if (!Remember(m_serial->Flush(input, output))) return false;
    m_packetStartTime = -1;
    return true;
}

quint16 TSerialDriver::OutputRoom() {
    if (!IsOpen()) return ClosedOutputRoom;
    quint32 queued = 0;
    // A device that cannot say counts as empty; the write that follows meets its error.
    Remember(m_serial->OutputQueued(queued));
    return OutputRoomFor(m_outBufSize, queued);
}

quint8 TSerialDriver::ReadModemLines() {
    if (!IsOpen()) return 0;
    quint8 lines = 0;
    if (!Remember(m_serial->ModemLines(lines))) return 0;
    return lines;
}

quint32 TSerialDriver::WriteWithTimeout(const std::uint8_t* data, quint32 count,
                                        quint32 timeoutMs) {
    if (!IsOpen() || data == nullptr) return 0;
    quint32 total = 0;
    qint64 last = TickMs();
    // Set while a readiness report has not yet been followed by progress.  A device that
    // says it takes output and then takes nothing would make the next poll return at once,
    // every time; the wait after such a report is timed instead.
    bool saidWritable = false;
    while (count > 0) {
        const quint16 room = OutputRoom();
        if (room > 0) {
            if (m_checkLineStatus && ReadModemLines() == 0) break;
            const PortTransfer sent = m_serial->Write(data, std::min<quint32>(count, room));
            if (sent.Count > 0) {
                if (OnLineTrace) OnLineTrace(this, true, data, sent.Count);
                total += sent.Count;
                data += sent.Count;
                count -= sent.Count;
                last = TickMs();
                saidWritable = false;
                continue;
            }
            // A device that has gone will not take the rest however long we wait.
            if (sent.HardError()) {
                Remember(sent.Status);
                break;
            }
        }
        const qint64 idle = TickMs() - last;
        if (idle > qint64(timeoutMs)) break;
        const int left = int(std::min<qint64>(qint64(timeoutMs) - idle + 1, INT_MAX));
        PortWait waited;
        if (room == 0 || saidWritable) {
            // Room appears as the line sends; give it the time a few characters take.
            const int step =
                std::max(10, TransmitTimeMs(int(std::min<quint32>(count, MinBufSize / 2))));
            waited = m_serial->WaitHangup(std::min(left, step));
            saidWritable = false;
        } else {
            waited = m_serial->WaitWritable(left);
            saidWritable = waited == PortWait::Ready;
        }
        if (waited == PortWait::Gone) {
            Remember({PortError::DeviceGone, QStringLiteral("the device hung up")});
            break;
        }
    }
    return total;
}

quint32 TSerialDriver::SendBytes(const std::uint8_t* data, quint32 count) {
    return WriteWithTimeout(data, count, m_outputTimeout);
}

void TSerialDriver::PollTick() {
    // A handler that runs a nested event loop must not have its data overwritten by a
    // tick inside it; the bytes stay queued for the next tick.
    if (!IsOpen() || m_inTick) return;
    quint32 waiting = 0;
    // A device that has gone answers with an error here, or (a terminal whose other side
    // has gone) reports a hang-up: nothing is read, and the host is told once.
    const PortStatus queued = m_serial->InputQueued(waiting);
    if (!Remember(queued) || (waiting == 0 && !IsNetworkPortName(m_portName) &&
                              m_serial->WaitHangup(0) == PortWait::Gone)) {
        if (m_lostTold || !OnPortLost) return;
        m_lostTold = true;
        OnPortLost(this, queued.Ok() ? PortStatus{PortError::DeviceGone,
                                                  QStringLiteral("the device hung up")}
                                     : queued);
        return;
    }
    m_inTick = true;
    if (m_packetSize > 0) {
        PacketTick(waiting);
    } else if (waiting > 0) {
        const auto want = std::min<quint32>(waiting, quint32(m_inputBuffer.size()));
        const PortTransfer got = m_serial->Read(m_inputBuffer.data(), want);
        Remember(got.Status);
        if (got.Count > 0 && OnLineTrace) OnLineTrace(this, false, m_inputBuffer.data(), got.Count);
        // The handler may close the port; nothing of the port is touched after it.
        if (got.Count > 0 && OnReceiveData) OnReceiveData(this, m_inputBuffer.data(), got.Count);
    }
    m_inTick = false;
}

void TSerialDriver::PacketTick(quint32 waiting) {
    const quint64 session = m_openCount;
    const auto size = quint32(m_packetSize);
    std::uint8_t* buffer = m_inputBuffer.data();
    // After an event: is this still the port and the packet size we were reading?
    auto stillOurs = [&] {
        return IsOpen() && m_openCount == session && m_packetSize == qint16(size);
    };

    while (waiting >= size) {
        const PortTransfer got = m_serial->Read(buffer, size);
        if (!Remember(got.Status) || got.Count == 0) return;
        if (OnLineTrace) OnLineTrace(this, false, buffer, got.Count);
        if (OnReceivePacket) {
            OnReceivePacket(this, buffer, got.Count);
            if (!stillOurs()) return;
        }
        // The next packet began about one packet's sending time after this one.  Whole
        // packets with no part seen at an earlier tick leave the estimate unset; the rest
        // then counts from now (below).
        if (m_packetStartTime != -1) m_packetStartTime += TransmitTimeMs(int(size));
        waiting -= size;
        if (waiting == 0) m_packetStartTime = -1;
    }

    if (m_packetTimeout > 0 && m_packetStartTime != -1 &&
        TickMs() - m_packetStartTime > m_packetTimeout) {
        m_packetStartTime = -1;
        const PortTransfer got = m_serial->Read(buffer, std::min(waiting, size));
        if (Remember(got.Status) && got.Count > 0) {
            if (OnLineTrace) OnLineTrace(this, false, buffer, got.Count);
            if (m_packetMode == pmPass && OnReceivePacket) OnReceivePacket(this, buffer, got.Count);
        }
    } else if (waiting > 0 && m_packetStartTime == -1) {
        m_packetStartTime = TickMs();
    }
}

int TSerialDriver::TransmitTimeMs(int characters) const {
    if (characters <= 0) return 0;
    // Whole 10-bit characters per second.  A custom rate below 10 bit/s sends less than
    // one a second; it counts as one rather than dividing by zero.
    const qint64 perSecond = std::max<qint64>(m_baudRateValue / 10, 1);
    const qint64 scaled = qint64(characters) * 1000;
    qint64 ms = scaled / perSecond;
    const qint64 rest = scaled % perSecond;
    if (2 * rest > perSecond || (2 * rest == perSecond && (ms & 1))) ++ms; // halves to even
    return int(std::min<qint64>(ms, INT_MAX));
}
