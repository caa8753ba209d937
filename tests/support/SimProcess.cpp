#include "SimProcess.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>

SimProcess::SimProcess() : m_process(std::make_unique<QProcess>()) {}

SimProcess::~SimProcess() {
    if (isRunning() && !stop(3000)) killNow();
}

QString SimProcess::programPath() {
#ifdef PROGMZ_SIM_PATH
    return QStringLiteral(PROGMZ_SIM_PATH);
#else
    return {};
#endif
}

qint64 SimProcess::nowMs() {
    // QElapsedTimer reads CLOCK_MONOTONIC on Linux, as the simulator does.
    QElapsedTimer t;
    t.start();
    return t.msecsSinceReference();
}

bool SimProcess::start(const QStringList& arguments, int timeoutMs) {
    m_error.clear();
    m_ptyPath.clear();
    if (isRunning()) {
        m_error = QStringLiteral("the simulator is already running");
        return false;
    }
    if (programPath().isEmpty() || !m_dir.isValid()) {
        m_error = QStringLiteral("no simulator in this build, or no temporary folder");
        return false;
    }

    QStringList args = arguments;
    const qsizetype logAt = args.indexOf(QStringLiteral("--log"));
    if (logAt >= 0 && logAt + 1 < args.size()) {
        m_logPath = args[logAt + 1];
    } else {
        // A fresh file for every start, so that one run's frames never mix with another's.
        m_logPath = m_dir.filePath(QStringLiteral("frames-%1.log").arg(++m_runs));
        args << QStringLiteral("--log") << m_logPath;
    }

    // stderr goes to a file: it can grow for as long as a test runs without filling a pipe.
    m_process->setStandardErrorFile(m_dir.filePath(QStringLiteral("stderr.txt")), QIODevice::Append);
    m_process->setProgram(programPath());
    m_process->setArguments(args);
    m_process->start(QIODevice::ReadOnly);
    if (!m_process->waitForStarted(timeoutMs)) {
        m_error = QStringLiteral("cannot start %1: %2").arg(programPath(), m_process->errorString());
        return false;
    }

    const QDeadlineTimer deadline(timeoutMs);
    while (!m_process->canReadLine()) {
        if (!m_process->waitForReadyRead(static_cast<int>(deadline.remainingTime())) &&
            (deadline.hasExpired() || m_process->state() == QProcess::NotRunning)) {
            m_error =
                QStringLiteral("the simulator gave no terminal path (%1): %2")
                    .arg(isRunning() ? QStringLiteral("time-out")
                                     : QStringLiteral("exit code %1").arg(m_process->exitCode()),
                         QString::fromLocal8Bit(errorOutput()));
            if (isRunning()) killNow();
            return false;
        }
    }
    m_ptyPath = QString::fromLocal8Bit(m_process->readLine().trimmed());
    return !m_ptyPath.isEmpty();
}

QList<SimFrame> SimProcess::frames() const {
    QList<SimFrame> result;
    QFile file(m_logPath);
    if (m_logPath.isEmpty() || !file.open(QIODevice::ReadOnly)) return result;
    // Lines are written whole; a line without its newline is not there yet.
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() != 3) continue;
        bool ok = false;
        SimFrame f;
        f.AtMs = fields[0].toLongLong(&ok);
        f.Bytes = QByteArray::fromHex(fields[1]);
        f.Verdict = fields[2];
        if (ok) result << f;
    }
    return result;
}

QList<SimFrame> SimProcess::requests() const {
    QList<SimFrame> result;
    for (const SimFrame& f : frames())
        if (f.isOk()) result << f;
    return result;
}

bool SimProcess::waitForFrames(int count, int timeoutMs) {
    return QTest::qWaitFor([&] { return frames().size() >= count; }, timeoutMs);
}

bool SimProcess::stop(int timeoutMs) {
    if (!isRunning())
        return m_process->exitStatus() == QProcess::NormalExit && m_process->exitCode() == 0;
    m_process->terminate();
    if (!m_process->waitForFinished(timeoutMs)) {
        killNow();
        return false;
    }
    return m_process->exitStatus() == QProcess::NormalExit && m_process->exitCode() == 0;
}

void SimProcess::killNow() {
    if (!isRunning()) return;
    m_process->kill();
    m_process->waitForFinished(5000);
}

bool SimProcess::waitForExit(int timeoutMs) {
    return !isRunning() || m_process->waitForFinished(timeoutMs);
}

bool SimProcess::isRunning() const {
    return m_process->state() != QProcess::NotRunning;
}

qint64 SimProcess::processId() const {
    return m_process->processId();
}

int SimProcess::exitCode() const {
    return m_process->exitStatus() == QProcess::NormalExit ? m_process->exitCode() : -1;
}

QByteArray SimProcess::errorOutput() const {
    QFile file(m_dir.filePath(QStringLiteral("stderr.txt")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
