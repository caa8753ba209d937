#pragma once
// The signals that ask a program to end (SIGTERM, SIGHUP, SIGINT), turned into a Qt signal
// on the event loop of the thread that made the watcher, where the program can put its work
// away before it ends: nothing but writing a byte is safe inside a signal handler.  While
// the watcher lives, these signals no longer end the program by themselves; one that the
// program was started ignoring (SIGHUP under nohup) stays ignored.  One watcher a process.
// On Windows a console program's Ctrl+C and Ctrl+Break arrive as SIGINT; a window program
// has no console, and the end of its desktop session arrives as commitDataRequest.

#include <QObject>

#include <memory>

// A file-size limit (ulimit -f) kills a program that writes past it with SIGXFSZ, silently
// and perhaps after a device was written.  Ignored, the write fails with EFBIG instead and
// the writer's own message and exit status apply.  Called first thing in main; nothing
// where there is no such signal.
void IgnoreFileSizeSignal();

class TEndSignals : public QObject {
    Q_OBJECT
public:
    explicit TEndSignals(QObject* parent = nullptr);
    // The signals' former handling is back.  A signal that came but was never told (the
    // event loop had stopped) is raised again then, so that it is not lost.
    ~TEndSignals() override;

signals:
    void Received(int signal);

private:
    struct Private;
    std::unique_ptr<Private> d;
};
