// The serial port over the Win32 communications calls.

#include "link/SerialPort.h"
#include "link/Tick.h"

#include <windows.h>

#include <algorithm>
#include <utility>

struct SerialPort::Handle {
    HANDLE Port = INVALID_HANDLE_VALUE;
    DCB Saved{};
    // What SetModemLines asked for, kept so that Configure sends it along in its DCB.
    ModemLineLevels Lines;
    bool RtsHandshake = false;
};

namespace {

PortStatus StatusOf(PortError error, const QString& text) {
    return {error, text};
}

// The one place that turns a Win32 error into our small set; the system's text is kept.
PortStatus FromError(DWORD err) {
    PortError e = PortError::Other;
    switch (err) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
        e = PortError::NotFound;
        break;
    // A port that another program holds answers "access denied": share mode 0 is how the
    // system keeps a second holder out.
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        e = PortError::Busy;
        break;
    case ERROR_INVALID_PARAMETER:
    case ERROR_NOT_SUPPORTED:
        e = PortError::Unsupported;
        break;
    // A line whose far end has hung up reports "not ready".
    case ERROR_NOT_READY:
    case ERROR_INVALID_HANDLE:
    case ERROR_BAD_COMMAND:
    case ERROR_DEVICE_REMOVED:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_OPERATION_ABORTED:
    case ERROR_GEN_FAILURE:
        e = PortError::DeviceGone;
        break;
    default:
        break;
    }
    return StatusOf(e, qt_error_string(int(err)));
}

PortStatus LastError() {
    return FromError(GetLastError());
}

PortStatus NotOpen() {
    return StatusOf(PortError::NotOpen, QStringLiteral("port is not open"));
}

// A driver that does not know a request says so with "not supported": a device without
// modem control lines (a virtual port, a pseudo-terminal behind Wine), one that keeps
// queues of its own size.  The port works all the same.
bool UnsupportedByDriver(DWORD err) {
    return err == ERROR_NOT_SUPPORTED;
}

void FillDcb(DCB& dcb, const LineSettings& s, ModemLineLevels lines) {
    dcb = DCB{};
    dcb.DCBlength = sizeof(DCB);
    dcb.BaudRate = s.BaudRate;
    dcb.fBinary = TRUE;
    dcb.fDtrControl = lines.Dtr ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
    switch (s.HwFlow) {
    case hfNONE:
        dcb.fRtsControl = RTS_CONTROL_DISABLE;
        break;
    case hfNONERTSON:
        dcb.fRtsControl = RTS_CONTROL_ENABLE;
        break;
    case hfRTSCTS:
        dcb.fOutxCtsFlow = TRUE;
        dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
        break;
    }
    if (s.HwFlow != hfRTSCTS)
        dcb.fRtsControl = lines.Rts ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
    if (s.SwFlow == sfXONXOFF) {
        dcb.fOutX = TRUE;
        dcb.fInX = TRUE;
    }
    dcb.XonLim = WORD(std::min<quint32>(s.InQueue / 4, 0xFFFF));
    dcb.XoffLim = dcb.XonLim;
    dcb.ByteSize = BYTE(DataBitsOf(s.DataBits));
    dcb.Parity = BYTE(s.Parity);
    dcb.StopBits = BYTE(s.StopBits);
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
}

bool SameLine(const DCB& a, const DCB& b) {
    return a.BaudRate == b.BaudRate && a.ByteSize == b.ByteSize && a.Parity == b.Parity &&
           a.StopBits == b.StopBits && a.fOutX == b.fOutX && a.fInX == b.fInX &&
           a.fOutxCtsFlow == b.fOutxCtsFlow;
}

