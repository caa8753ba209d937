#include "CliRun.h"

#include <QProcess>

CliRun RunCli(const QStringList& args, int timeoutMs, const QString& out,
              const QProcessEnvironment& environment) {
    QProcess p;
    if (!out.isEmpty()) p.setStandardOutputFile(out);
    if (!environment.isEmpty()) p.setProcessEnvironment(environment);
    p.start(QStringLiteral(PROGMZ_CLI_PATH), args);
    CliRun r;
    if (!p.waitForFinished(timeoutMs) || p.exitStatus() != QProcess::NormalExit) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.Exit = p.exitCode();
    r.Out = QString::fromUtf8(p.readAllStandardOutput());
    r.Err = QString::fromUtf8(p.readAllStandardError());
    return r;
}
