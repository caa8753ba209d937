#include "support/SecondInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

namespace {

QString ProgramPath() {
#ifdef PROGMZ_APP_PATH
    return QStringLiteral(PROGMZ_APP_PATH);
#else
    return {};
#endif
}

void Stop(QProcess& process) {
    if (process.state() == QProcess::NotRunning) return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

} // namespace

SecondInstance::SecondInstance()
    : display_(std::make_unique<QProcess>()), program_(std::make_unique<QProcess>()) {}

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

bool SecondInstance::startDisplay(int timeoutMs) {
    // -displayfd: the server takes the first free display number and tells it on stdout,
    // so that tests running side by side never meet on one display.
    display_->setProgram(QStringLiteral("Xvfb"));
    display_->setArguments({"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1024x768x24"});
    display_->setStandardErrorFile(dir_.filePath(QStringLiteral("xvfb.txt")));
    display_->start(QIODevice::ReadOnly);
    if (!display_->waitForStarted(timeoutMs)) {
        error_ = QStringLiteral("cannot start Xvfb: %1").arg(display_->errorString());
        return false;
    }
    const QDeadlineTimer deadline(timeoutMs);
    while (!display_->canReadLine()) {
        if (deadline.hasExpired() || display_->state() == QProcess::NotRunning) {
            error_ = QStringLiteral("Xvfb named no display");
            return false;
        }
        display_->waitForReadyRead(int(deadline.remainingTime()));
    }
    displayName_ = QLatin1Char(':') + QString::fromLatin1(display_->readLine().trimmed());
    return true;
}

bool SecondInstance::xdotool(const QStringList& arguments, QByteArray* output, int timeoutMs) {
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), displayName_);
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral("xdotool"), arguments, QIODevice::ReadOnly);
    if (!tool.waitForFinished(timeoutMs)) {
        tool.kill();
        tool.waitForFinished(3000);
        error_ = QStringLiteral("xdotool %1: no answer").arg(arguments.join(' '));
        return false;
    }
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
        error_ = QStringLiteral("xdotool %1: %2")
                     .arg(arguments.join(' '), QString::fromLocal8Bit(tool.readAllStandardError()));
        return false;
    }
    if (output) *output = tool.readAllStandardOutput();
    return true;
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
    if (!startDisplay(timeoutMs)) return false;

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), displayName_);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    // Under AddressSanitizer: libxkbcommon-x11, which the X11 platform loads, gives strndup()
    // a keymap name bounded by its length but not terminated, and the strict string checks
    // take that for an overflow.  That is outside our code; the later flag wins.
    if (const QString asan = env.value(QStringLiteral("ASAN_OPTIONS")); !asan.isEmpty())
        env.insert(QStringLiteral("ASAN_OPTIONS"),
                   asan + QStringLiteral(":strict_string_checks=0"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    program_->setProcessEnvironment(env);
    program_->setStandardOutputFile(dir_.filePath(QStringLiteral("program.txt")));
    program_->setStandardErrorFile(dir_.filePath(QStringLiteral("program.txt")), QIODevice::Append);
    program_->start(ProgramPath(), {});
    if (!program_->waitForStarted(timeoutMs)) {
        error_ = QStringLiteral("cannot start progmz515: %1").arg(program_->errorString());
        return false;
    }

    // The program's main window is the one visible window that names its process.  Looked
    // for again and again rather than with --sync, so that a program that ended is noticed.
    const QDeadlineTimer deadline(timeoutMs);
    QByteArray found;
    while (found.trimmed().isEmpty()) {
        if (!isRunning()) {
            QFile output(dir_.filePath(QStringLiteral("program.txt")));
            output.open(QIODevice::ReadOnly);
            error_ = QStringLiteral("progmz515 ended before its window showed: %1")
                         .arg(QString::fromLocal8Bit(output.read(4000)));
            return false;
        }
        if (deadline.hasExpired()) {
            error_ = QStringLiteral("no window of progmz515 on %1").arg(displayName_);
            return false;
        }
        QTest::qWait(100);
        // Nothing found is no error of the tool, only an exit code of 1.
        if (!xdotool({"search", "--onlyvisible", "--pid", QString::number(program_->processId())},
                     &found, timeoutMs))
            found.clear();
    }
    error_.clear();
    windowId_ = QString::fromLatin1(found.split('\n').value(0).trimmed());
    QByteArray geometry;
    if (windowId_.isEmpty() ||
        !xdotool({"getwindowgeometry", "--shell", windowId_}, &geometry, timeoutMs))
        return false;
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
                   nullptr, 10000);
}

QStringList SecondInstance::windowTitles() {
    QByteArray ids;
    if (!isRunning() ||
        !xdotool({"search", "--onlyvisible", "--pid", QString::number(program_->processId())},
                 &ids, 10000))
        return {};
    QStringList titles;
    for (const QByteArray& id : ids.split('\n')) {
        QByteArray name;
        if (!id.trimmed().isEmpty() &&
            xdotool({"getwindowname", QString::fromLatin1(id.trimmed())}, &name, 10000))
            titles << QString::fromUtf8(name.trimmed());
    }
    return titles;
}

bool SecondInstance::isRunning() const {
    return program_->state() != QProcess::NotRunning;
}

void SecondInstance::stop() {
    Stop(*program_);
    Stop(*display_);
}
