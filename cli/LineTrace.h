#pragma once
// --trace: every frame sent to a port and received from it, with the time, the port, the
// direction and the bytes in hex, for whoever supports the installer.  The driver reports
// blocks as the port takes or gives them; blocks of one direction that follow each other
// closely are one frame on the line and make one line of the trace.  Each line goes to the
// file, flushed, as soon as its frame has ended, so that a program that is killed still
// leaves what it sent and received.

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <optional>

class TSerialDriver;

class LineTrace {
public:
    // Blocks further apart than this start a new line; a frame is written once its port
    // has been quiet this long.
    static constexpr qint64 GapMs = 50;

    LineTrace();

    // Replaces `path` with the trace's heading; the error text, or nothing.
    std::optional<QString> Open(const QString& path);
    // Every block `driver` sends or receives is noted under `port`.
    void Attach(TSerialDriver& driver, const QString& port);
    void Add(const QString& port, bool sent, const std::uint8_t* data, quint32 size);
    // A line of text of our own (a port that could not be opened, the outcome).
    void Note(const QString& port, const QString& text);
    // Writes the frames still open and closes the file; the first error the trace met, or
    // nothing.
    std::optional<QString> Close();

private:
    struct Pending {
        bool Sent = false;
        qint64 FirstMs = 0, LastMs = 0;
        QByteArray Bytes;
    };
    void Flush(const QString& port);
    void FlushQuiet();
    void WriteLine(const QString& text);
    QString Stamp(qint64 ms) const;

    QDateTime m_start;
    QElapsedTimer m_clock;
    QMap<QString, Pending> m_pending;
    QTimer m_quiet;
    QFile m_file;
    QString m_error;
};
