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
    if (master_ >= 0) ::close(master_);
    if (slave_ >= 0) ::close(slave_);
    master_ = slave_ = -1;
}

bool Pty::Open(QString* error) {
    Close();
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) {
        *error = SystemError("cannot create a pseudo-terminal");
        return false;
    }
    char name[256] = {};
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
        ::ptsname_r(master_, name, sizeof name) != 0) {
        *error = SystemError("cannot unlock the pseudo-terminal");
        Close();
        return false;
    }
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) {
        *error = SystemError("cannot open the pseudo-terminal's slave side");
        Close();
        return false;
    }
    termios t{};
    if (::tcgetattr(slave_, &t) != 0) {
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
    const int flags = ::fcntl(master_, F_GETFL);
    if (::tcsetattr(slave_, TCSANOW, &t) != 0 || flags < 0 ||
        ::fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) {
        *error = SystemError("cannot set up the pseudo-terminal");
        Close();
        return false;
    }
    slavePath_ = QByteArray(name);
    return true;
}
