#include "DeviceCommand.h"

#include "CliFiles.h"

QList<OptionSpec> DeviceOptionSpecs() {
    return {{QStringLiteral("port"), true, true}, {QStringLiteral("trace"), true}};
}

std::optional<DeviceRun> DeviceRun::FromArgs(const QString& command, const ParsedArgs& args,
                                             bool several, int* exit) {
    DeviceRun run;
    run.m_ports = args.Values(QStringLiteral("port"));
    if (run.m_ports.isEmpty()) {
        *exit = UsageError(command, QStringLiteral("не указан порт (--port)"));
        return std::nullopt;
    }
    if (!several && run.m_ports.size() > 1) {
        *exit = UsageError(command, QStringLiteral("эта команда работает с одним портом"));
        return std::nullopt;
    }
    for (const QString& port : run.m_ports) {
        QString error;
        const std::optional<QString> path = PortPathOf(port, &error);
        if (!path) {
            *exit = UsageError(command, error);
            return std::nullopt;
        }
        // The second exchange on one device would only find the port taken by the first.
        const qsizetype same = run.m_paths.indexOf(*path);
        if (same >= 0) {
            *exit = UsageError(command, QStringLiteral("«%1» и «%2» — один и тот же порт %3")
                                            .arg(run.m_ports[same], port, *path));
            return std::nullopt;
        }
        run.m_paths << *path;
    }
    if (args.Has(QStringLiteral("trace"))) {
        run.m_tracePath = args.Value(QStringLiteral("trace"));
        if (const std::optional<QString> error = CheckOutputPlace(run.m_tracePath)) {
            *exit = UsageError(command, *error);
            return std::nullopt;
        }
        run.m_trace = std::make_shared<LineTrace>();
    }
    return run;
}

int DeviceRun::Run(const ProgramState& state, bool write) {
    for (qsizetype i = 0; i < m_ports.size(); ++i) {
        m_owned.push_back(
            std::make_shared<PortSession>(m_ports[i], m_paths[i], state, m_trace.get()));
        m_sessions << m_owned.back().get();
    }
    for (PortSession* session : m_sessions)
        session->Start(write);
    RunSessions(m_sessions);
    // The trace is kept whatever the outcome: a failed exchange is what it is for.
    if (m_trace) {
        if (const std::optional<QString> error = m_trace->Save(m_tracePath))
            return FileError(*error);
    }
    return ExitOk;
}
