#include "SimLoop.h"

#include "LineOutput.h"
#include "SimDevice.h"

#include "model/MyConst.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <limits>
#include <poll.h>
#include <unistd.h>

std::int64_t MonotonicNs() {
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000LL + ts.tv_nsec;
}

namespace {

constexpr std::int64_t NsPerMs = 1'000'000;

// A line on stderr for the person watching; tests keep it for when something fails.
void Note(const HeardFrame& frame, const DeviceAnswer& answer, bool answered) {
    const char command = frame.Bytes.size() > 1 ? frame.Bytes[1] : '?';
    const char* what = command == 'R' ? "read request" : command == 'W' ? "write request" : "frame";
    if (frame.Verdict != FrameVerdict::Ok) {
        std::fprintf(stderr, "progmz515-sim: heard a %s (%lld bytes) with %s, ignored it\n", what,
                     static_cast<long long>(frame.Bytes.size()),
                     frame.Verdict == FrameVerdict::BadCrc   ? "a wrong check byte"
                     : frame.Verdict == FrameVerdict::BadEnd ? "a wrong ending"
                                                             : "an unknown command");
    } else if (answer.Vanish) {
        std::fprintf(stderr, "progmz515-sim: heard a %s, and the device is pulled out\n", what);
    } else if (!answered) {
        std::fprintf(stderr, "progmz515-sim: heard a %s, stays silent\n", what);
    } else {
        qsizetype n = 0;
        for (const ReplyPart& p : answer.Parts)
            n += p.Bytes.size();
        std::fprintf(stderr, "progmz515-sim: heard a %s, answers with %lld bytes\n", what,
                     static_cast<long long>(n));
    }
}

int TimeoutMs(const LineOutput& out, bool blocked, std::int64_t now) {
    // A full terminal buffer: only POLLOUT can change anything.
    if (blocked) return -1;
    const auto next = out.NextReadyAt();
    if (!next) return -1;
    if (*next <= now) return 0;
    const std::int64_t ms = (*next - now + NsPerMs - 1) / NsPerMs; // never wake early
    return static_cast<int>(std::min<std::int64_t>(ms, 60'000));
}

} // namespace

SimEnd RunSimulator(const SimOptions& options, Pty& pty, FrameLog& log, int signalFd) {
    const int capacity = DeviceTable[static_cast<std::size_t>(options.Row)].Capacity;
    RequestGatherer gatherer(capacity);
    SimDevice device(options);
    LineOutput out(options.Pace);
    std::array<char, 4096> chunk{};
    bool blocked = false;
    // Paced, a request takes its time on the line too: the terminal hands it over at once,
    // but a device on a real line hears its last byte a character time per byte after the
    // line was free, and cannot answer before.
    std::int64_t inputLineFreeAt = std::numeric_limits<std::int64_t>::min();

    for (;;) {
        // Put on the line whatever is due.
        blocked = false;
        for (;;) {
            const QByteArrayView ready = out.Ready(MonotonicNs());
            if (ready.isEmpty()) break;
            const ssize_t n =
                ::write(pty.Master(), ready.data(), static_cast<std::size_t>(ready.size()));
            if (n > 0) {
                out.Consumed(n);
            } else if (n < 0 && errno == EINTR) {
                continue;
            } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                blocked = true;
                break;
            } else {
                std::fprintf(stderr, "progmz515-sim: cannot write to the terminal: %s\n",
                             std::strerror(errno));
                return SimEnd::Failed;
            }
        }

        pollfd fds[3] = {{pty.Master(), short(POLLIN | (blocked ? POLLOUT : 0)), 0},
                         {signalFd, POLLIN, 0},
                         {pty.CloseWatch(), POLLIN, 0}};
        const int r = ::poll(fds, pty.CloseWatch() >= 0 ? 3 : 2,
                             TimeoutMs(out, blocked, MonotonicNs()));
        if (r < 0) {
            if (errno == EINTR) continue;
            std::fprintf(stderr, "progmz515-sim: poll failed: %s\n", std::strerror(errno));
            return SimEnd::Failed;
        }
        if (fds[1].revents != 0) return SimEnd::Signalled;
        if (fds[2].revents != 0) pty.HangUps();
        if ((fds[0].revents & (POLLERR | POLLNVAL)) ||
            ((fds[0].revents & POLLHUP) && !(fds[0].revents & POLLIN))) {
            // Cannot happen while our own slave descriptor is open; leave rather than spin.
            std::fprintf(stderr, "progmz515-sim: the terminal hung up\n");
            return SimEnd::Failed;
        }
        if (!(fds[0].revents & POLLIN)) continue;

        const ssize_t n = ::read(pty.Master(), chunk.data(), chunk.size());
        if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) continue;
        if (n <= 0) {
            std::fprintf(stderr, "progmz515-sim: cannot read the terminal: %s\n",
                         n < 0 ? std::strerror(errno) : "end of file");
            return SimEnd::Failed;
        }
        const std::int64_t heardAt = MonotonicNs();
        std::int64_t answerFrom = heardAt;
        if (options.Pace) {
            inputLineFreeAt = std::max(inputLineFreeAt, heardAt) + n * LineOutput::ByteNs;
            answerFrom = inputLineFreeAt;
        }
        for (const HeardFrame& frame : gatherer.Feed(QByteArrayView(chunk.data(), n))) {
            log.Append(heardAt / NsPerMs, frame);
            DeviceAnswer answer;
            if (frame.Verdict == FrameVerdict::Ok) answer = device.Hear(frame.Bytes);
            Note(frame, answer, !answer.Parts.empty());
            if (answer.Vanish) return SimEnd::Vanished;
            for (ReplyPart& part : answer.Parts)
                out.Add(answerFrom + part.AtMs * NsPerMs, std::move(part.Bytes));
        }
    }
}
