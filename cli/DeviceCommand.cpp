#include "DeviceCommand.h"

#include <QCoreApplication>

#include "CliFiles.h"
#include "SameFile.h"

#include "app/EndSignals.h"
#include "app/ExchangeJournal.h"
#include "app/Journal.h"

QList<OptionSpec> DeviceOptionSpecs() {
    return {{QStringLiteral("port"), true, true},
            {QStringLiteral("trace"), true},
            {QStringLiteral("no-journal")}};
}

std::optional<DeviceRun> DeviceRun::FromArgs(const QString& command, const ParsedArgs& args,
                                             bool several, int* exit) {
    DeviceRun run;
    run.m_ports = args.Values(QStringLiteral("port"));
    if (run.m_ports.isEmpty()) {
        *exit = UsageError(command,
                           QCoreApplication::translate("DeviceCommand", "не указан порт (--port)"));
        return std::nullopt;
    }
    if (!several && run.m_ports.size() > 1) {
        *exit = UsageError(command, QCoreApplication::translate(
                                        "DeviceCommand", "эта команда работает с одним портом"));
        return std::nullopt;
    }
    for (const QString& port : run.m_ports) {
        QString error;
        const std::optional<QString> path = PortPathOf(port, &error);
        if (!path) {
            *exit = UsageError(command, error);
            return std::nullopt;
        }
        // The second exchange on one device would only find the port taken by the first,
        // after the first had written it.  Links and other spellings name it too.
        for (qsizetype same = 0; same < run.m_paths.size(); ++same)
            if (run.m_paths[same] == *path || SameFile(run.m_paths[same], *path)) {
                *exit =
                    UsageError(command, QCoreApplication::translate(
                                            "DeviceCommand", "«%1» и «%2» — один и тот же порт %3")
                                            .arg(run.m_ports[same], port, *path));
                return std::nullopt;
            }
        run.m_paths << *path;
    }
    QStringList outputs;
    if (args.Has(QStringLiteral("trace"))) {
        run.m_tracePath = args.Value(QStringLiteral("trace"));
        if (const std::optional<QString> error = CheckOutputPlace(run.m_tracePath)) {
            *exit = UsageError(command, *error);
            return std::nullopt;
        }
        run.m_trace = std::make_shared<LineTrace>();
        outputs << run.m_tracePath;
    }
    if (args.Has(QStringLiteral("output"))) outputs << args.Value(QStringLiteral("output"));
    if (const std::optional<QString> clash = OutputClash(outputs, args.Positional + run.m_paths)) {
        *exit = UsageError(command, *clash);
        return std::nullopt;
    }
    run.m_journal = !args.Has(QStringLiteral("no-journal"));
    return run;
}

int DeviceRun::Run(const ProgramState& state, bool write, bool compare) {
    if (m_trace)
        if (const std::optional<QString> error = m_trace->Open(m_tracePath))
            return FileError(*error);
    const auto journal =
        m_journal ? std::make_shared<Journal::TJournal>(Journal::TJournal::DefaultFolder())
                  : nullptr;
    const auto journalFailed = std::make_shared<bool>(false);
    for (qsizetype i = 0; i < m_ports.size(); ++i) {
        m_owned.push_back(
            std::make_shared<PortSession>(m_ports[i], m_paths[i], state, m_trace.get()));
        PortSession* session = m_owned.back().get();
        m_sessions << session;
        if (!journal && !OnOutcome) continue;
        session->OnOutcome = [this, journal, journalFailed, compare,
                              session](ExchangeOutcome outcome) {
            outcome.Compare = compare;
            if (OnOutcome) OnOutcome(*session, outcome);
            if (!journal) return;
            const std::optional<QString> error =
                JournalExchange(*journal, outcome, session->Port());
            // Once: the journal that failed now will fail for the next port too.  The
            // devices are what counts; the exchange's outcome stands.
            if (error && !*journalFailed) {
                *journalFailed = true;
                PrintErr(QCoreApplication::translate("DeviceCommand",
                                                     "progmz515-cli: журнал не записывается: ") +
                         UnixLines(*error));
            }
        };
    }
    {
        TEndSignals watch;
        QObject::connect(&watch, &TEndSignals::Received, &watch, [this](int signal) {
            for (PortSession* session : m_sessions)
                session->Interrupt(signal);
        });
        for (PortSession* session : m_sessions)
            if (m_detectModel)
                session->Detect();
            else
                session->Start(write);
        RunSessions(m_sessions);
    }
    // The trace is kept whatever the outcome: a failed exchange is what it is for.
    if (m_trace)
        if (const std::optional<QString> error = m_trace->Close()) return FileError(*error);
    return ExitOk;
}
