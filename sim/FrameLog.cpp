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
    if (fd_ >= 0) ::close(fd_);
}

bool FrameLog::Open(const QString& path, QString* error) {
    fd_ = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC,
                 0644);
    if (fd_ < 0) {
        *error = QStringLiteral("cannot open the log file %1: %2")
                     .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    return true;
}

void FrameLog::Append(std::int64_t monotonicMs, const HeardFrame& frame) {
    if (fd_ < 0 || failed_) return;
    const QByteArray line = FrameLogLine(monotonicMs, frame);
    ssize_t n;
    do {
        n = ::write(fd_, line.constData(), static_cast<std::size_t>(line.size()));
    } while (n < 0 && errno == EINTR);
    if (n != line.size()) {
        failed_ = true;
        std::fprintf(stderr, "progmz515-sim: the log can no longer be written (%s)\n",
                     n < 0 ? std::strerror(errno) : "short write");
    }
}
