// How long a read and a write take against a device on a line paced at 9600 bit/s, next
// to the time the bytes themselves need on the line, and how much CPU the programmer
// spends meanwhile.  Runs progmz515-sim --pace on a pseudo-terminal through the real
// driver and exchange controller.
//
//   bench_exchange [repetitions]

#include "link/Exchange.h"
#include "link/Frames.h"
#include "link/SerialDrv.h"
#include "model/MyConst.h"
#include "support/RecordingView.h"
#include "support/SimProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double CpuMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000.0 +
           (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000.0;
}

struct Figures {
    double WallMs, CpuMs;
};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    std::printf("%-9s %-5s %6s %9s %9s %7s %8s\n", "model", "kind", "bytes", "line ms",
                "wall ms", "wall/ln", "cpu ms");
    for (const char* model : {"MZ515KA8", "MZ515E8", "MZ515KF"}) {
        for (bool write : {false, true}) {
            ProgramState state;
            LoadDeviceDefaults(state, model);
            TSerialDriver driver;
            ConfigureExchangeDriver(driver);
            RecordingView view(state);
            TExchange exchange(state, driver, view);
            SimProcess sim;
            if (!sim.start({"--model", model, "--pace"})) {
                std::fprintf(stderr, "%s\n", qPrintable(sim.errorString()));
                return 1;
            }
            driver.SetPortName(sim.ptyPath());

            std::vector<double> wall, cpu;
            for (int i = 0; i < repetitions; ++i) {
                QElapsedTimer t;
                const double cpu0 = CpuMs();
                t.start();
                exchange.SendData(write);
                if (!QTest::qWaitFor([&] { return !exchange.Busy(); }, 15000)) return 1;
                wall.push_back(double(t.nsecsElapsed()) / 1e6);
                cpu.push_back(CpuMs() - cpu0);
                if (exchange.AttemptCount() != 0) {
                    std::fprintf(stderr, "%s: re-sent, the figures would mean nothing\n", model);
                    return 1;
                }
            }
            const int c = state.Capacity;
            const int bytes = Frame::RequestLength(c) + Frame::ReplyLength(GroupOf(model), c);
            const double lineMs = bytes * 10.0 * 1000.0 / 9600.0;
            const double w = Median(wall);
            std::printf("%-9s %-5s %6d %9.1f %9.1f %7.2f %8.1f\n", model, write ? "write" : "read",
                        bytes, lineMs, w, w / lineMs, Median(cpu));
        }
    }
    std::printf("\nwall: from the click to the end of the exchange (median of %d); the reply\n"
                "is read at the 500 ms polling ticks, and a transmitter's reply is checked\n"
                "600 ms after its first chunk.  cpu: this process, user + system.\n",
                repetitions);
    return 0;
}
