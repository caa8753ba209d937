#pragma once
// What the commands that talk to devices (read, write, verify) share: their --port,
// --trace and --no-journal options, and the run of their sessions.

#include "BookCli.h"
#include "CliCommon.h"
#include "LineTrace.h"
#include "PortSession.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

#include <memory>
#include <optional>

// The options every device command takes.
QList<OptionSpec> DeviceOptionSpecs();

class DeviceRun {
public:
    // Checks the ports and the outputs of the command line: at least one --port (exactly
    // one unless `several`), each naming a port and no two the same device; a trace file
    // in a folder that exists; and no output (the trace, -o) that is a port, an input file
    // or another output.  On a mistake, nothing and the exit status in `exit`.
    static std::optional<DeviceRun> FromArgs(const QString& command, const ParsedArgs& args,
                                             bool several, int* exit);

    // One session per port, each from its own copy of `state`; all run side by side, with
    // the trace written as they go and each outcome kept in the journal (a read for a
    // comparison when `compare`).  A signal stops them all.  ExitOk, or ExitUsage when the
    // trace could not be written.
    int Run(const ProgramState& state, bool write, bool compare = false);

    const QList<PortSession*>& Sessions() const { return m_sessions; }
    // Reads find the model first (ModelDetect.h) instead of asking for the one given.
    void DetectModel() { m_detectModel = true; }
    // Called with each session's outcome as it ends (the site book records it).
    std::function<void(const PortSession&, const ExchangeOutcome&)> OnOutcome;
    // Each outcome recorded under `book`'s device, when there is a book.
    void RecordIn(std::optional<BookTarget>& book) {
        if (book)
            OnOutcome = [&book](const PortSession& s, const ExchangeOutcome& o) {
                book->RecordExchange(o, s.Port());
            };
    }

private:
    QStringList m_ports, m_paths;
    QString m_tracePath;
    bool m_journal = true;
    bool m_detectModel = false;
    std::shared_ptr<LineTrace> m_trace;
    std::vector<std::shared_ptr<PortSession>> m_owned;
    QList<PortSession*> m_sessions;
};
