#include "PgServer.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <pwd.h>
#include <unistd.h>

PgServer::PgServer() : m_bin(BinFolder()) {
    if (::geteuid() == 0)
        m_runAs = ::getpwnam("postgres") ? QStringLiteral("postgres") : QStringLiteral("nobody");
}

PgServer::~PgServer() {
    if (m_running) Stop();
}

QString PgServer::BinFolder() {
    const QDir root(QStringLiteral("/usr/lib/postgresql"));
    QStringList versions = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCollator numeric;
    numeric.setNumericMode(true);
    std::sort(versions.begin(), versions.end(), numeric);
    for (auto v = versions.crbegin(); v != versions.crend(); ++v) {
        const QString bin = root.filePath(*v + QStringLiteral("/bin"));
        if (QFile::exists(bin + QStringLiteral("/initdb")) &&
            QFile::exists(bin + QStringLiteral("/pg_ctl")))
            return bin;
    }
    return {};
}

bool PgServer::Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    QStringList command{m_bin + QLatin1Char('/') + program};
    command += args;
    if (!m_runAs.isEmpty())
        command = QStringList{QStringLiteral("-u"), m_runAs, QStringLiteral("--")} + command;
    p.start(m_runAs.isEmpty() ? command.takeFirst() : QStringLiteral("runuser"), command);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        m_error = program + QStringLiteral(": ") + QString::fromLocal8Bit(p.readAll());
        return false;
    }
    return true;
}

bool PgServer::Start() {
    if (m_bin.isEmpty() || !m_dir.isValid()) {
        m_error = QStringLiteral("no PostgreSQL binaries");
        return false;
    }
    if (!m_runAs.isEmpty() &&
        QProcess::execute(QStringLiteral("chown"), {m_runAs, m_dir.path()}) != 0) {
        m_error = QStringLiteral("chown failed");
        return false;
    }
    // The user "book" is the server's owner; trust on the socket, which only we can reach.
    if (!Run(QStringLiteral("initdb"),
             {QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")), QStringLiteral("-U"),
              QStringLiteral("book"), QStringLiteral("-A"), QStringLiteral("trust"),
              QStringLiteral("-E"), QStringLiteral("UTF8"), QStringLiteral("--no-sync")}))
        return false;
    return Restart();
}

bool PgServer::Restart() {
    m_running =
        Run(QStringLiteral("pg_ctl"),
            {QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")), QStringLiteral("-l"),
             m_dir.filePath(QStringLiteral("log")), QStringLiteral("-o"),
             QStringLiteral("-c listen_addresses='' -k %1 -c fsync=off").arg(m_dir.path()),
             QStringLiteral("-w"), QStringLiteral("start")});
    return m_running;
}

bool PgServer::Stop() {
    const bool ok =
        Run(QStringLiteral("pg_ctl"),
            {QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")), QStringLiteral("-m"),
             QStringLiteral("fast"), QStringLiteral("-w"), QStringLiteral("stop")});
    if (ok) m_running = false;
    return ok;
}

QString PgServer::CreateDatabase(const QString& name) {
    if (!Run(QStringLiteral("createdb"), {QStringLiteral("-h"), m_dir.path(), QStringLiteral("-U"),
                                          QStringLiteral("book"), name}))
        return {};
    return QStringLiteral("postgresql://book@localhost/%1?host=%2").arg(name, m_dir.path());
}
