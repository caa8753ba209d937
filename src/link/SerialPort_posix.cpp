// The serial port over POSIX termios.

#include "link/SerialPort.h"
#include "link/Tick.h"
#include "link/UucpLock_posix.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <utility>

struct SerialPort::Handle {
    int Fd = -1;
    termios Saved{};
    UucpLock Lock;
};

namespace {

PortStatus StatusOf(PortError error, const QString& text) {
    return {error, text};
}

// The one place that turns errno into our small set of errors; the system's text is kept.
PortStatus FromErrno(int err) {
    PortError e = PortError::Other;
    switch (err) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        e = PortError::NotFound;
        break;
    case EACCES:
    case EPERM:
    case EROFS:
        e = PortError::AccessDenied;
        break;
    case EBUSY:
        e = PortError::Busy;
        break;
    case ENOTTY:
    case EINVAL:
        e = PortError::Unsupported;
        break;
    case EAGAIN:
        e = PortError::WouldBlock;
        break;
    case EIO:
    case EPIPE:
        e = PortError::DeviceGone;
        break;
    default:
        break;
    }
    return StatusOf(e, qt_error_string(err));
}

PortStatus LastErrno() {
    return FromErrno(errno);
}

PortStatus NotOpen() {
    return StatusOf(PortError::NotOpen, QStringLiteral("port is not open"));
}

// A driver that does not know a terminal request says so with one of these: a
// pseudo-terminal or a plain tty driver has no modem control lines, some USB adapters and
// old kernels' pseudo-terminals have no exclusive mode.  The port works all the same, so
// such a failure of TIOCEXCL or of a modem line request is no reason to refuse it.
bool UnsupportedByDriver(int err) {
    return err == ENOTTY || err == EINVAL;
}

template <typename F> auto RetryEintr(F&& call) {
    decltype(call()) r;
    do {
        r = call();
    } while (r == -1 && errno == EINTR);
    return r;
}

struct SpeedRow {
    quint32 Rate;
    speed_t Code;
};

// The rates termios can name.  14400, 56000, 128000 and 256000 are not among them.
constexpr auto Speeds = std::to_array<SpeedRow>({
    {50, B50},         {75, B75},         {110, B110},       {134, B134},     {150, B150},
    {200, B200},       {300, B300},       {600, B600},       {1200, B1200},   {1800, B1800},
    {2400, B2400},     {4800, B4800},     {9600, B9600},     {19200, B19200}, {38400, B38400},
    {57600, B57600},   {115200, B115200}, {230400, B230400},
#ifdef B460800
    {460800, B460800},
#endif
#ifdef B921600
    {921600, B921600},
#endif
});

bool SpeedCodeOf(quint32 rate, speed_t& code) {
    const auto it = std::find_if(Speeds.begin(), Speeds.end(),
                                 [rate](const SpeedRow& row) { return row.Rate == rate; });
    if (it == Speeds.end()) return false;
    code = it->Code;
    return true;
}

// The control flags that must read back as set; a driver that silently drops one of them
// (mark/space parity, hardware handshake) would otherwise garble the line unnoticed.
constexpr tcflag_t CheckedControlFlags = CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS
#ifdef CMSPAR
                                         | CMSPAR
#endif
    ;

PortStatus BuildTermios(const LineSettings& s, termios& t) {
    speed_t speed{};
    if (!SpeedCodeOf(s.BaudRate, speed))
        return StatusOf(PortError::Unsupported,
                        QStringLiteral("the rate %1 bit/s is not available here").arg(s.BaudRate));
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~CheckedControlFlags;
    static constexpr std::array<tcflag_t, 4> sizes{CS5, CS6, CS7, CS8};
    t.c_cflag |= sizes[std::size_t(s.DataBits)];

    switch (s.Parity) {
    case ptNONE:
        break;
    case ptODD:
        t.c_cflag |= PARENB | PARODD;
        break;
    case ptEVEN:
        t.c_cflag |= PARENB;
        break;
    case ptMARK:
    case ptSPACE:
#ifdef CMSPAR
        t.c_cflag |= PARENB | CMSPAR | (s.Parity == ptMARK ? PARODD : 0);
        break;
#else
        return StatusOf(PortError::Unsupported, QStringLiteral("mark or space parity"));
#endif
    }
    // Received characters are taken as they are: no parity check, no stripping.
    t.c_iflag &= ~(INPCK | ISTRIP | IXON | IXOFF | IXANY);

    switch (s.StopBits) {
    case sb1BITS:
        break;
    case sb2BITS:
        t.c_cflag |= CSTOPB;
        break;
    case sb1HALFBITS:
        return StatusOf(PortError::Unsupported, QStringLiteral("1.5 stop bits"));
    }

    if (s.HwFlow == hfRTSCTS) t.c_cflag |= CRTSCTS;
    if (s.SwFlow == sfXONXOFF) t.c_iflag |= IXON | IXOFF;
    t.c_cc[VSTART] = 0x11;
    t.c_cc[VSTOP] = 0x13;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    if (cfsetispeed(&t, speed) != 0 || cfsetospeed(&t, speed) != 0) return LastErrno();
    return PortStatus::Success();
}

