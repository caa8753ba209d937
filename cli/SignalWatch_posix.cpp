#include "SignalWatch.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr std::array<int, 3> Watched{SIGINT, SIGTERM, SIGHUP};

// The pipe's end the handler writes to.  A handler may do next to nothing (write(2) is
// one of the few calls it may make): the signal's number goes down the pipe, and the
// event loop reads it there.
int WriteEnd = -1;

void OnSignal(int signal) {
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t n = ::write(WriteEnd, &byte, 1);
    errno = saved;
}
} // namespace

struct SignalWatch::Impl {
    std::array<int, 2> Pipe{-1, -1};
    std::array<struct sigaction, Watched.size()> Former{};
    std::unique_ptr<QSocketNotifier> Notifier;

    // The signals waiting in the pipe, at most one byte each.
    int TakePending() {
        unsigned char byte = 0;
        int signal = 0;
        while (::read(Pipe[0], &byte, 1) == 1)
            if (signal == 0) signal = byte;
        return signal;
    }
};

SignalWatch::SignalWatch(QObject* parent) : QObject(parent), m_impl(std::make_unique<Impl>()) {
    // Without the pipe the signals keep their default: the process ends as it always did.
    if (::pipe2(m_impl->Pipe.data(), O_CLOEXEC | O_NONBLOCK) != 0) return;
    WriteEnd = m_impl->Pipe[1];
    m_impl->Notifier = std::make_unique<QSocketNotifier>(m_impl->Pipe[0], QSocketNotifier::Read);
    connect(m_impl->Notifier.get(), &QSocketNotifier::activated, this, [this] {
        if (const int signal = m_impl->TakePending()) emit Caught(signal);
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < Watched.size(); ++i)
        sigaction(Watched[i], &action, &m_impl->Former[i]);
}

SignalWatch::~SignalWatch() {
    if (m_impl->Pipe[0] < 0) return;
    for (std::size_t i = 0; i < Watched.size(); ++i)
        sigaction(Watched[i], &m_impl->Former[i], nullptr);
    const int pending = m_impl->TakePending();
    m_impl->Notifier.reset();
    WriteEnd = -1;
    ::close(m_impl->Pipe[0]);
    ::close(m_impl->Pipe[1]);
    if (pending != 0) ::raise(pending);
}
