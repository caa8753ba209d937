#pragma once
// The pseudo-terminal the simulated device sits behind.  The programmer opens the slave
// side as it would a serial port; the simulator reads and writes the master side.

#include <QByteArray>
#include <QString>

class Pty {
public:
    Pty() = default;
    ~Pty();
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    // Creates the pair.  The slave is put in raw mode at once, before anyone can know its
    // name, so nothing a program sends is echoed or translated; and the simulator keeps a
    // descriptor of the slave itself, so the master never sees a hang-up while the
    // programmer has the port closed between exchanges.  The master is non-blocking.
    bool Open(QString* error);
    void Close();

    int Master() const { return m_master; }
    const QByteArray& SlavePath() const { return m_slavePath; }

    // Readable when a program opens or closes the slave side (-1 where that cannot be watched).
    // Our own descriptor keeps the terminal alive, and with it the exclusive mode a client
    // set: one that dies without clearing it would lock every later client out.  So once
    // the last client is gone, HangUps() clears that mode as the system does when the last
    // descriptor closes.
    int CloseWatch() const { return m_watch; }
    void HangUps();

private:
    int m_master = -1;
    int m_slave = -1;
    int m_watch = -1;
    int m_clients = 0; // opens of the slave side by others, less their closes
    QByteArray m_slavePath;
};
