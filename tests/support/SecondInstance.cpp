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

SecondInstance::SecondInstance() : program_(std::make_unique<QProcess>()) {}

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
    env.insert(QStringLiteral("DISPLAY"), display_.display());
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral("xdotool"), arguments, QIODevice::ReadOnly);
    if (!tool.waitForFinished(10000) || tool.exitStatus() != QProcess::NormalExit ||
        tool.exitCode() != 0) {
        tool.kill();
        tool.waitForFinished(3000);
        error_ = QStringLiteral("xdotool %1 failed: %2")
                     .arg(arguments.join(' '), QString::fromLocal8Bit(tool.readAllStandardError()));
        return false;
    }
    if (output) *output = tool.readAllStandardOutput();
    return true;
}

QString SecondInstance::programOutput() const {
    QFile output(dir_.filePath(QStringLiteral("program.txt")));
    return output.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(output.read(4000)) : QString();
}

bool SecondInstance::start(const QMap<QString, QString>& settings, int timeoutMs) {
    error_.clear();
    if (const QString missing = missingTools(); !missing.isEmpty()) {
        error_ = QStringLiteral("missing: %1").arg(missing);
        return false;
    }
    if (!dir_.isValid()) {
        error_ = QStringLiteral("no temporary folder");
        return false;
    }
    const QString configHome = dir_.filePath(QStringLiteral("config"));
    const QString runtime = dir_.filePath(QStringLiteral("runtime"));
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
            error_ = QStringLiteral("cannot store the settings in %1").arg(configHome);
            return false;
        }
    }
    if (!display_.start(timeoutMs)) {
        error_ = display_.errorString();
        return false;
    }

    QProcessEnvironment env = display_.environment(QProcessEnvironment::systemEnvironment());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    // Its journal, away from the user's own.
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir_.filePath(QStringLiteral("data")));
    // Under AddressSanitizer: libxkbcommon-x11, which the X11 platform loads, gives strndup()
    // a keymap name bounded by its length but not terminated, and the strict string checks
    // take that for an overflow.  That is outside our code; the later flag wins.
    if (const QString asan = env.value(QStringLiteral("ASAN_OPTIONS")); !asan.isEmpty())
        env.insert(QStringLiteral("ASAN_OPTIONS"),
                   asan + QStringLiteral(":strict_string_checks=0"));
    program_->setProcessEnvironment(env);
    program_->setStandardOutputFile(dir_.filePath(QStringLiteral("program.txt")));
    program_->setStandardErrorFile(dir_.filePath(QStringLiteral("program.txt")), QIODevice::Append);
    program_->start(ProgramPath(), {});
    if (!program_->waitForStarted(timeoutMs)) {
        error_ = QStringLiteral("cannot start progmz515: %1").arg(program_->errorString());
        return false;
    }

    windowId_ = display_.waitForWindow(QString::fromUtf8(ApplicationTitle), timeoutMs);
    if (windowId_.isEmpty()) {
        error_ = isRunning()
                     ? QStringLiteral("no window of progmz515 on %1").arg(display_.display())
                     : QStringLiteral("progmz515 ended before its window showed: %1")
                           .arg(programOutput());
        return false;
    }
    QByteArray geometry;
    if (!xdotool({"getwindowgeometry", "--shell", windowId_}, &geometry)) return false;
    for (const QByteArray& line : geometry.split('\n')) {
        if (line.startsWith("WIDTH=")) size_.setWidth(line.mid(6).toInt());
        if (line.startsWith("HEIGHT=")) size_.setHeight(line.mid(7).toInt());
    }
    return size_.isValid();
}

bool SecondInstance::click(const QPoint& point) {
    if (windowId_.isEmpty()) {
        error_ = QStringLiteral("no window to click");
        return false;
    }
    return xdotool({"mousemove", "--sync", "--window", windowId_, QString::number(point.x()),
                    QString::number(point.y()), "click", "1"},
                   nullptr);
}

bool SecondInstance::isRunning() const {
    return program_->state() != QProcess::NotRunning;
}

qint64 SecondInstance::processId() const {
    return program_->processId();
}

QString SecondInstance::journalFolder() const {
    return dir_.filePath(QStringLiteral("data/Korvanta/ProgMZ515/journal"));
}

int SecondInstance::endWith(int signal) {
    if (!isRunning() || ::kill(pid_t(processId()), signal) != 0) return -1;
    if (!program_->waitForFinished(10000) || program_->exitStatus() != QProcess::NormalExit)
        return -1;
    return program_->exitCode();
}

void SecondInstance::stop() {
    if (!isRunning()) return;
    program_->terminate();
    if (!program_->waitForFinished(3000)) {
        program_->kill();
        program_->waitForFinished(3000);
    }
}