// SetCommState, where a device without modem lines may refuse the DTR and RTS part after
// taking the rest: that is accepted once the line itself reads back as asked.
PortStatus SetState(HANDLE port, DCB& dcb) {
    if (SetCommState(port, &dcb)) return PortStatus::Success();
    const DWORD err = GetLastError();
    DCB now{};
    now.DCBlength = sizeof(DCB);
    if (UnsupportedByDriver(err) && GetCommState(port, &now) && SameLine(now, dcb))
        return PortStatus::Success();
    if (err == ERROR_INVALID_PARAMETER || UnsupportedByDriver(err))
        return StatusOf(PortError::Unsupported,
                        QStringLiteral("the device does not take these line settings"));
    return FromError(err);
}

bool Queues(HANDLE port, COMSTAT& stat) {
    DWORD errors = 0;
    stat = COMSTAT{};
    return ClearCommError(port, &errors, &stat) != 0;
}

} // namespace

SerialPort::SerialPort() : m_handle(std::make_unique<Handle>()) {}

SerialPort::~SerialPort() {
    Close();
}

bool SerialPort::IsOpen() const {
    return m_handle->Port != INVALID_HANDLE_VALUE;
}

PortStatus SerialPort::Open(const QString& path) {
    if (IsOpen()) return PortStatus::Success();
    if (path.isEmpty()) return StatusOf(PortError::NotFound, QStringLiteral("no port named"));

    const HANDLE port =
        CreateFileW(reinterpret_cast<LPCWSTR>(path.utf16()), GENERIC_READ | GENERIC_WRITE, 0,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (port == INVALID_HANDLE_VALUE) return LastError();

    // A plain file or another device opens as well; only a serial port has a line state.
    DCB saved{};
    saved.DCBlength = sizeof(DCB);
    if (!GetCommState(port, &saved)) {
        const DWORD err = GetLastError();
        CloseHandle(port);
        return StatusOf(PortError::NotATerminal, qt_error_string(int(err)));
    }
    // A read returns at once with what is queued (it is only asked for that much), a write
    // within about 10 ms with what it could hand over.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = 1;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = 1;
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = 10;
    // Without them a read could wait with the previous holder's time-outs, for ever.
    if (!SetCommTimeouts(port, &timeouts)) {
        const PortStatus why = LastError();
        CloseHandle(port);
        return why;
    }

    m_handle->Port = port;
    m_handle->Saved = saved;
    m_handle->Lines = {};
    m_handle->RtsHandshake = false;
    return PortStatus::Success();
}

void SerialPort::Close() {
    if (!IsOpen()) return;
    const HANDLE port = std::exchange(m_handle->Port, INVALID_HANDLE_VALUE);
    // Fails on a device that has gone; the handle is released regardless.
    SetCommState(port, &m_handle->Saved);
    CloseHandle(port);
}

PortStatus SerialPort::Configure(const LineSettings& settings) {
    if (!IsOpen()) return NotOpen();
    DCB dcb{};
    FillDcb(dcb, settings, m_handle->Lines);
    if (PortStatus s = SetState(m_handle->Port, dcb); !s.Ok()) return s;
    m_handle->RtsHandshake = settings.HwFlow == hfRTSCTS;
    if (!SetupComm(m_handle->Port, settings.InQueue, settings.OutQueue)) {
        // Virtual ports keep queues of their own size and may say so.
        const DWORD err = GetLastError();
        if (!UnsupportedByDriver(err) && err != ERROR_INVALID_FUNCTION) return FromError(err);
    }
    return PortStatus::Success();
}

PortStatus SerialPort::SetModemLines(ModemLineLevels levels) {
    if (!IsOpen()) return NotOpen();
    m_handle->Lines = levels;
    DCB dcb{};
    dcb.DCBlength = sizeof(DCB);
    if (!GetCommState(m_handle->Port, &dcb)) return LastError();
    dcb.fDtrControl = levels.Dtr ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
    if (!m_handle->RtsHandshake)
        dcb.fRtsControl = levels.Rts ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
    if (!SetCommState(m_handle->Port, &dcb) && !UnsupportedByDriver(GetLastError())) return LastError();
    return PortStatus::Success();
}

PortStatus SerialPort::Flush(bool input, bool output) {
    if (!IsOpen()) return NotOpen();
    if (!input && !output) return PortStatus::Success();
    const DWORD flags =
        (input ? PURGE_RXABORT | PURGE_RXCLEAR : 0) | (output ? PURGE_TXABORT | PURGE_TXCLEAR : 0);
    if (!PurgeComm(m_handle->Port, flags)) return LastError();
    return PortStatus::Success();
}

PortStatus SerialPort::InputQueued(quint32& count) {
    count = 0;
    if (!IsOpen()) return NotOpen();
    COMSTAT stat{};
    if (!Queues(m_handle->Port, stat)) return LastError();
    count = stat.cbInQue;
    return PortStatus::Success();
}

PortStatus SerialPort::OutputQueued(quint32& count) {
    count = 0;
    if (!IsOpen()) return NotOpen();
    COMSTAT stat{};
    if (!Queues(m_handle->Port, stat)) return LastError();
    count = stat.cbOutQue;
    return PortStatus::Success();
}

PortStatus SerialPort::ModemLines(quint8& lines) {
    lines = 0;
    if (!IsOpen()) return NotOpen();
    DWORD bits = 0;
    if (!GetCommModemStatus(m_handle->Port, &bits)) {
        if (UnsupportedByDriver(GetLastError())) return PortStatus::Success();
        return LastError();
    }
    lines = quint8(((bits & MS_CTS_ON) ? ModemStatus::CTS : 0) |
                   ((bits & MS_DSR_ON) ? ModemStatus::DSR : 0) |
                   ((bits & MS_RING_ON) ? ModemStatus::RING : 0) |
                   ((bits & MS_RLSD_ON) ? ModemStatus::RLSD : 0));
    return PortStatus::Success();
}

PortTransfer SerialPort::Read(std::uint8_t* buffer, quint32 count) {
    if (!IsOpen()) return {0, NotOpen()};
    if (count == 0) return {};
    DWORD n = 0;
    if (!ReadFile(m_handle->Port, buffer, count, &n, nullptr)) return {0, LastError()};
    if (n == 0) return {0, StatusOf(PortError::WouldBlock, QStringLiteral("nothing queued"))};
    return {quint32(n), PortStatus::Success()};
}

PortTransfer SerialPort::Write(const std::uint8_t* data, quint32 count) {
    if (!IsOpen()) return {0, NotOpen()};
    if (count == 0) return {};
    DWORD n = 0;
    if (!WriteFile(m_handle->Port, data, count, &n, nullptr)) return {0, LastError()};
    if (n == 0) return {0, StatusOf(PortError::WouldBlock, QStringLiteral("the line is busy"))};
    return {quint32(n), PortStatus::Success()};
}

namespace {
// The port has no readiness to wait on: its state is looked at every few milliseconds.
// A device that has gone fails ClearCommError.
PortWait WatchFor(HANDLE port, int timeoutMs, bool untilWritable, quint32 outQueue) {
    const qint64 deadline = TickMs() + std::max(timeoutMs, 0);
    for (;;) {
        COMSTAT stat{};
        if (!Queues(port, stat)) return PortWait::Gone;
        if (untilWritable && stat.cbOutQue < outQueue) return PortWait::Ready;
        const qint64 left = deadline - TickMs();
        if (left <= 0) return PortWait::TimedOut;
        Sleep(DWORD(std::min<qint64>(left, 5)));
    }
}
} // namespace

PortWait SerialPort::WaitWritable(int timeoutMs) {
    if (!IsOpen()) return PortWait::Gone;
    return WatchFor(m_handle->Port, timeoutMs, true, 2048);
}

PortWait SerialPort::WaitHangup(int timeoutMs) {
    if (!IsOpen()) return PortWait::Gone;
    return WatchFor(m_handle->Port, timeoutMs, false, 0);
}

// Windows keeps no lock file that names a port's holder.
QString PortHolder(const QString&) {
    return {};
}
