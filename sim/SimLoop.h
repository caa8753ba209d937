#pragma once
// The simulator's one loop: poll() on the pseudo-terminal's master and a signal
// descriptor, with a timeout that ends exactly when the next reply byte is due.

#include "FrameLog.h"
#include "Pty.h"
#include "SimOptions.h"

#include <cstdint>

std::int64_t MonotonicNs();

enum class SimEnd {
    Signalled, // SIGTERM, SIGINT or SIGHUP
    Vanished,  // --fault vanish met its first request
    Failed,    // the terminal failed; a message went to stderr
};

// Plays the device on `pty` until one of the ends above.  `signalFd` becomes readable when
// the simulator is asked to stop.
SimEnd RunSimulator(const SimOptions& options, Pty& pty, FrameLog& log, int signalFd);
