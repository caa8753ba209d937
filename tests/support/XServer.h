#pragma once
// An X server of a test's own (Xvfb, on a display number it picks itself) for starting the
// real program as a user would see it: its windows are looked up by their titles and its
// keys pressed with xdotool.  Packages: xvfb, xdotool.

#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <memory>
#include <utility>

class XServer {
public:
    // The session bus address a program on a test's server gets: none at all.  Without an
    // address, Qt's menu bar and accessibility glue have libdbus fork a "dbus-launch" from
    // the program's many threads; under the sanitizers that child was seen to hang before
    // its exec (the window never came up, about one start in thirty under load).
    static constexpr const char* NoSessionBus = "disabled:";

    XServer();
    ~XServer(); // stops the server
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // Starts Xvfb and waits until it names its display; false, with errorString(), when
    // it does not come up.
    bool start(int timeoutMs = 10000);
    QString errorString() const { return m_error; }
    QString display() const { return m_display; }

    // `base` with the display, Qt's X platform and no session bus, for a program to run on this server.
    QProcessEnvironment environment(QProcessEnvironment base) const;

    // Runs the event loop until a shown window has exactly this title; its id, or empty
    // when none comes up in time.
    QString waitForWindow(const QString& title, int timeoutMs);
    // Whether a shown window has exactly this title now.
    bool hasWindow(const QString& title);
    // The titles of the shown windows.
    QStringList windowTitles();
    // Gives the window the keyboard focus and presses `keys` in it (xdotool's names:
    // "ctrl+s", "Return"); false when the window cannot take the focus.  Whether the keys
    // did anything shows in their effect.
    bool pressKeys(const QString& windowId, const QString& keys);

private:
    QString xdotool(const QStringList& arguments, bool* ok = nullptr);
    QString findWindow(const QString& title);
    QList<std::pair<QString, QString>> windows(); // id and title of every shown window

    std::unique_ptr<QProcess> m_server;
    QString m_display;
    QString m_error;
};
