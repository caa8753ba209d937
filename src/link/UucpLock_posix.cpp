#include "link/UucpLock_posix.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSet>

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
#include <utility>

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

// What ReadPid finds besides a PID.
constexpr qint64 NoFile = -1;       // nothing under the name
constexpr qint64 NotALockFile = -2; // a FIFO, a directory, a link, a device: no holder to ask

// What the lock names: a PID above 0; 0 when the file holds no readable PID; NoFile or
// NotALockFile.  Besides the ten-character text, the four-byte binary PID of old systems is
// read.  Never waits: O_NONBLOCK keeps a FIFO from holding the open up, O_NOFOLLOW keeps a
// link from pointing us at some other file.
qint64 ReadPid(const QByteArray& file) {
    const int fd =
        ::open(file.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT) return NoFile;
        // ENXIO: a socket.
        return errno == ELOOP || errno == ENXIO || errno == ENODEV ? NotALockFile : 0;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return NotALockFile;
    }
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

// The lock files this process holds, for its other ports: a lock with our own PID is one
// of them, or was left by an earlier run that had the same number.
struct HeldHere {
    QMutex Mutex;
    QSet<QString> Files;

    static HeldHere& Instance() {
        static HeldHere held;
        return held;
    }
    bool Contains(const QString& file) {
        QMutexLocker locker(&Mutex);
        return Files.contains(file);
    }
    void Set(const QString& file, bool held) {
        QMutexLocker locker(&Mutex);
        if (held)
            Files.insert(file);
        else
            Files.remove(file);
    }
};

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

PortStatus Unidentified(const QString& file) {
    return {PortError::Busy, QStringLiteral("%1 is not a regular file").arg(file)};
}

// The name a lock takes for the absolute path `path`.
QString LockName(QString path) {
    const QString dev = QStringLiteral("/dev/");
    if (path.startsWith(dev)) path = path.mid(dev.size());
    return path.replace(QLatin1Char('/'), QLatin1Char('_'));
}

} // namespace

UucpLock::~UucpLock() {
    Release();
}

QStringList UucpLock::FilesFor(const QString& devicePath) {
    const QString dir = LockDirectory();
    if (dir.isEmpty()) return {};
    const QString used = QDir::cleanPath(QFileInfo(devicePath).absoluteFilePath());
    QString resolved = QFileInfo(devicePath).canonicalFilePath();
    if (resolved.isEmpty()) resolved = used;
    QStringList names{LockName(resolved)};
    // Through a link: terminal programs lock under the link's file name, serial libraries
    // under its path.
    if (used != resolved) names << LockName(used) << QFileInfo(used).fileName();
    names.removeDuplicates();
    QStringList files;
    for (const QString& name : names)
        files << dir + QStringLiteral("/LCK..") + name;
    return files;
}

QString UucpLock::FileFor(const QString& devicePath) {
    return FilesFor(devicePath).value(0);
}

qint64 UucpLock::HolderOf(const QString& devicePath) {
    for (const QString& file : FilesFor(devicePath)) {
        const qint64 pid = ReadPid(QFile::encodeName(file));
        if (Alive(pid)) return pid;
    }
    return 0;
}

QString UucpLock::UnidentifiedLockOf(const QString& devicePath) {
    for (const QString& file : FilesFor(devicePath))
        if (ReadPid(QFile::encodeName(file)) == NotALockFile) return file;
    return {};
}

PortStatus UucpLock::Acquire(const QString& devicePath) {
    Release();
    const QStringList files = FilesFor(devicePath);
    if (files.isEmpty()) return PortStatus::Success();
    const pid_t self = ::getpid();

    // The names of a link are only looked at: our own lock goes under the device's name.
    for (qsizetype i = 1; i < files.size(); ++i) {
        const QByteArray other = QFile::encodeName(files[i]);
        const qint64 pid = ReadPid(other);
        if (pid == NotALockFile) return Unidentified(files[i]);
        if (pid == 0 && YoungerThan(other, UnreadableGraceSeconds)) return LockedBy(0);
        if (pid > 0 && pid != self && Alive(pid)) return LockedBy(pid);
    }

    const QString file = files.front();
    const QByteArray native = QFile::encodeName(file);
    const QByteArray content = ContentFor(self);
    HeldHere& held = HeldHere::Instance();

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
            held.Set(file, true);
            return PortStatus::Success();
        }
        if (errno != EEXIST) return PortStatus::Success(); // a directory we may not write

        const qint64 pid = ReadPid(native);
        if (pid == NoFile) continue; // its holder let it go just now
        if (pid == NotALockFile) return Unidentified(file);
        if (pid == 0 && YoungerThan(native, UnreadableGraceSeconds)) return LockedBy(0);
        // Our own PID: another port of this process holds it, or it is a lock left by an
        // earlier run that had the same number.
        if (pid == self && held.Contains(file)) return LockedBy(pid);
        if (pid != 0 && pid != self && Alive(pid)) return LockedBy(pid);
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
    const QString file = std::exchange(m_file, QString());
    const QByteArray native = QFile::encodeName(file);
    // Someone may have removed ours and taken the port since; theirs stays.
    if (ReadPid(native) == qint64(::getpid())) ::unlink(native.constData());
    HeldHere::Instance().Set(file, false);
}

QString ProcessName(qint64 pid) {
    if (pid <= 0) return {};
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (!comm.open(QIODevice::ReadOnly)) return {};
    return QString::fromLocal8Bit(comm.readAll()).trimmed();
}
