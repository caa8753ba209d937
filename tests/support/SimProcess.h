#pragma once
// Runs progmz515-sim for a test: starts it with the given arguments, hands out the path of
// its pseudo-terminal, reads back the frames it heard (its --log), and stops it, politely
// or at once (the device pulled out).  It knows nothing of the window or the serial
// driver; a test opens the terminal with whatever it exercises.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class QProcess;

// One frame the simulator heard: when (CLOCK_MONOTONIC in ms, the clock of
// SimProcess::nowMs()), the bytes, and "ok", "bad-crc", "bad-end" or "bad-command".
struct SimFrame {
    qint64 AtMs = 0;
    QByteArray Bytes;
    QByteArray Verdict;

    bool isOk() const { return Verdict == "ok"; }
    char command() const { return Bytes.size() > 1 ? Bytes[1] : '\0'; }
};

class SimProcess {
public:
    SimProcess();
    ~SimProcess(); // stops the simulator if it still runs
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // The built simulator; empty when this build has none.
    static QString programPath();
    // Now, on the clock of SimFrame::AtMs.
    static qint64 nowMs();

    // Starts the simulator with `arguments` (e.g. {"--model", "MZ515E8", "--fault",
    // "split"}) and waits for the terminal's path.  A --log into a temporary folder is
    // added unless the arguments name one.  False, with errorString(), when it does not
    // come up.
    bool start(const QStringList& arguments, int timeoutMs = 10000);

    QString ptyPath() const { return m_ptyPath; }
    QString logPath() const { return m_logPath; }

    // Every frame logged so far, and only the well-formed read and write requests.
    QList<SimFrame> frames() const;
    QList<SimFrame> requests() const;
    // Runs the event loop until at least `count` frames are logged; false on time-out.
    bool waitForFrames(int count, int timeoutMs);

    // SIGTERM, then waits; true when the simulator ended on it with exit code 0.
    bool stop(int timeoutMs = 5000);
    // SIGKILL: the terminal disappears at once, as a device pulled out of the port.
    void killNow();
    // Waits for the simulator to end by itself (--fault vanish); true when it did.
    bool waitForExit(int timeoutMs);

    bool isRunning() const;
    qint64 processId() const; // for a test that sends its own signal
    int exitCode() const;
    // What the simulator wrote to stderr so far (one line per frame heard; errors).
    QByteArray errorOutput() const;
    QString errorString() const { return m_error; }

private:
    std::unique_ptr<QProcess> m_process;
    QTemporaryDir m_dir;
    QString m_ptyPath;
    QString m_logPath;
    QString m_error;
    int m_runs = 0;
};
