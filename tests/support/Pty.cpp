#include "support/Pty.h"

#include <QElapsedTimer>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {
// Waits until the master is ready for `events`; false on time-out.
bool waitFor(int fd, short events, int timeoutMs) {
    pollfd p{fd, events, 0};
    int r;
    do {
        r = ::poll(&p, 1, timeoutMs);
    } while (r < 0 && errno == EINTR);
    return r > 0 && (p.revents & events);
}
} // namespace

PtyPair::PtyPair() {
    const int fd = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return;
    char name[128];
    if (::grantpt(fd) != 0 || ::unlockpt(fd) != 0 || ::ptsname_r(fd, name, sizeof name) != 0) {
        ::close(fd);
        return;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    m_master = fd;
    m_slavePath = QString::fromLocal8Bit(name);
}

PtyPair::~PtyPair() {
    closeMaster();
}

void PtyPair::closeMaster() {
    if (m_master >= 0) ::close(m_master);
    m_master = -1;
}

bool PtyPair::write(const QByteArray& bytes, int timeoutMs) {
    if (m_master < 0) return false;
    QElapsedTimer clock;
    clock.start();
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
        const int left = timeoutMs - int(clock.elapsed());
        if (left <= 0 || !waitFor(m_master, POLLOUT, left)) return false;
    }
    return true;
}

QByteArray PtyPair::read(int timeoutMs, int settleMs, int maxBytes) {
    QByteArray got;
    if (m_master < 0) return got;
    int wait = timeoutMs;
    char buf[4096];
    while (got.size() < maxBytes && waitFor(m_master, POLLIN, wait)) {
        const ssize_t n =
            ::read(m_master, buf, size_t(qMin<qsizetype>(sizeof buf, maxBytes - got.size())));
        // EIO: nobody has the slave open (any more).
        if (n <= 0) break;
        got.append(buf, n);
        wait = settleMs;
    }
    return got;
}

QByteArray PtyPair::readExactly(int count, int timeoutMs) {
    QByteArray got;
    QElapsedTimer clock;
    clock.start();
    while (got.size() < count) {
        const int left = timeoutMs - int(clock.elapsed());
        if (left <= 0) break;
        const QByteArray part = read(left, 0, count - int(got.size()));
        if (part.isEmpty()) break;
        got += part;
    }
    return got;
}

// On Linux the master's line settings are the slave's.
bool PtyPair::slaveTermios(termios& t) const {
    return m_master >= 0 && ::tcgetattr(m_master, &t) == 0;
}

bool PtyPair::setSlaveTermios(const termios& t) {
    return m_master >= 0 && ::tcsetattr(m_master, TCSANOW, &t) == 0;
}
