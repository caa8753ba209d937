#pragma once
// Runs the real progmz515 beside the test, as a second copy of the program would run on
// the user's desktop: with its own settings directory and on an X server of its own
// (XServer), so that the test can click its buttons with xdotool the way a user would.
// What its window shows cannot be read back from here; what it does on the line is seen
// at the other end of the line, and the captions of its boxes on its display.

#include "support/XServer.h"

#include <QByteArray>
#include <QMap>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class QProcess;

class SecondInstance {
public:
    SecondInstance();
    ~SecondInstance(); // stops the program and its display
    SecondInstance(const SecondInstance&) = delete;
    SecondInstance& operator=(const SecondInstance&) = delete;

    // Empty when the program, Xvfb and xdotool are all there; otherwise what is missing.
    static QString missingTools();

    // Stores `settings` (name -> value, e.g. "comportname") where the program will find
    // them, starts its display and the program, and waits until the main window is shown.
    // False, with errorString(), when it does not come up.
    bool start(const QMap<QString, QString>& settings, int timeoutMs = 20000);

    // The main window's size on its display.
    QSize windowSize() const { return m_size; }
    // A left click at `point` in the main window's coordinates.
    bool click(const QPoint& point);
    // The titles of the windows on its display: the main window's, and a message box's
    // caption while one is up.
    QStringList windowTitles() { return m_display.windowTitles(); }

    // Keys pressed in the main window (xdotool's names: "ctrl+o").
    bool pressKeys(const QString& keys) { return m_display.pressKeys(m_windowId, keys); }
    bool waitForWindow(const QString& title, int timeoutMs) {
        return !m_display.waitForWindow(title, timeoutMs).isEmpty();
    }
    // Its journal's folder, under a data directory of its own.
    QString journalFolder() const;

    bool isRunning() const;
    qint64 processId() const;
    void stop();
    // Sends `signal` and waits for the end: the exit code, or -1 when it did not end by
    // itself within 10 s.
    int endWith(int signal);
    QString errorString() const { return m_error; }

private:
    bool xdotool(const QStringList& arguments, QByteArray* output);
    QString programOutput() const;

    QTemporaryDir m_dir;
    XServer m_display;
    std::unique_ptr<QProcess> m_program;
    QString m_windowId;
    QSize m_size;
    QString m_error;
};