// One poll of the descriptor for `events`, EINTR retried against the original deadline.
PortWait PollFor(int fd, short events, int timeoutMs) {
    const qint64 deadline = TickMs() + std::max(timeoutMs, 0);
    for (;;) {
        pollfd p{fd, events, 0};
        const int left = int(std::clamp<qint64>(deadline - TickMs(), 0, INT_MAX));
        const int r = ::poll(&p, 1, left);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) return PortWait::Gone;
        if (r == 0) return PortWait::TimedOut;
        if (p.revents & (POLLERR | POLLHUP | POLLNVAL)) return PortWait::Gone;
        return PortWait::Ready;
    }
}

} // namespace

SerialPort::SerialPort() : m_handle(std::make_unique<Handle>()) {}

SerialPort::~SerialPort() {
    Close();
}

bool SerialPort::IsOpen() const {
    return m_handle->Fd >= 0;
}

PortStatus SerialPort::Open(const QString& path) {
    if (IsOpen()) return PortStatus::Success();
    if (path.isEmpty()) return StatusOf(PortError::NotFound, QStringLiteral("no port named"));

    // The lock file first, as terminal programs take it: a port that another program has
    // claimed is never opened, so its line sees no DTR or RTS change from us.
    UucpLock& lock = m_handle->Lock;
    if (PortStatus locked = lock.Acquire(path); !locked.Ok()) return locked;

    const QByteArray native = QFile::encodeName(path);
    const int fd = RetryEintr(
        [&] { return ::open(native.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC); });
    if (fd < 0) {
        const PortStatus why = LastErrno();
        lock.Release();
        return why;
    }

    // Set once TIOCEXCL is ours: a refusal after it must clear it again, or the port stays
    // closed to everyone else with nobody holding it.
    bool exclusive = false;
    auto fail = [&](PortStatus status) {
        if (exclusive) ::ioctl(fd, TIOCNXCL);
        ::close(fd);
        lock.Release();
        return status;
    };

    // TIOCEXCL does not stop root, so the flock is what keeps a second holder out.
    if (RetryEintr([fd] { return ::flock(fd, LOCK_EX | LOCK_NB); }) != 0) {
        if (errno == EWOULDBLOCK)
            return fail(StatusOf(PortError::Busy, QStringLiteral("the port is in use")));
        return fail(LastErrno());
    }
#ifdef TIOCGEXCL
    // A program that holds the port with TIOCEXCL alone would let root in beside it.
    int held = 0;
    if (::ioctl(fd, TIOCGEXCL, &held) == 0 && held)
        return fail(StatusOf(PortError::Busy, QStringLiteral("the port is in use")));
#endif
    if (::ioctl(fd, TIOCEXCL) == 0)
        exclusive = true;
    else if (!UnsupportedByDriver(errno))
        return fail(LastErrno());

    termios saved{};
    if (::tcgetattr(fd, &saved) != 0) {
        if (errno == ENOTTY)
            return fail(StatusOf(PortError::NotATerminal, qt_error_string(ENOTTY)));
        return fail(LastErrno());
    }

    // Linux raises DTR and RTS inside open() itself when the port was closed; a device sees
    // that as a short pulse, and nothing done after open() can take it back.  Drop both at
    // once; the settings then raise whichever the properties ask for.
    int both = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd, TIOCMBIC, &both);

    m_handle->Fd = fd;
    m_handle->Saved = saved;
    return PortStatus::Success();
}

