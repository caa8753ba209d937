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

Ser2net::Ser2net() : process_(std::make_unique<QProcess>()) {}

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
        error_ = QStringLiteral("ser2net is not installed (scripts/test installs it)");
        return false;
    }
    rfc2217_ = freePort();
    raw_ = freePort();
    while (raw_ == rfc2217_)
        raw_ = freePort();
    const QString config = dir_.filePath(QStringLiteral("ser2net.yaml"));
    QFile f(config);
    if (!dir_.isValid() || !f.open(QIODevice::WriteOnly)) {
        error_ = QStringLiteral("no temporary folder for the configuration");
        return false;
    }
    f.write(QStringLiteral("connection: &rfc2217\n"
                           "    accepter: telnet(rfc2217),tcp,127.0.0.1,%1\n"
                           "    connector: serialdev,%3,9600n81,local\n"
                           "connection: &raw\n"
                           "    accepter: tcp,127.0.0.1,%2\n"
                           "    connector: serialdev,%3,9600n81,local\n")
                .arg(rfc2217_)
                .arg(raw_)
                .arg(device)
                .toUtf8());
    f.close();
    const QString program = QStandardPaths::findExecutable(Program).isEmpty()
                                ? QStringLiteral("/usr/sbin/ser2net")
                                : QStandardPaths::findExecutable(Program);
    process_->setProcessChannelMode(QProcess::MergedChannels);
    process_->start(program, {"-n", "-u", "-c", config, "-P", dir_.filePath("ser2net.pid")});
    if (!process_->waitForStarted(5000)) {
        error_ = QStringLiteral("cannot start ser2net: %1").arg(process_->errorString());
        return false;
    }
    if (!QTest::qWaitFor([&] { return Listening(rfc2217_) && Listening(raw_); }, 10000)) {
        error_ = QStringLiteral("ser2net does not listen: %1")
                     .arg(QString::fromUtf8(process_->readAll()));
        return false;
    }
    return true;
}

QString Ser2net::rfc2217Url() const {
    return QStringLiteral("rfc2217://127.0.0.1:%1").arg(rfc2217_);
}

QString Ser2net::socketUrl() const {
    return QStringLiteral("socket://127.0.0.1:%1").arg(raw_);
}

void Ser2net::kill() {
    if (process_->state() == QProcess::NotRunning) return;
    process_->kill();
    process_->waitForFinished(5000);
}
