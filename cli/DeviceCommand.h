#pragma once
// What the commands that talk to devices (read, write, verify) share: their --port and
// --trace options, and the run of their sessions.

#include "CliCommon.h"
#include "LineTrace.h"
#include "PortSession.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// The options every device command takes.
QList<OptionSpec> DeviceOptionSpecs();

class DeviceRun {
public:
    // Checks the ports and the trace file of the command line: at least one --port (exactly
    // one unless `several`), each naming a port and no two the same device, and a trace file
    // in a folder that exists.  On a mistake, nothing and the exit status in `exit`.
    static std::optional<DeviceRun> FromArgs(const QString& command, const ParsedArgs& args,
                                             bool several, int* exit);

    // One session per port, each from its own copy of `state`; all run side by side, then
    // the trace is saved.  ExitOk, or ExitUsage when the trace could not be written.
    int Run(const ProgramState& state, bool write);

    const QList<PortSession*>& Sessions() const { return m_sessions; }

private:
    QStringList m_ports, m_paths;
    QString m_tracePath;
    std::shared_ptr<LineTrace> m_trace;
    std::vector<std::shared_ptr<PortSession>> m_owned;
    QList<PortSession*> m_sessions;
};