void SerialPort::Close() {
    if (!IsOpen()) return;
    const int fd = std::exchange(m_handle->Fd, -1);
    // Both may fail on a device that has gone; the descriptor is released regardless.
    ::tcsetattr(fd, TCSANOW, &m_handle->Saved);
    ::ioctl(fd, TIOCNXCL);
    // close() is not retried after EINTR: on Linux the descriptor is gone either way.
    ::close(fd);
    // Last: until now the port was ours.
    m_handle->Lock.Release();
}

PortStatus SerialPort::Configure(const LineSettings& settings) {
    if (!IsOpen()) return NotOpen();
    const int fd = m_handle->Fd;
    termios t{};
    if (::tcgetattr(fd, &t) != 0) return LastErrno();
    if (PortStatus s = BuildTermios(settings, t); !s.Ok()) return s;
    if (RetryEintr([&] { return ::tcsetattr(fd, TCSANOW, &t); }) != 0) return LastErrno();

    // tcsetattr succeeds when any part of the change was taken; look at what was.
    termios now{};
    if (::tcgetattr(fd, &now) != 0) return LastErrno();
    if ((now.c_cflag & CheckedControlFlags) != (t.c_cflag & CheckedControlFlags) ||
        cfgetospeed(&now) != cfgetospeed(&t) || cfgetispeed(&now) != cfgetispeed(&t))
        return StatusOf(PortError::Unsupported,
                        QStringLiteral("the device does not take these line settings"));
    return PortStatus::Success();
}

PortStatus SerialPort::SetModemLines(ModemLineLevels levels) {
    if (!IsOpen()) return NotOpen();
    int set = (levels.Dtr ? TIOCM_DTR : 0) | (levels.Rts ? TIOCM_RTS : 0);
    int clear = (levels.Dtr ? 0 : TIOCM_DTR) | (levels.Rts ? 0 : TIOCM_RTS);
    if (set && ::ioctl(m_handle->Fd, TIOCMBIS, &set) != 0 && !UnsupportedByDriver(errno))
        return LastErrno();
    if (clear && ::ioctl(m_handle->Fd, TIOCMBIC, &clear) != 0 && !UnsupportedByDriver(errno))
        return LastErrno();
    return PortStatus::Success();
}

PortStatus SerialPort::Flush(bool input, bool output) {
    if (!IsOpen()) return NotOpen();
    if (!input && !output) return PortStatus::Success();
    const int which = input && output ? TCIOFLUSH : input ? TCIFLUSH : TCOFLUSH;
    if (::tcflush(m_handle->Fd, which) != 0) return LastErrno();
    return PortStatus::Success();
}

PortStatus SerialPort::InputQueued(quint32& count) {
    count = 0;
    if (!IsOpen()) return NotOpen();
    int n = 0;
    if (::ioctl(m_handle->Fd, FIONREAD, &n) != 0) return LastErrno();
    count = quint32(std::max(n, 0));
    return PortStatus::Success();
}

PortStatus SerialPort::OutputQueued(quint32& count) {
    count = 0;
    if (!IsOpen()) return NotOpen();
    int n = 0;
    if (::ioctl(m_handle->Fd, TIOCOUTQ, &n) != 0) return LastErrno();
    count = quint32(std::max(n, 0));
    return PortStatus::Success();
}

PortStatus SerialPort::ModemLines(quint8& lines) {
    lines = 0;
    if (!IsOpen()) return NotOpen();
    int bits = 0;
    if (::ioctl(m_handle->Fd, TIOCMGET, &bits) != 0) return LastErrno();
    lines = quint8(((bits & TIOCM_CTS) ? ModemStatus::CTS : 0) |
                   ((bits & TIOCM_DSR) ? ModemStatus::DSR : 0) |
                   ((bits & TIOCM_RNG) ? ModemStatus::RING : 0) |
                   ((bits & TIOCM_CAR) ? ModemStatus::RLSD : 0));
    return PortStatus::Success();
}

