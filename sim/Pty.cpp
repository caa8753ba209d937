#include "Pty.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {
QString SystemError(const char* what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}
} // namespace

Pty::~Pty() {
    Close();
}

void Pty::Close() {
    if (m_master >= 0) ::close(m_master);
    if (m_slave >= 0) ::close(m_slave);
    m_master = m_slave = -1;
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
    return true;
}
