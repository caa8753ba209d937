// What one journal entry costs in a small journal and in one at its bound of 2,000, where
// every entry is also a candidate for pruning.  Prints the figures and their ratio; fails
// on nothing.
//
//   bench_journal [ADDS]      ADDS entries timed at each size (200 when not given)

#include "app/Journal.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <vector>

namespace {

struct Figures {
    double Median = 0, Mean = 0, Max = 0;
};

Figures Summary(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], std::accumulate(ms.begin(), ms.end(), 0.0) / double(ms.size()),
            ms.back()};
}

// A journal that entries are added to, each a configuration of its own.
struct Filled {
    Journal::TJournal Journal;
    std::vector<std::uint8_t> Image = std::vector<std::uint8_t>(167);
    int Added = 0;

    Filled(const QString& folder, int entries) : Journal(folder) {
        while (Added < entries)
            Add();
    }
    // The time the add took, in ms.
    double Add() {
        ++Added;
        Image[0] = std::uint8_t(Added);
        Image[1] = std::uint8_t(Added >> 8);
        QElapsedTimer clock;
        clock.start();
        if (const auto error =
                Journal.Add(Journal::Kind::Read, QStringLiteral("MZ515KA8"), Image,
                            QStringLiteral("ttyUSB0"), 12, QStringLiteral("bench"))) {
            std::fprintf(stderr, "%s\n", qPrintable(*error));
            std::exit(1);
        }
        return double(clock.nsecsElapsed()) / 1e6;
    }
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int adds = std::max(argc > 1 ? std::atoi(argv[1]) : 200, 1);
    QTemporaryDir dir;
    Filled full(dir.filePath("full"), Journal::MaxEntries);
    Filled small(dir.filePath("small"), 10);
    // In turns, so that the load of the machine falls on both alike.
    std::vector<double> smallMs, fullMs;
    for (int n = 0; n < adds; ++n) {
        smallMs.push_back(small.Add());
        fullMs.push_back(full.Add());
    }
    const Figures s = Summary(smallMs), f = Summary(fullMs);
    std::printf("%d adds each, in turns   median ms   mean ms   max ms\n", adds);
    std::printf("from 10 entries          %9.2f %9.2f %8.2f\n", s.Median, s.Mean, s.Max);
    std::printf("from %d entries        %9.2f %9.2f %8.2f\n", Journal::MaxEntries, f.Median, f.Mean,
                f.Max);
    std::printf("ratio                    %9.2f %9.2f\n", f.Median / s.Median, f.Mean / s.Mean);
    return 0;
}
