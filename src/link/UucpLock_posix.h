#pragma once
// UUCP lock files: the claim on a serial port that terminal programs and other serial
// libraries take and honour.  The claim is a file LCK..<name> in the system's lock
// directory that holds the holder's PID as ten ASCII characters and a newline ("%10d\n").
//
//   name       the device's path with symbolic links resolved, "/dev/" taken off the front
//              and every other '/' made '_': /dev/ttyUSB0 -> LCK..ttyUSB0, /dev/pts/3 ->
//              LCK..pts_3 (as serial libraries name it), /srv/line -> LCK.._srv_line.
//              An alias such as /dev/serial/by-id/... thus locks the device it points at.
//              A program that opened the port through such a link may hold its lock under
//              the link's name instead (the path so made, or the link's file name alone):
//              those are honoured too, though ours is only ever made under the device's.
//   directory  /run/lock, else /var/lock (Debian links the one to the other).  The
//              environment variable PROGMZ515_LOCK_DIR, when set, names another one; it
//              is there for the tests, which cannot count on writing the system's.
//
// A lock whose process is gone is stale and removed.  Anything but a regular file under a
// lock's name (a FIFO, a directory, a symbolic link: the directory is writable by every
// user) names no holder we could check, and refuses the port; it is never opened in a way
// that could wait.  A directory we may not write (an ordinary user where only a group may
// lock) is no reason to refuse the port: we go without a lock file, as the port's own
// exclusive open still keeps other holders out.

#include "link/SerialPort.h"

#include <QString>
#include <QStringList>

class UucpLock {
public:
    UucpLock() = default;
    ~UucpLock(); // Release
    UucpLock(const UucpLock&) = delete;
    UucpLock& operator=(const UucpLock&) = delete;

    // Claims the device at `devicePath`.  Busy when a live process (another program, or
    // another port of this one) holds its lock under any of its names, or when one of those
    // names is taken by something that is not a lock file; success without a lock file
    // when the directory does not take one.
    PortStatus Acquire(const QString& devicePath);
    // Removes the lock file, if it is still ours.  Harmless without one.
    void Release();
    bool Held() const { return !m_file.isEmpty(); }

    // Where our lock for `devicePath` lives; empty when there is no lock directory.
    static QString FileFor(const QString& devicePath);
    // Every lock file that speaks for `devicePath`: ours first, then those under the name
    // used when it is a link.  Empty when there is no lock directory.
    static QStringList FilesFor(const QString& devicePath);
    // The live process that holds a lock for `devicePath`, or 0.
    static qint64 HolderOf(const QString& devicePath);
    // The first of FilesFor(devicePath) that is there but is no regular file, or empty.
    static QString UnidentifiedLockOf(const QString& devicePath);

private:
    QString m_file; // the lock file we made; empty when we hold none
};

// The short name of a running process (its command as the system lists it), or empty.
QString ProcessName(qint64 pid);
