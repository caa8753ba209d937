#pragma once
// PtyPair: a pseudo-terminal pair for tests (named apart from the simulator's own Pty): the driver
// opens the slave by its path as it would a serial port; the test plays the device on the master.
// Closing the master makes the device vanish as an unplugged USB adapter does.

#include <QByteArray>
#include <QString>

#include <termios.h>

class PtyPair {
public:
    PtyPair();  // opens the pair; check isOpen()
    ~PtyPair(); // closes the master
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool isOpen() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }
    int masterFd() const { return m_master; }

    // Writes all of `bytes` to the master (what the device sends), waiting at most
    // timeoutMs for room.  False when not all of it went.
    bool write(const QByteArray& bytes, int timeoutMs = 2000);
    // What the slave side has written, waiting up to timeoutMs for the first byte and then
    // taking whatever follows within settleMs of the last one, up to maxBytes.
    QByteArray read(int timeoutMs, int settleMs = 50, int maxBytes = 1 << 20);
    // Everything the slave side has written until `count` bytes came or timeoutMs passed.
    QByteArray readExactly(int count, int timeoutMs);

    // The line settings of the slave as the driver left them.
    bool slaveTermios(termios& t) const;
    bool setSlaveTermios(const termios& t);

    // The device goes away: the master is closed; the slave's path disappears.
    void closeMaster();

private:
    int m_master = -1;
    QString m_slavePath;
};
