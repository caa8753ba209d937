#include "SimProcess.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>

SimProcess::SimProcess() : process_(std::make_unique<QProcess>()) {}

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
    error_.clear();
    ptyPath_.clear();
    if (isRunning()) {
        error_ = QStringLiteral("the simulator is already running");
        return false;
    }
    if (programPath().isEmpty() || !dir_.isValid()) {
        error_ = QStringLiteral("no simulator in this build, or no temporary folder");
        return false;
    }

    QStringList args = arguments;
    const qsizetype logAt = args.indexOf(QStringLiteral("--log"));
    if (logAt >= 0 && logAt + 1 < args.size()) {
        logPath_ = args[logAt + 1];
    } else {
        // A fresh file for every start, so that one run's frames never mix with another's.
        logPath_ = dir_.filePath(QStringLiteral("frames-%1.log").arg(++runs_));
        args << QStringLiteral("--log") << logPath_;
    }

    // stderr goes to a file: it can grow for as long as a test runs without filling a pipe.
    process_->setStandardErrorFile(dir_.filePath(QStringLiteral("stderr.txt")), QIODevice::Append);
    process_->setProgram(programPath());
    process_->setArguments(args);
    process_->start(QIODevice::ReadOnly);
    if (!process_->waitForStarted(timeoutMs)) {
        error_ = QStringLiteral("cannot start %1: %2").arg(programPath(), process_->errorString());
        return false;
    }

    const QDeadlineTimer deadline(timeoutMs);
    while (!process_->canReadLine()) {
        if (!process_->waitForReadyRead(static_cast<int>(deadline.remainingTime())) &&
            (deadline.hasExpired() || process_->state() == QProcess::NotRunning)) {
            error_ =
                QStringLiteral("the simulator gave no terminal path (%1): %2")
                    .arg(isRunning() ? QStringLiteral("time-out")
                                     : QStringLiteral("exit code %1").arg(process_->exitCode()),
                         QString::fromLocal8Bit(errorOutput()));
            if (isRunning()) killNow();
            return false;
        }
    }
    ptyPath_ = QString::fromLocal8Bit(process_->readLine().trimmed());
    return !ptyPath_.isEmpty();
}

QList<SimFrame> SimProcess::frames() const {
    QList<SimFrame> result;
    QFile file(logPath_);
    if (logPath_.isEmpty() || !file.open(QIODevice::ReadOnly)) return result;
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
        return process_->exitStatus() == QProcess::NormalExit && process_->exitCode() == 0;
    process_->terminate();
    if (!process_->waitForFinished(timeoutMs)) {
        killNow();
        return false;
    }
    return process_->exitStatus() == QProcess::NormalExit && process_->exitCode() == 0;
}

void SimProcess::killNow() {
    if (!isRunning()) return;
    process_->kill();
    process_->waitForFinished(5000);
}

bool SimProcess::waitForExit(int timeoutMs) {
    return !isRunning() || process_->waitForFinished(timeoutMs);
}

bool SimProcess::isRunning() const {
    return process_->state() != QProcess::NotRunning;
}

qint64 SimProcess::processId() const {
    return process_->processId();
}

int SimProcess::exitCode() const {
    return process_->exitStatus() == QProcess::NormalExit ? process_->exitCode() : -1;
}

QByteArray SimProcess::errorOutput() const {
    QFile file(dir_.filePath(QStringLiteral("stderr.txt")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
