#include "support/ProcessUsage.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <malloc.h>
#include <sys/resource.h>

#if defined(__SANITIZE_ADDRESS__)
#define PROGMZ_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PROGMZ_ASAN 1
#endif
#endif

#ifdef PROGMZ_ASAN
#include <cstddef>
// The sanitizer's allocator counts what it has handed out; GCC ships the function in
// libasan but not the header that declares it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

qint64 CpuTimeMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (qint64(u.ru_utime.tv_sec) + u.ru_stime.tv_sec) * 1000 +
           (qint64(u.ru_utime.tv_usec) + u.ru_stime.tv_usec) / 1000;
}

int OpenDescriptorCount() {
    const QDir fds(QStringLiteral("/proc/self/fd"));
    if (!fds.exists()) return -1;
    // The listing holds one descriptor of its own while it reads; it is counted every time.
    return int(fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size());
}

qint64 ResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (!line.startsWith("VmRSS:")) continue;
        bool ok = false;
        const qint64 kb = line.mid(6).trimmed().split(' ').value(0).toLongLong(&ok);
        return ok ? kb : -1;
    }
    return -1;
}

qint64 LiveHeapBytes() {
#ifdef PROGMZ_ASAN
    return qint64(__sanitizer_get_current_allocated_bytes());
#else
    // Summed over every arena of the allocator, with the large blocks it maps on its own.
    const struct mallinfo2 m = mallinfo2();
    return qint64(m.uordblks + m.hblkhd);
#endif
}

bool ResidentSizeIsMeaningful() {
#ifdef PROGMZ_ASAN
    return false;
#else
    return true;
#endif
}
