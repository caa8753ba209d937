#include "support/SecondInstance.h"

#include "app/AppTitle.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

#include <signal.h>

namespace {

QString ProgramPath() {
#ifdef PROGMZ_APP_PATH
    return QStringLiteral(PROGMZ_APP_PATH);
#else
    return {};
#endif
}

} // namespace

SecondInstance::SecondInstance() : m_program(std::make_unique<QProcess>()) {}

SecondInstance::~SecondInstance() {
    stop();
}

QString SecondInstance::missingTools() {
    QStringList missing;
    if (ProgramPath().isEmpty() || !QFile::exists(ProgramPath())) missing << "progmz515";
    for (const char* tool : {"Xvfb", "xdotool"})
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            missing << QLatin1String(tool);
    return missing.join(", ");
}

bool SecondInstance::xdotool(const QStringList& arguments, QByteArray* output) {
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display.display());
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral("xdotool"), arguments, QIODevice::ReadOnly);
    if (!tool.waitForFinished(10000) || tool.exitStatus() != QProcess::NormalExit ||
        tool.exitCode() != 0) {
        tool.kill();
        tool.waitForFinished(3000);
        m_error = QStringLiteral("xdotool %1 failed: %2")
                     .arg(arguments.join(' '), QString::fromLocal8Bit(tool.readAllStandardError()));
        return false;
    }
    if (output) *output = tool.readAllStandardOutput();
    return true;
}

QString SecondInstance::programOutput() const {
    QFile output(m_dir.filePath(QStringLiteral("program.txt")));
    return output.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(output.read(4000)) : QString();
}

bool SecondInstance::start(const QMap<QString, QString>& settings, int timeoutMs) {
    m_error.clear();
    if (const QString missing = missingTools(); !missing.isEmpty()) {
        m_error = QStringLiteral("missing: %1").arg(missing);
        return false;
    }
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return false;
    }
    const QString configHome = m_dir.filePath(QStringLiteral("config"));
    const QString runtime = m_dir.filePath(QStringLiteral("runtime"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    {
        // Where the program's own store looks: <config>/Korvanta/ProgMZ515.conf.
        QSettings store(configHome + QStringLiteral("/Korvanta/ProgMZ515.conf"),
                        QSettings::IniFormat);
        for (auto it = settings.begin(); it != settings.end(); ++it)
            store.setValue(it.key(), it.value());
        store.sync();
        if (store.status() != QSettings::NoError) {
            m_error = QStringLiteral("cannot store the settings in %1").arg(configHome);
            return false;
        }
    }
    if (!m_display.start(timeoutMs)) {
        m_error = m_display.errorString();
        return false;
    }

    QProcessEnvironment env = m_display.environment(QProcessEnvironment::systemEnvironment());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    // Its journal, away from the user's own.
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
    // Under AddressSanitizer: libxkbcommon-x11, which the X11 platform loads, gives strndup()
    // a keymap name bounded by its length but not terminated, and the strict string checks
    // take that for an overflow.  That is outside our code; the later flag wins.
    if (const QString asan = env.value(QStringLiteral("ASAN_OPTIONS")); !asan.isEmpty())
        env.insert(QStringLiteral("ASAN_OPTIONS"),
                   asan + QStringLiteral(":strict_string_checks=0"));
    m_program->setProcessEnvironment(env);
    m_program->setStandardOutputFile(m_dir.filePath(QStringLiteral("program.txt")));
    m_program->setStandardErrorFile(m_dir.filePath(QStringLiteral("program.txt")), QIODevice::Append);
    m_program->start(ProgramPath(), {});
    if (!m_program->waitForStarted(timeoutMs)) {
        m_error = QStringLiteral("cannot start progmz515: %1").arg(m_program->errorString());
        return false;
    }

    m_windowId = m_display.waitForWindow(QString::fromUtf8(ProgramTitle), timeoutMs);
    if (m_windowId.isEmpty()) {
        m_error = isRunning()
                     ? QStringLiteral("no window of progmz515 on %1").arg(m_display.display())
                     : QStringLiteral("progmz515 ended before its window showed: %1")
                           .arg(programOutput());
        return false;
    }
    QByteArray geometry;
    if (!xdotool({"getwindowgeometry", "--shell", m_windowId}, &geometry)) return false;
    for (const QByteArray& line : geometry.split('\n')) {
        if (line.startsWith("WIDTH=")) m_size.setWidth(line.mid(6).toInt());
        if (line.startsWith("HEIGHT=")) m_size.setHeight(line.mid(7).toInt());
    }
    return m_size.isValid();
}

bool SecondInstance::click(const QPoint& point) {
    if (m_windowId.isEmpty()) {
        m_error = QStringLiteral("no window to click");
        return false;
    }
    return xdotool({"mousemove", "--sync", "--window", m_windowId, QString::number(point.x()),
                    QString::number(point.y()), "click", "1"},
                   nullptr);
}

bool SecondInstance::isRunning() const {
    return m_program->state() != QProcess::NotRunning;
}

qint64 SecondInstance::processId() const {
    return m_program->processId();
}

QString SecondInstance::journalFolder() const {
    return m_dir.filePath(QStringLiteral("data/Korvanta/ProgMZ515/journal"));
}

int SecondInstance::endWith(int signal) {
    if (!isRunning() || ::kill(pid_t(processId()), signal) != 0) return -1;
    if (!m_program->waitForFinished(10000) || m_program->exitStatus() != QProcess::NormalExit)
        return -1;
    return m_program->exitCode();
}

void SecondInstance::stop() {
    if (!isRunning()) return;
    m_program->terminate();
    if (!m_program->waitForFinished(3000)) {
        m_program->kill();
        m_program->waitForFinished(3000);
    }
}
