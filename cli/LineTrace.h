#pragma once
// --trace: every frame sent to a port and received from it, with the time, the port, the
// direction and the bytes in hex, for whoever supports the installer.  The driver reports
// blocks as the port takes or gives them; blocks of one direction that follow each other
// closely are one frame on the line and make one line of the trace.

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QList>
#include <QMap>
#include <QString>

#include <cstdint>
#include <optional>

class TSerialDriver;

class LineTrace {
public:
    // Blocks further apart than this start a new line.
    static constexpr qint64 GapMs = 50;

    LineTrace();

    // Every block `driver` sends or receives is noted under `port`.
    void Attach(TSerialDriver& driver, const QString& port);
    void Add(const QString& port, bool sent, const std::uint8_t* data, quint32 size);
    // A line of text of our own (a port that could not be opened, the outcome).
    void Note(const QString& port, const QString& text);

    // The trace as text: a heading, then one line per frame in the order of time.
    QByteArray Text();
    // Writes Text() to `path` whole or not at all; the error text, or nothing.
    std::optional<QString> Save(const QString& path);

private:
    struct Pending {
        bool Sent = false;
        qint64 FirstMs = 0, LastMs = 0;
        QByteArray Bytes;
    };
    struct Line {
        qint64 AtMs;
        QString Text;
    };
    void Flush(const QString& port);
    QString Stamp(qint64 ms) const;

    QDateTime m_start;
    QElapsedTimer m_clock;
    QMap<QString, Pending> m_pending;
    QList<Line> m_lines;
};
