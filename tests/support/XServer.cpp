#include "support/XServer.h"

#include <QDeadlineTimer>
#include <QTest>

XServer::XServer() = default;

XServer::~XServer() {
    if (m_server && m_server->state() != QProcess::NotRunning) {
        m_server->terminate();
        if (!m_server->waitForFinished(5000)) {
            m_server->kill();
            m_server->waitForFinished(5000);
        }
    }
}

bool XServer::start(int timeoutMs) {
    m_server = std::make_unique<QProcess>();
    m_server->setProcessChannelMode(QProcess::SeparateChannels);
    // -displayfd: the server takes the first free display and writes its number to us,
    // so tests running side by side never meet on one display.
    // -noreset: a server resets when its last client leaves, and refuses the next program
    // that connects in that moment.
    m_server->start(QStringLiteral("Xvfb"),
                   {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-noreset"),
                    QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-screen"),
                    QStringLiteral("0"), QStringLiteral("1024x768x24")});
    if (!m_server->waitForStarted(timeoutMs)) {
        m_error = QStringLiteral("Xvfb did not start (package xvfb): ") + m_server->errorString();
        return false;
    }
    QByteArray out;
    const QDeadlineTimer deadline(timeoutMs);
    while (!out.contains('\n')) {
        if (deadline.hasExpired() || !m_server->waitForReadyRead(int(deadline.remainingTime()))) {
            m_error = QStringLiteral("Xvfb named no display: ") +
                     QString::fromLocal8Bit(m_server->readAllStandardError());
            return false;
        }
        out += m_server->readAllStandardOutput();
    }
    m_display = QStringLiteral(":") + QString::fromLatin1(out.trimmed());
    return true;
}

QProcessEnvironment XServer::environment(QProcessEnvironment base) const {
    base.insert(QStringLiteral("DISPLAY"), m_display);
    base.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    base.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QString::fromLatin1(NoSessionBus));
    return base;
}

QString XServer::xdotool(const QStringList& arguments, bool* ok) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("xdotool"), arguments);
    const bool done = p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit;
    if (ok) *ok = done && p.exitCode() == 0;
    if (!done && p.error() == QProcess::FailedToStart)
        qWarning("xdotool did not start (package xdotool): %s", qPrintable(p.errorString()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

QList<std::pair<QString, QString>> XServer::windows() {
    // Every shown window, then its title: xdotool's own search by name takes a regular
    // expression and ignores letter case, so titles are compared here instead.
    QList<std::pair<QString, QString>> found;
    const QStringList ids = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                     QStringLiteral("--name"), QString()})
                                .split(u'\n', Qt::SkipEmptyParts);
    for (const QString& id : ids) {
        QString title = xdotool({QStringLiteral("getwindowname"), id});
        if (title.endsWith(u'\n')) title.chop(1);
        found.append({id, title});
    }
    return found;
}

QString XServer::findWindow(const QString& title) {
    for (const auto& [id, shown] : windows())
        if (shown == title) return id;
    return {};
}

QStringList XServer::windowTitles() {
    QStringList titles;
    for (const auto& window : windows())
        titles << window.second;
    return titles;
}

bool XServer::hasWindow(const QString& title) {
    return !findWindow(title).isEmpty();
}

QString XServer::waitForWindow(const QString& title, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const QString id = findWindow(title);
        if (!id.isEmpty() || deadline.hasExpired()) return id;
        QTest::qWait(100);
    }
}

bool XServer::pressKeys(const QString& windowId, const QString& keys) {
    bool focused = false;
    // A shortcut such as Ctrl+S reaches only the window that has the focus; with no window
    // manager on the server nobody else gives it.
    xdotool({QStringLiteral("windowfocus"), windowId}, &focused);
    QTest::qWait(200);
    // Through the server's test extension to the focused window, press and release alike.
    // Sent to the window itself instead, a key that closes it lost its release, and the
    // server went on repeating the key into the next program's box, which closed unseen.
    xdotool({QStringLiteral("key"), keys});
    return focused;
}
