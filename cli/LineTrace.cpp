#include "LineTrace.h"

#include "link/SerialDrv.h"

#include <QCoreApplication>
#include <QSaveFile>

#include <algorithm>

LineTrace::LineTrace() : m_start(QDateTime::currentDateTime()) {
    m_clock.start();
}

void LineTrace::Attach(TSerialDriver& driver, const QString& port) {
    driver.OnLineTrace = [this, port](TSerialDriver*, bool sent, const std::uint8_t* data,
                                      quint32 size) { Add(port, sent, data, size); };
}

void LineTrace::Add(const QString& port, bool sent, const std::uint8_t* data, quint32 size) {
    const qint64 now = m_clock.elapsed();
    auto it = m_pending.find(port);
    if (it != m_pending.end() && (it->Sent != sent || now - it->LastMs > GapMs)) {
        Flush(port);
        it = m_pending.end();
    }
    if (it == m_pending.end()) it = m_pending.insert(port, Pending{sent, now, now, {}});
    it->LastMs = now;
    it->Bytes.append(reinterpret_cast<const char*>(data), qsizetype(size));
}

void LineTrace::Note(const QString& port, const QString& text) {
    Flush(port);
    const qint64 now = m_clock.elapsed();
    // One line, whatever the text: the trace stays one event a line.
    const QString flat =
        QString(text).replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(u'\n', u' ');
    m_lines.append({now, QStringLiteral("%1 %2 -- %3").arg(Stamp(now), port, flat)});
}

void LineTrace::Flush(const QString& port) {
    const auto it = m_pending.constFind(port);
    if (it == m_pending.constEnd()) return;
    m_lines.append({it->FirstMs, QStringLiteral("%1 %2 %3 %4 %5")
                                     .arg(Stamp(it->FirstMs), port,
                                          it->Sent ? QStringLiteral("TX") : QStringLiteral("RX"))
                                     .arg(it->Bytes.size())
                                     .arg(QString::fromLatin1(it->Bytes.toHex(' ').toUpper()))});
    m_pending.erase(it);
}

QString LineTrace::Stamp(qint64 ms) const {
    return m_start.addMSecs(ms).toString(QStringLiteral("HH:mm:ss.zzz"));
}

QByteArray LineTrace::Text() {
    for (const QString& port : m_pending.keys())
        Flush(port);
    std::stable_sort(m_lines.begin(), m_lines.end(),
                     [](const Line& a, const Line& b) { return a.AtMs < b.AtMs; });
    QByteArray text =
        QStringLiteral("# progmz515-cli %1, %2\n"
                       "# time, port, TX sent or RX received, bytes, the bytes in hex\n")
            .arg(QCoreApplication::applicationVersion(),
                 m_start.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
            .toUtf8();
    for (const Line& line : m_lines)
        text += line.Text.toUtf8() + '\n';
    return text;
}

std::optional<QString> LineTrace::Save(const QString& path) {
    const QByteArray text = Text();
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.flush() &&
        file.commit())
        return std::nullopt;
    return QStringLiteral("не удалось записать файл трассировки \"%1\": %2")
        .arg(path, file.errorString());
}
