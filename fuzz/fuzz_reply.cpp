// Any sequence of chunks and deadlines as a device's reply, through the exchange
// controller's receive path, for every model, reading and writing.

#include "support/FuzzChecks.h"
#include "support/Pty.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // The exchange's timers need an application object; it lives as long as the process.
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The line is opened once: a new pseudo-terminal per input would use up the system's.
    static PtyPair line;
    const std::string fault = FuzzChecks::ReplyInput(line, {data, size});
    if (!fault.empty()) {
        std::fprintf(stderr, "fuzz_reply: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
