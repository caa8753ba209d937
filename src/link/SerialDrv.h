#pragma once
// TSerialDriver: owns one serial port.  It opens the port by its device path (or a network
// serial server's port by its address: PortKind.h), applies the line settings, polls the port on a timer of the GUI thread and hands whatever arrived to
// OnReceiveData (or cuts it into packets for OnReceivePacket), and writes blocks with an
// idle time-out.

#include "link/SerialPort.h"
#include "link/SerialTypes.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QTimer;
class TSerialDriver;

// The event handlers; `data` is the driver's InputBuffer, valid only during the call.  A
// handler may close the port; it must not delete the driver (deleteLater is fine).
using TReceiveDataEvent =
    std::function<void(TSerialDriver* sender, const std::uint8_t* data, quint32 size)>;
using TReceivePacketEvent =
    std::function<void(TSerialDriver* sender, const std::uint8_t* packet, quint32 size)>;
// Every block the port took from a write (sent) and every block read from it (not sent), as
// it happens, before any other handler sees it: for a host that keeps a trace of the line.
// It must not touch the port.
// The port went away while open (an adapter pulled out, a pseudo-terminal's other side
// closed, a network server's connection closed): told once, at the tick that found it.  The
// port stays open until the host closes it.
using TPortLostEvent = std::function<void(TSerialDriver* sender, const PortStatus& status)>;
using TLineTraceEvent =
    std::function<void(TSerialDriver* sender, bool sent, const std::uint8_t* data, quint32 size)>;

class TSerialDriver : public QObject {
    Q_OBJECT
public:
    static constexpr quint32 MinBufSize = 128;
    static constexpr quint32 MaxBufSize = 8192;
    static constexpr quint16 MinPollingDelay = 5;

    explicit TSerialDriver(QObject* parent = nullptr);
    ~TSerialDriver() override; // ClosePort

    // Published properties, in their declaration order.  Writes follow each property's
    // rule; Port, PortName, InBufSize and OutBufSize are not changed while the port is open.
    // Port picks a port by its number, for a host that offers numbered ports; both
    // programs set PortName.
    TPortNumber Port() const { return m_port; }
    void SetPort(TPortNumber value);
    QString PortName() const { return m_portName; }
    void SetPortName(const QString& value);
    TBaudRate BaudRate() const { return m_baudRate; }
    void SetBaudRate(TBaudRate value);
    quint32 BaudRateValue() const { return m_baudRateValue; }
    void SetBaudRateValue(quint32 value);
    TDataBits DataBits() const { return m_dataBits; }
    void SetDataBits(TDataBits value);
    TStopBits StopBits() const { return m_stopBits; }
    void SetStopBits(TStopBits value);
    TParity Parity() const { return m_parity; }
    void SetParity(TParity value);
    THwFlowControl HwFlow() const { return m_hwFlow; }
    void SetHwFlow(THwFlowControl value);
    TSwFlowControl SwFlow() const { return m_swFlow; }
    void SetSwFlow(TSwFlowControl value);
    quint32 InBufSize() const { return m_inBufSize; }
    void SetInBufSize(quint32 value);
    quint32 OutBufSize() const { return m_outBufSize; }
    void SetOutBufSize(quint32 value);
    // Packet mode (PacketSize, PacketTimeout, PacketMode, OnReceivePacket) is for hosts
    // whose device sends fixed-size packets; both programs take the bytes as they come.
    qint16 PacketSize() const { return m_packetSize; }
    void SetPacketSize(qint16 value);
    qint32 PacketTimeout() const { return m_packetTimeout; }
    void SetPacketTimeout(qint32 value);
    TPacketMode PacketMode() const { return m_packetMode; }
    void SetPacketMode(TPacketMode value) { m_packetMode = value; }
    quint16 PollingDelay() const { return m_pollingDelay; }
    void SetPollingDelay(quint16 value);
    bool EnableDTROnOpen() const { return m_enableDTROnOpen; }
    void SetEnableDTROnOpen(bool value) { m_enableDTROnOpen = value; }
    quint16 OutputTimeout() const { return m_outputTimeout; }
    void SetOutputTimeout(quint16 value) { m_outputTimeout = value; }
    // A published property that no operation of the driver reads.
    quint32 InputTimeout() const { return m_inputTimeout; }
    void SetInputTimeout(quint32 value) { m_inputTimeout = value; }
    bool CheckLineStatus() const { return m_checkLineStatus; }
    void SetCheckLineStatus(bool value) { m_checkLineStatus = value; }

