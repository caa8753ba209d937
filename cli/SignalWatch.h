#pragma once
// Ctrl+C, a closed terminal or a "kill" while devices are being read or written: the
// command line ends as it ends on a failure (every exchange stopped, every port closed
// and its lock removed, the trace and the result lines written, status 128 + the signal)
// instead of leaving a port claimed.  While a watch lives, SIGINT, SIGTERM and SIGHUP (on
// Windows, Ctrl+C and Ctrl+Break as SIGINT) are told through Caught() on the event loop.
// One watch at a time; each platform's file sets it up.

#include <QObject>

#include <memory>

class SignalWatch : public QObject {
    Q_OBJECT
public:
    explicit SignalWatch(QObject* parent = nullptr);
    // Puts the signals' former handling back.  A signal that came but was never told (the
    // event loop had stopped) is raised again then, so that it is not lost.
    ~SignalWatch() override;

signals:
    void Caught(int signal);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
