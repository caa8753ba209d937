#include "link/UucpLock_posix.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A lock file that is still being written reads as empty or half a number for a moment;
// one that stays so for longer was left by a writer that died.
constexpr time_t UnreadableGraceSeconds = 2;

QString LockDirectory() {
    const QByteArray custom = qgetenv("PROGMZ515_LOCK_DIR");
    if (!custom.isEmpty()) return QFile::decodeName(custom);
    for (const char* dir : {"/run/lock", "/var/lock"})
        if (QFileInfo(QLatin1String(dir)).isDir()) return QLatin1String(dir);
    return {};
}

QByteArray ContentFor(pid_t pid) {
    char text[16];
    const int n = std::snprintf(text, sizeof text, "%10d\n", int(pid));
    return QByteArray(text, n);
}

// What the lock names: a PID above 0; 0 when the file holds no readable PID; -1 when the
// file is not there.  Besides the ten-character text, the four-byte binary PID of old
// systems is read.
qint64 ReadPid(const QByteArray& file) {
    const int fd = ::open(file.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return errno == ENOENT ? -1 : 0;
    char buf[32];
    const ssize_t n = ::read(fd, buf, sizeof buf);
    ::close(fd);
    if (n <= 0) return 0;
    const bool text = std::all_of(
        buf, buf + n, [](char c) { return c == ' ' || c == '\n' || (c >= '0' && c <= '9'); });
    if (n == 4 && !text) {
        qint32 binary = 0;
        std::memcpy(&binary, buf, 4);
        return binary > 0 ? binary : 0;
    }
    bool ok = false;
    const qint64 pid =
        QByteArray(buf, int(n)).trimmed().split('\n').value(0).trimmed().toLongLong(&ok);
    return ok && pid > 0 ? pid : 0;
}

bool Alive(qint64 pid) {
    if (pid <= 0 || pid > qint64(INT_MAX)) return false;
    // EPERM: the process is there, it belongs to someone else.
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

bool YoungerThan(const QByteArray& file, time_t seconds) {
    struct stat st {};
    if (::stat(file.constData(), &st) != 0) return false;
    return std::time(nullptr) - st.st_mtime < seconds;
}

PortStatus LockedBy(qint64 pid) {
    return {PortError::Busy, pid > 0 ? QStringLiteral("the port is locked by process %1").arg(pid)
                                     : QStringLiteral("the port is locked")};
}

} // namespace

UucpLock::~UucpLock() {
    Release();
}

QString UucpLock::FileFor(const QString& devicePath) {
    const QString dir = LockDirectory();
    if (dir.isEmpty()) return {};
    QString name = QFileInfo(devicePath).canonicalFilePath();
    if (name.isEmpty()) name = QDir::cleanPath(QFileInfo(devicePath).absoluteFilePath());
    const QString dev = QStringLiteral("/dev/");
    if (name.startsWith(dev)) name = name.mid(dev.size());
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return dir + QStringLiteral("/LCK..") + name;
}

qint64 UucpLock::HolderOf(const QString& devicePath) {
    const QString file = FileFor(devicePath);
    if (file.isEmpty()) return 0;
    const qint64 pid = ReadPid(QFile::encodeName(file));
    return Alive(pid) ? pid : 0;
}

PortStatus UucpLock::Acquire(const QString& devicePath) {
    Release();
    const QString file = FileFor(devicePath);
    if (file.isEmpty()) return PortStatus::Success();
    const QByteArray native = QFile::encodeName(file);
    const QByteArray content = ContentFor(::getpid());

    // Twice at most: once more after a stale lock was taken away.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            // The mode asked for passes through the umask; others must be able to read it.
            ::fchmod(fd, 0644);
            const bool written =
                ::write(fd, content.constData(), size_t(content.size())) == ssize_t(content.size());
            ::close(fd);
            if (!written) {
                // A full disk: a lock nobody can read would only keep others out for good.
                ::unlink(native.constData());
                return PortStatus::Success();
            }
            m_file = file;
            return PortStatus::Success();
        }
        if (errno != EEXIST) return PortStatus::Success(); // a directory we may not write

        const qint64 pid = ReadPid(native);
        if (pid == -1) continue; // its holder let it go just now
        if (pid == 0 && YoungerThan(native, UnreadableGraceSeconds)) return LockedBy(0);
        // Our own PID is a lock left by an earlier run that had the same number: this
        // process holds the port's exclusive open now, so no part of it holds the lock.
        if (pid != 0 && pid != ::getpid() && Alive(pid)) return LockedBy(pid);
        // Stale.  Read again right before removing it, so that a lock another program took
        // in the meantime stays.
        // A directory we may not write keeps it; its process is gone all the same, and we
        // go on without a lock file of our own.
        if (ReadPid(native) == pid && ::unlink(native.constData()) != 0 && errno != ENOENT)
            return PortStatus::Success();
    }
    return LockedBy(0);
}

void UucpLock::Release() {
    if (m_file.isEmpty()) return;
    const QByteArray native = QFile::encodeName(m_file);
    m_file.clear();
    // Someone may have removed ours and taken the port since; theirs stays.
    if (ReadPid(native) == qint64(::getpid())) ::unlink(native.constData());
}

QString ProcessName(qint64 pid) {
    if (pid <= 0) return {};
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (!comm.open(QIODevice::ReadOnly)) return {};
    return QString::fromLocal8Bit(comm.readAll()).trimmed();
}
