#pragma once
// The --log file: one line per whole frame heard, "<ms> <hex> <verdict>\n", where <ms> is
// CLOCK_MONOTONIC in milliseconds (the clock a started QElapsedTimer's
// msecsSinceReference() reads on Linux, so a test can set it against its own).  Every line is
// written with one write() on a file opened for appending, so a reader never sees half a line.

#include "SimDevice.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

QByteArray FrameLogLine(std::int64_t monotonicMs, const HeardFrame& frame);

class FrameLog {
public:
    FrameLog() = default;
    ~FrameLog();
    FrameLog(const FrameLog&) = delete;
    FrameLog& operator=(const FrameLog&) = delete;

    bool Open(const QString& path, QString* error);
    bool IsOpen() const { return m_fd >= 0; }
    // Appends the line; a log that cannot be written is reported once on stderr and then
    // left alone, the device keeps answering.
    void Append(std::int64_t monotonicMs, const HeardFrame& frame);

private:
    int m_fd = -1;
    bool m_failed = false;
};
