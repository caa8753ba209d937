#pragma once
// Debian's ser2net for a test, in the foreground with a configuration of its own, never
// the system's service: one device (a pseudo-terminal of progmz515-sim) behind two free
// loopback ports, one speaking RFC 2217, one plain TCP.  The server's own defaults
// otherwise, as an installer would leave them.

#include <QString>
#include <QTemporaryDir>

#include <memory>

class QProcess;

class Ser2net {
public:
    Ser2net();
    ~Ser2net(); // kills the server

    static bool available(); // ser2net is installed
    // Starts the server for `device`; false, with errorString(), when it does not come up.
    bool start(const QString& device);
    quint16 rfc2217Port() const { return m_rfc2217; }
    quint16 rawPort() const { return m_raw; }
    QString rfc2217Url() const;
    QString socketUrl() const;
    void kill(); // SIGKILL: the server is gone at once
    QString errorString() const { return m_error; }

    // A loopback TCP port nothing listens on just now.
    static quint16 freePort();

private:
    std::unique_ptr<QProcess> m_process;
    QTemporaryDir m_dir;
    quint16 m_rfc2217 = 0, m_raw = 0;
    QString m_error;
};
