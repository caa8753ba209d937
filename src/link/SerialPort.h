#pragma once
// The one seam between the serial driver and what carries its bytes.  PortDevice is the
// small interface the driver uses; SerialPort is the local serial device, implemented by
// each platform in its own file (SerialPort_posix.cpp, SerialPort_win.cpp), and a port of
// a network serial server sits beside it (NetworkPort.h).  The driver itself carries no
// platform calls, no #ifdefs, and does not know which kind it holds.
//
// Every call is non-blocking except the two Wait calls, which wait on the device itself
// for at most the time given.

#include "link/SerialTypes.h"

#include <QString>

#include <cstdint>
#include <functional>
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
    // A port of a network serial server:
    HostNotFound,      // the server's name is not known
    ConnectionRefused, // nothing listens at that address
    TimedOut,          // no answer to connecting or to setting up the port in time
    NotASerialServer,  // the server does not speak the protocol asked for
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

class PortDevice {
public:
    virtual ~PortDevice() = default;

    virtual bool IsOpen() const = 0;

    // Opens the port named `path` exclusively: a port that some other holder has open is
    // refused.  A port that takes time to come up (a network connection) is open at once
    // for the settings below, which it carries out once it is up; WhenReady says when.
    virtual PortStatus Open(const QString& path) = 0;
    // Calls `done` once, with the outcome of the open and the settings made since: at
    // once for a port that is ready, else later from the event loop; never after Close.
    virtual void WhenReady(std::function<void(PortStatus)> done) { done(PortStatus::Success()); }
    // Puts the line state found back where there was one and releases the port.  Harmless
    // when closed.
    virtual void Close() = 0;

    // Raw line: no echo, no line editing, no translation of any byte; reads return at once
    // with what is queued.  Fails when the device does not take a setting as given.
    virtual PortStatus Configure(const LineSettings& settings) = 0;
    // Sets DTR and RTS.  A device without modem control lines is not an error.
    virtual PortStatus SetModemLines(ModemLineLevels levels) = 0;
    virtual PortStatus Flush(bool input, bool output) = 0;

    virtual PortStatus InputQueued(quint32& count) = 0;
    virtual PortStatus OutputQueued(quint32& count) = 0;
    // ModemStatus bits.
    virtual PortStatus ModemLines(quint8& lines) = 0;

    virtual PortTransfer Read(std::uint8_t* buffer, quint32 count) = 0;
    virtual PortTransfer Write(const std::uint8_t* data, quint32 count) = 0;

    // Until the device says it takes output, or has gone, or timeoutMs passed.
    virtual PortWait WaitWritable(int timeoutMs) = 0;
    // Until the device has gone, or timeoutMs passed.  For waits that must not trust the
    // device's readiness report.
    virtual PortWait WaitHangup(int timeoutMs) = 0;
};

// The local serial device.
class SerialPort final : public PortDevice {
public:
    SerialPort();
    ~SerialPort() override; // Close
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    bool IsOpen() const override;
    // Also remembers the line state found, for Close to put back.
    PortStatus Open(const QString& path) override;
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

private:
    struct Handle;
    std::unique_ptr<Handle> m_handle;
};

// The program that holds the port at `path`, as "name (PID n)", where a lock on the port
// says which one, or else (Linux) a process that has the device open; empty when nothing
// says.  For telling the user why an open was refused.
QString PortHolder(const QString& path);
