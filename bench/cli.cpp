// How long progmz515-cli takes on a line paced at 9600 bit/s both ways (progmz515-sim
// --pace): a read of MZ515KA8 and one of the transmitter MZ515KF next to the time their
// bytes need on the line, the same file written to four devices at once next to one, and
// the read through ser2net (its default configuration, RFC 2217, on the loopback) next to
// the same device's own pseudo-terminal.  Each figure twice: the command line's own
// sessions in this process (the exchange alone) and the whole program as a script starts
// it (process start and file included).
//
//   bench_cli [repetitions]

#include "PortSession.h"

#include "app/ConfigFile.h"
#include "link/Frames.h"
#include "model/MyConst.h"
#include "support/Ser2net.h"
#include "support/SimProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// One exchange on every port at once, in this process; ms, or -1 when one did not end
// cleanly at the first attempt.
double Sessions(const QStringList& ports, const ProgramState& state, bool write) {
    std::vector<std::unique_ptr<PortSession>> owned;
    QList<PortSession*> sessions;
    for (const QString& port : ports) {
        owned.push_back(std::make_unique<PortSession>(port, port, state));
        owned.back()->Quiet = true;
        sessions << owned.back().get();
    }
    QElapsedTimer t;
    t.start();
    for (PortSession* s : sessions)
        s->Start(write);
    RunSessions(sessions);
    const double ms = double(t.nsecsElapsed()) / 1e6;
    for (PortSession* s : sessions)
        if (s->Result() != PortSession::Outcome::Done || s->Exchange().AttemptCount() != 0)
            return -1;
    return ms;
}

// The program itself; ms, or -1 when it failed.
double Program(const QStringList& args) {
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    p.start(QStringLiteral(PROGMZ_CLI_PATH), args);
    if (!p.waitForFinished(20000) || p.exitCode() != 0) return -1;
    return double(t.nsecsElapsed()) / 1e6;
}

struct Row {
    const char* What;
    std::vector<double> Inside, Whole;
};

// Request and reply of a model on the line: 10 bits a byte at 9600 bit/s.
double LineMs(const ProgramState& state) {
    const int c = state.Capacity;
    const int bytes = Frame::RequestLength(c) + Frame::ReplyLength(GroupOf(state.CurrentDevice), c);
    return bytes * 10.0 * 1000.0 / 9600.0;
}

// A row of figures: each median with its ratio to the reference given for it.
void Print(const Row& r, double insideRef, double wholeRef, const char* reference) {
    const double in = Median(r.Inside), whole = Median(r.Whole);
    std::printf("%-26s %8.1f %6.2f %8.1f %6.2f   %s\n", r.What, in, in / insideRef, whole,
                whole / wholeRef, reference);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    SimProcess sims[4], transmitter;
    QStringList ports;
    if (!transmitter.start({"--model", "MZ515KF", "--pace"})) {
        std::fprintf(stderr, "%s\n", qPrintable(transmitter.errorString()));
        return 1;
    }
    for (SimProcess& sim : sims) {
        if (!sim.start({"--model", "MZ515KA8", "--pace"})) {
            std::fprintf(stderr, "%s\n", qPrintable(sim.errorString()));
            return 1;
        }
        ports << sim.ptyPath();
    }
    Ser2net server;
    if (!server.start(ports[0])) {
        std::fprintf(stderr, "%s\n", qPrintable(server.errorString()));
        return 1;
    }
    const QString url = server.rfc2217Url();

    QTemporaryDir dir;
    // The programs keep their journal, as they do for a user, but not in the user's own.
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath("data")));
    ProgramState state;
    LoadDeviceDefaults(state, "MZ515KA8");
    const QString file = dir.filePath("ka8.cf8");
    if (!dir.isValid() || SaveConfigFile(state, file)) return 1;

    ProgramState kf;
    LoadDeviceDefaults(kf, "MZ515KF");
    const int bytes = Frame::RequestLength(state.Capacity) +
                      Frame::ReplyLength(DeviceGroup::EightLoop, state.Capacity);
    const double lineMs = LineMs(state), kfLineMs = LineMs(kf);

    Row read{"read MZ515KA8", {}, {}};
    Row readKf{"read MZ515KF", {}, {}};
    Row one{"write MZ515KA8, 1 device", {}, {}};
    Row four{"write MZ515KA8, 4 devices", {}, {}};
    Row net{"read MZ515KA8, ser2net", {}, {}};
    for (int i = 0; i < repetitions; ++i) {
        read.Inside.push_back(Sessions({ports[0]}, state, false));
        read.Whole.push_back(Program(
            {"read", "--port", ports[0], "--model", "MZ515KA8", "-o", dir.filePath("read.cf8")}));
        readKf.Inside.push_back(Sessions({transmitter.ptyPath()}, kf, false));
        readKf.Whole.push_back(Program({"read", "--port", transmitter.ptyPath(), "--model",
                                        "MZ515KF", "-o", dir.filePath("kf.cf8")}));
        one.Inside.push_back(Sessions({ports[0]}, state, true));
        one.Whole.push_back(Program({"write", "--port", ports[0], file}));
        four.Inside.push_back(Sessions(ports, state, true));
        four.Whole.push_back(Program({"write", "--port", ports[0], "--port", ports[1], "--port",
                                      ports[2], "--port", ports[3], file}));
        net.Inside.push_back(Sessions({url}, state, false));
        net.Whole.push_back(
            Program({"read", "--port", url, "--model", "MZ515KA8", "-o", dir.filePath("net.cf8")}));
    }
    for (const Row* r : {&read, &readKf, &one, &four, &net})
        for (const auto* v : {&r->Inside, &r->Whole})
            if (std::find(v->begin(), v->end(), -1.0) != v->end()) {
                std::fprintf(stderr, "%s: an exchange failed or was re-sent\n", r->What);
                return 1;
            }

    std::printf("line time of a read or a write of MZ515KA8: %d bytes, %.1f ms; of a read of "
                "MZ515KF: %.1f ms\n\n",
                bytes, lineMs, kfLineMs);
    std::printf("%-26s %8s %6s %8s %6s   %s\n", "", "exch ms", "ratio", "prog ms", "ratio",
                "ratio to");
    Print(read, lineMs, lineMs, "line time");
    Print(readKf, kfLineMs, kfLineMs, "MZ515KF's line time");
    Print(one, lineMs, lineMs, "line time");
    Print(four, Median(one.Inside), Median(one.Whole), "one device's write");
    Print(net, Median(read.Inside), Median(read.Whole), "the read on the local terminal");
    std::printf("\nline time: request and reply, 10 bits a byte at 9600 bit/s.  exch: the command\n"
                "line's sessions in this process, from the start to the outcome.  prog:\n"
                "progmz515-cli as a script runs it, process start and file included.\n"
                "ser2net: the same device behind ser2net's RFC 2217 port on the loopback.\n"
                "Medians of %d.\n",
                repetitions);
    return 0;
}
