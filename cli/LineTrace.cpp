#include "LineTrace.h"

#include "link/SerialDrv.h"

#include <QCoreApplication>

namespace {
QString WriteError(const QFile& file) {
    return QCoreApplication::translate("LineTrace",
                                       "не удалось записать файл трассировки \"%1\": %2")
        .arg(file.fileName(), file.errorString());
}
} // namespace

LineTrace::LineTrace() : m_start(QDateTime::currentDateTime()) {
    m_clock.start();
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(int(GapMs) + 1);
    m_quiet.callOnTimeout([this] { FlushQuiet(); });
}

std::optional<QString> LineTrace::Open(const QString& path) {
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return WriteError(m_file);
    WriteLine(QStringLiteral("# progmz515-cli %1, %2\n"
                             "# time, port, TX sent or RX received, bytes, the bytes in hex")
                  .arg(QCoreApplication::applicationVersion(),
                       m_start.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
    return m_error.isEmpty() ? std::nullopt : std::optional(m_error);
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
    m_quiet.start();
}

void LineTrace::Note(const QString& port, const QString& text) {
    Flush(port);
    // One line, whatever the text: the trace stays one event a line.
    const QString flat =
        QString(text).replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(u'\n', u' ');
    WriteLine(QStringLiteral("%1 %2 -- %3").arg(Stamp(m_clock.elapsed()), port, flat));
}

void LineTrace::FlushQuiet() {
    const qint64 now = m_clock.elapsed();
    for (const QString& port : m_pending.keys())
        if (now - m_pending.value(port).LastMs >= GapMs) Flush(port);
    if (!m_pending.isEmpty()) m_quiet.start();
}

void LineTrace::Flush(const QString& port) {
    const auto it = m_pending.constFind(port);
    if (it == m_pending.constEnd()) return;
    WriteLine(
        QStringLiteral("%1 %2 %3 %4 %5")
            .arg(Stamp(it->FirstMs), port, it->Sent ? QStringLiteral("TX") : QStringLiteral("RX"))
            .arg(it->Bytes.size())
            .arg(QString::fromLatin1(it->Bytes.toHex(' ').toUpper())));
    m_pending.erase(it);
}

void LineTrace::WriteLine(const QString& text) {
    if (!m_file.isOpen()) return;
    const QByteArray line = text.toUtf8() + '\n';
    if ((m_file.write(line) != line.size() || !m_file.flush()) && m_error.isEmpty())
        m_error = WriteError(m_file);
}

QString LineTrace::Stamp(qint64 ms) const {
    return m_start.addMSecs(ms).toString(QStringLiteral("HH:mm:ss.zzz"));
}

std::optional<QString> LineTrace::Close() {
    m_quiet.stop();
    for (const QString& port : m_pending.keys())
        Flush(port);
    m_file.close();
    return m_error.isEmpty() ? std::nullopt : std::optional(m_error);
}