PortTransfer SerialPort::Read(std::uint8_t* buffer, quint32 count) {
    if (!IsOpen()) return {0, NotOpen()};
    if (count == 0) return {};
    const ssize_t n = RetryEintr([&] { return ::read(m_handle->Fd, buffer, count); });
    if (n < 0) return {0, LastErrno()};
    return {quint32(n), PortStatus::Success()};
}

PortTransfer SerialPort::Write(const std::uint8_t* data, quint32 count) {
    if (!IsOpen()) return {0, NotOpen()};
    if (count == 0) return {};
    const ssize_t n = RetryEintr([&] { return ::write(m_handle->Fd, data, count); });
    if (n < 0) return {0, LastErrno()};
    return {quint32(n), PortStatus::Success()};
}

PortWait SerialPort::WaitWritable(int timeoutMs) {
    if (!IsOpen()) return PortWait::Gone;
    return PollFor(m_handle->Fd, POLLOUT, timeoutMs);
}

PortWait SerialPort::WaitHangup(int timeoutMs) {
    if (!IsOpen()) return PortWait::Gone;
    // With no events asked for, poll still reports POLLHUP and POLLERR.
    return PollFor(m_handle->Fd, 0, timeoutMs);
}

namespace {

// The process with an exclusive flock on the file at `path`, from the system's list of
// locks ("1: FLOCK  ADVISORY  WRITE 4242 00:05:87 0 EOF": the PID, then the file as major
// and minor device number in hex and the inode); 0 when there is none.
qint64 FlockHolderOf(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return 0;
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly)) return 0;
    char file[64];
    std::snprintf(file, sizeof file, "%02x:%02x:%llu", major(st.st_dev), minor(st.st_dev),
                  static_cast<unsigned long long>(st.st_ino));
    for (const QByteArray& line : locks.readAll().split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        // A waiter's line has "->" after the number; only a granted lock holds the port.
        if (f.size() < 6 || f[1] != "FLOCK" || f[5] != file) continue;
        bool ok = false;
        const qint64 pid = f[4].toLongLong(&ok);
        if (ok && pid > 0) return pid;
    }
    return 0;
}

// A process other than ours with the device at `path` open, from the open files listed
// under /proc (those of processes we may look into: ours, or all for root); 0 when none is
// seen.  For a holder that takes no lock: ModemManager probing a new adapter, a terminal.
qint64 OpenerOf(const QString& path) {
    struct stat device {};
    if (::stat(QFile::encodeName(path).constData(), &device) != 0 || !S_ISCHR(device.st_mode))
        return 0;
    DIR* proc = ::opendir("/proc");
    if (!proc) return 0;
    const qint64 self = ::getpid();
    qint64 found = 0;
    while (const dirent* process = ::readdir(proc)) {
        char* end = nullptr;
        const long long pid = std::strtoll(process->d_name, &end, 10);
        if (pid <= 0 || *end != '\0' || pid == self) continue;
        char folder[64];
        std::snprintf(folder, sizeof folder, "/proc/%lld/fd", pid);
        DIR* fds = ::opendir(folder);
        if (!fds) continue;
        while (const dirent* fd = ::readdir(fds)) {
            if (fd->d_name[0] == '.') continue;
            struct stat open {};
            // Through the link, to the file the process has open.
            if (::fstatat(::dirfd(fds), fd->d_name, &open, 0) == 0 && S_ISCHR(open.st_mode) &&
                open.st_rdev == device.st_rdev) {
                found = pid;
                break;
            }
        }
        ::closedir(fds);
        if (found) break;
    }
    ::closedir(proc);
    return found;
}

} // namespace

QString PortHolder(const QString& path) {
    if (path.isEmpty()) return {};
    qint64 pid = UucpLock::HolderOf(path);
    if (pid == 0) {
        if (const QString odd = UucpLock::UnidentifiedLockOf(path); !odd.isEmpty())
            return QCoreApplication::translate(
                       "PortOpenError",
                       "неизвестной (на месте файла блокировки %1 лежит не обычный "
                       "файл)")
                .arg(odd);
        pid = FlockHolderOf(path);
    }
    if (pid == 0) pid = OpenerOf(path);
    if (pid == 0) return {};
    const QString name = ProcessName(pid);
    return name.isEmpty() ? QStringLiteral("PID %1").arg(pid)
                          : QStringLiteral("%1 (PID %2)").arg(name).arg(pid);
}