    TReceiveDataEvent OnReceiveData; // plain members: "assigned" = non-empty
    TReceivePacketEvent OnReceivePacket;
    TLineTraceEvent OnLineTrace;
    TPortLostEvent OnPortLost;

    bool IsOpen() const;
    // Opens PortName, applies the settings and starts polling.  True at once when already
    // open.  A port that opened but refused the settings is closed again.  A port that
    // takes time to come up (a network server) is waited for in an event loop of its own;
    // callers with a loop to return to use OpenPortThen.
    bool OpenPort();
    // As OpenPort, but the outcome goes to `done`: before this returns for a local port,
    // from the event loop once a network port is up or has failed.  ClosePort meanwhile
    // cancels the open and `done` is not called.
    void OpenPortThen(std::function<void(bool opened)> done);
    // Between OpenPortThen and its outcome.
    bool IsOpening() const { return m_opening; }
    void ClosePort();
    bool ApplySettings();
    bool PurgeBuffers(bool input, bool output);
    // Free space in the output queue: OutBufSize less what the system still holds, never
    // below 0; 65535 when closed.
    quint16 OutputRoom();
    quint8 ReadModemLines(); // ModemStatus bits: 0 CTS, 1 DSR, 2 RING, 3 RLSD
    // Writes as much of `data` as the port takes, giving up after `timeoutMs` without
    // progress or at the first hard error of the device.  Returns the bytes written.
    quint32 WriteWithTimeout(const std::uint8_t* data, quint32 count, quint32 timeoutMs);
    quint32 SendBytes(const std::uint8_t* data, quint32 count);
    // The poll timer's handler: reads what has arrived and raises the events.
    void PollTick();
    // Time to send `characters` 10-bit characters at BaudRateValue, in ms, halves to even.
    int TransmitTimeMs(int characters) const;

    // Why the last operation on the port failed, in the system's words where it has them.
    PortStatus LastError() const { return m_lastError; }
    // Every read lands here (InBufSize bytes, zero-filled when allocated).
    const std::vector<std::uint8_t>& InputBuffer() const { return m_inputBuffer; }

private:
    bool Remember(const PortStatus& status);
    bool Held() const; // open, or on its way to being open
    LineSettings CurrentLineSettings() const;
    void ReApplyIfOpen();
    void PacketTick(quint32 waiting);

    std::unique_ptr<PortDevice> m_serial; // of the kind the name at the last open called for
    bool m_opening = false;
    QTimer* m_pollTimer = nullptr;
    std::vector<std::uint8_t> m_inputBuffer;
    qint64 m_packetStartTime = -1;
    PortStatus m_lastError;
    quint64 m_openCount = 0; // tells a handler's close-and-reopen from the port we read
    bool m_inTick = false;
    bool m_lostTold = false; // OnPortLost was called for the port now open

    TPortNumber m_port = pnCOM2;
    QString m_portName;
    TBaudRate m_baudRate = br9600;
    quint32 m_baudRateValue = 9600;
    TDataBits m_dataBits = db8BITS;
    TStopBits m_stopBits = sb1BITS;
    TParity m_parity = ptNONE;
    THwFlowControl m_hwFlow = hfNONERTSON;
    TSwFlowControl m_swFlow = sfNONE;
    quint32 m_inBufSize = 2048;
    quint32 m_outBufSize = 2048;
    qint16 m_packetSize = -1;
    qint32 m_packetTimeout = -1;
    TPacketMode m_packetMode = pmDiscard;
    quint16 m_pollingDelay = 50;
    bool m_enableDTROnOpen = true;
    quint16 m_outputTimeout = 500;
    quint32 m_inputTimeout = 200;
    bool m_checkLineStatus = false;
};
