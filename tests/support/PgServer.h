#pragma once
// A PostgreSQL server of the test's own: Debian's binaries (the newest version installed),
// a cluster in a temporary folder, listening on a Unix socket in that folder only.  Run as
// root, the server runs as the "postgres" user (or nobody), as PostgreSQL insists.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class PgServer {
public:
    PgServer();
    ~PgServer(); // stops the server
    PgServer(const PgServer&) = delete;
    PgServer& operator=(const PgServer&) = delete;

    // The folder of initdb and pg_ctl; empty when PostgreSQL is not installed.
    static QString BinFolder();

    // initdb and start; false, with Error(), when either fails.
    bool Start();
    bool Stop();    // fast shutdown: the clients' connections are cut
    bool Restart(); // start again after Stop()
    // A new database; its postgresql:// address (the socket folder in ?host=).
    QString CreateDatabase(const QString& name);
    QString Error() const { return m_error; }

private:
    bool Run(const QString& program, const QStringList& args);
    QTemporaryDir m_dir;
    QString m_bin;
    QString m_runAs; // empty when not root
    QString m_error;
    bool m_running = false;
};
