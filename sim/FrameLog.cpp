#include "FrameLog.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

QByteArray FrameLogLine(std::int64_t monotonicMs, const HeardFrame& frame) {
    return QByteArray::number(static_cast<qlonglong>(monotonicMs)) + ' ' + frame.Bytes.toHex() +
           ' ' + VerdictName(frame.Verdict) + '\n';
}

FrameLog::~FrameLog() {
    if (m_fd >= 0) ::close(m_fd);
}

bool FrameLog::Open(const QString& path, QString* error) {
    m_fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC,
                 0644);
    if (m_fd < 0) {
        *error = QStringLiteral("cannot open the log file %1: %2")
                     .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    return true;
}

void FrameLog::Append(std::int64_t monotonicMs, const HeardFrame& frame) {
    if (m_fd < 0 || m_failed) return;
    const QByteArray line = FrameLogLine(monotonicMs, frame);
    ssize_t n;
    do {
        n = ::write(m_fd, line.constData(), static_cast<std::size_t>(line.size()));
    } while (n < 0 && errno == EINTR);
    if (n != line.size()) {
        m_failed = true;
        std::fprintf(stderr, "progmz515-sim: the log can no longer be written (%s)\n",
                     n < 0 ? std::strerror(errno) : "short write");
    }
}
