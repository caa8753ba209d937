#include "Ser2net.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTest>

namespace {

const QString Program = QStringLiteral("ser2net");

// Whether something listens on the loopback TCP port, from the system's own table (a
// probe connection would make the server open its device).
bool Listening(quint16 port) {
    const QByteArray hex = QByteArray::number(port, 16).toUpper().rightJustified(4, '0');
    for (const char* table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        QFile f(QString::fromLatin1(table));
        if (!f.open(QIODevice::ReadOnly)) continue;
        for (const QByteArray& line : f.readAll().split('\n')) {
            const QList<QByteArray> cols = line.simplified().split(' ');
            if (cols.size() > 3 && cols[1].endsWith(':' + hex) && cols[3] == "0A") return true;
        }
    }
    return false;
}

} // namespace

Ser2net::Ser2net() : m_process(std::make_unique<QProcess>()) {}

Ser2net::~Ser2net() {
    kill();
}

bool Ser2net::available() {
    return !QStandardPaths::findExecutable(Program).isEmpty() ||
           QFile::exists(QStringLiteral("/usr/sbin/ser2net"));
}

quint16 Ser2net::freePort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost)) return 0;
    return probe.serverPort();
}

bool Ser2net::start(const QString& device) {
    if (!available()) {
        m_error = QStringLiteral("ser2net is not installed (scripts/test installs it)");
        return false;
    }
    m_rfc2217 = freePort();
    m_raw = freePort();
    while (m_raw == m_rfc2217)
        m_raw = freePort();
    const QString config = m_dir.filePath(QStringLiteral("ser2net.yaml"));
    QFile f(config);
    if (!m_dir.isValid() || !f.open(QIODevice::WriteOnly)) {
        m_error = QStringLiteral("no temporary folder for the configuration");
        return false;
    }
    f.write(QStringLiteral("connection: &rfc2217\n"
                           "    accepter: telnet(rfc2217),tcp,127.0.0.1,%1\n"
                           "    connector: serialdev,%3,9600n81,local\n"
                           "connection: &raw\n"
                           "    accepter: tcp,127.0.0.1,%2\n"
                           "    connector: serialdev,%3,9600n81,local\n")
                .arg(m_rfc2217)
                .arg(m_raw)
                .arg(device)
                .toUtf8());
    f.close();
    const QString program = QStandardPaths::findExecutable(Program).isEmpty()
                                ? QStringLiteral("/usr/sbin/ser2net")
                                : QStandardPaths::findExecutable(Program);
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    m_process->start(program, {"-n", "-u", "-c", config, "-P", m_dir.filePath("ser2net.pid")});
    if (!m_process->waitForStarted(5000)) {
        m_error = QStringLiteral("cannot start ser2net: %1").arg(m_process->errorString());
        return false;
    }
    if (!QTest::qWaitFor([&] { return Listening(m_rfc2217) && Listening(m_raw); }, 10000)) {
        m_error = QStringLiteral("ser2net does not listen: %1")
                     .arg(QString::fromUtf8(m_process->readAll()));
        return false;
    }
    return true;
}

QString Ser2net::rfc2217Url() const {
    return QStringLiteral("rfc2217://127.0.0.1:%1").arg(m_rfc2217);
}

QString Ser2net::socketUrl() const {
    return QStringLiteral("socket://127.0.0.1:%1").arg(m_raw);
}

void Ser2net::kill() {
    if (m_process->state() == QProcess::NotRunning) return;
    m_process->kill();
    m_process->waitForFinished(5000);
}
