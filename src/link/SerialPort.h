#pragma once
// The one seam between the serial driver and the operating system.  Each platform
// implements this class in its own file (SerialPort_posix.cpp; a SerialPort_win.cpp can
// sit beside it), so the driver itself carries no platform calls and no #ifdefs.
//
// Every call is non-blocking except the two Wait calls, which wait on the device itself
// for at most the time given.

#include "link/SerialTypes.h"

#include <QString>

#include <cstdint>
#include <memory>

enum class PortError {
    None,
    NotFound,     // no such device (or it went away before it could be opened)
    AccessDenied, // the system refuses this user the device
    Busy,         // another program (or another driver of ours) holds the port
    NotATerminal, // the path names something that is not a serial device
    Unsupported,  // the device cannot do what was asked (a rate, 1.5 stop bits, ...)
    WouldBlock,   // nothing can be transferred just now; not an error of the line
    DeviceGone,   // the device stopped answering: unplugged, hung up
    NotOpen,
    Other,
};

struct PortStatus {
    PortError Error = PortError::None;
    QString Text; // the system's own words, or ours where the system has none

    bool Ok() const { return Error == PortError::None; }
    static PortStatus Success() { return {}; }
};

// A transfer's outcome: how many bytes moved and, when fewer than asked, why.
struct PortTransfer {
    quint32 Count = 0;
    PortStatus Status;
    // Anything but "try again later" means the device will not take or give more.
    bool HardError() const { return !Status.Ok() && Status.Error != PortError::WouldBlock; }
};

enum class PortWait { Ready, TimedOut, Gone };

class SerialPort {
public:
    SerialPort();
    ~SerialPort(); // Close
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    bool IsOpen() const;

    // Opens the device for reading and writing, exclusively: a port that some other holder
    // has open is refused.  Remembers the line state found, for Close to put back.
    PortStatus Open(const QString& path);
    // Puts the remembered line state back and releases the port.  Harmless when closed.
    void Close();

    // Raw line: no echo, no line editing, no translation of any byte; reads return at once
    // with what is queued.  Fails when the device does not take a setting as given.
    PortStatus Configure(const LineSettings& settings);
    // Sets DTR and RTS.  A device without modem control lines is not an error.
    PortStatus SetModemLines(ModemLineLevels levels);
    PortStatus Flush(bool input, bool output);

    PortStatus InputQueued(quint32& count);
    PortStatus OutputQueued(quint32& count);
    // ModemStatus bits.
    PortStatus ModemLines(quint8& lines);

    PortTransfer Read(std::uint8_t* buffer, quint32 count);
    PortTransfer Write(const std::uint8_t* data, quint32 count);

    // Until the device says it takes output, or has gone, or timeoutMs passed.
    PortWait WaitWritable(int timeoutMs);
    // Until the device has gone, or timeoutMs passed.  For waits that must not trust the
    // device's readiness report.
    PortWait WaitHangup(int timeoutMs);

private:
    struct Handle;
    std::unique_ptr<Handle> m_handle;
};

// The program that holds the port at `path`, as "name (PID n)", where a lock on the port
// says which one; empty when nothing says.  For telling the user why an open was refused.
QString PortHolder(const QString& path);
