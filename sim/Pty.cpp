#include "Pty.h"

#include <QDir>
#include <QFile>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {
QString SystemError(const char* what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

// Whether a process other than this one has `path` open.  Processes of other users whose
// descriptors we may not see count as not holding it.
bool OthersHold(const QByteArray& path) {
    const QString self = QString::number(::getpid());
    const QString target = QFile::decodeName(path);
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& pid : pids) {
        if (pid == self || pid.isEmpty() || !pid.front().isDigit()) continue;
        const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
        for (const QString& fd : fds.entryList(QDir::System | QDir::NoDotAndDotDot))
            if (QFile::symLinkTarget(fds.filePath(fd)) == target) return true;
    }
    return false;
}

} // namespace

void Pty::HangUps() {
    alignas(inotify_event) std::array<char, 4096> events{};
    bool closed = false;
    for (;;) {
        const ssize_t n = ::read(m_watch, events.data(), events.size());
        if (n <= 0) break;
        for (ssize_t at = 0; at < n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(events.data() + at);
            if (e->mask & IN_OPEN) ++m_clients;
            if (e->mask & IN_CLOSE) {
                closed = true;
                --m_clients;
            }
            at += ssize_t(sizeof(inotify_event) + e->len);
        }
    }
    if (!closed) return;
    // The count is told at once, before a next client can have opened the terminal.  The
    // system merges an event with an identical one still unread, so a count left above
    // zero after a close is checked against who really holds the terminal.
    if (m_clients > 0 && !OthersHold(m_slavePath)) m_clients = 0;
    if (m_clients <= 0) {
        m_clients = 0;
        ::ioctl(m_slave, TIOCNXCL);
    }
}

Pty::~Pty() {
    Close();
}

void Pty::Close() {
    if (m_master >= 0) ::close(m_master);
    if (m_slave >= 0) ::close(m_slave);
    if (m_watch >= 0) ::close(m_watch);
    m_master = m_slave = m_watch = -1;
    m_clients = 0;
}

bool Pty::Open(QString* error) {
    Close();
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0) {
        *error = SystemError("cannot create a pseudo-terminal");
        return false;
    }
    char name[256] = {};
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0 ||
        ::ptsname_r(m_master, name, sizeof name) != 0) {
        *error = SystemError("cannot unlock the pseudo-terminal");
        Close();
        return false;
    }
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0) {
        *error = SystemError("cannot open the pseudo-terminal's slave side");
        Close();
        return false;
    }
    termios t{};
    if (::tcgetattr(m_slave, &t) != 0) {
        *error = SystemError("cannot read the terminal settings");
        Close();
        return false;
    }
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    ::cfsetispeed(&t, B9600);
    ::cfsetospeed(&t, B9600);
    const int flags = ::fcntl(m_master, F_GETFL);
    if (::tcsetattr(m_slave, TCSANOW, &t) != 0 || flags < 0 ||
        ::fcntl(m_master, F_SETFL, flags | O_NONBLOCK) != 0) {
        *error = SystemError("cannot set up the pseudo-terminal");
        Close();
        return false;
    }
    m_slavePath = QByteArray(name);
    // Without the watch the simulator still works; only a killed client's exclusive mode
    // then outlives it.
    m_watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_watch >= 0 && ::inotify_add_watch(m_watch, name, IN_OPEN | IN_CLOSE) < 0) {
        ::close(m_watch);
        m_watch = -1;
    }
    return true;
}
