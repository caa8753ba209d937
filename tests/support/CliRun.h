#pragma once
// progmz515-cli as a script runs it: its exit status and both of its streams.

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct CliRun {
    int Exit = -1; // -1 when it did not end by itself within the time
    QString Out, Err;
};

// Standard output goes to `out` when given; `environment`, when not empty, replaces the
// test's own.
CliRun RunCli(const QStringList& args, int timeoutMs = 20000, const QString& out = {},
              const QProcessEnvironment& environment = {});
