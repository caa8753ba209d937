// The self-pipe: the handler writes the signal's number into a pipe whose other end a socket
// notifier watches in the event loop.

#include "EndSignals.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace {

constexpr std::array<int, 3> Watched{SIGTERM, SIGHUP, SIGINT};

// The pipe's writing end, for the handler; -1 while no watcher lives.
volatile sig_atomic_t WriteEnd = -1;

void Handler(int signal) {
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(signal);
    // A full pipe already holds signals enough to end the program.
    [[maybe_unused]] const ssize_t written = ::write(WriteEnd, &byte, 1);
    errno = saved;
}

} // namespace

struct TEndSignals::Private {
    int Pipe[2] = {-1, -1};
    std::array<struct sigaction, Watched.size()> Previous{};
    std::array<bool, Watched.size()> Installed{};

    // The first of the signals waiting in the pipe (0 for none); the pipe is emptied.
    int TakePending() {
        unsigned char byte = 0;
        int first = 0;
        while (::read(Pipe[0], &byte, 1) == 1)
            if (first == 0) first = byte;
        return first;
    }
};

TEndSignals::TEndSignals(QObject* parent) : QObject(parent), d(std::make_unique<Private>()) {
    // Without a pipe the signals keep their usual effect: the program ends as it always did.
    if (WriteEnd >= 0 || ::pipe2(d->Pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    WriteEnd = d->Pipe[1];
    auto* notifier = new QSocketNotifier(d->Pipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        if (const int signal = d->TakePending()) emit Received(signal);
    });
    struct sigaction action {};
    action.sa_handler = Handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < Watched.size(); ++i) {
        struct sigaction previous {};
        if (::sigaction(Watched[i], nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN)
            continue;
        d->Installed[i] = ::sigaction(Watched[i], &action, &d->Previous[i]) == 0;
    }
}

TEndSignals::~TEndSignals() {
    for (std::size_t i = 0; i < Watched.size(); ++i)
        if (d->Installed[i]) ::sigaction(Watched[i], &d->Previous[i], nullptr);
    if (d->Pipe[0] < 0) return;
    const int pending = d->TakePending();
    WriteEnd = -1;
    ::close(d->Pipe[0]);
    ::close(d->Pipe[1]);
    if (pending != 0) ::raise(pending);
}

void IgnoreFileSizeSignal() {
    ::signal(SIGXFSZ, SIG_IGN);
}
