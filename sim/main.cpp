// progmz515-sim: an MZ-515 device on a pseudo-terminal, for trying the programmer without
// a device and for the tests that drive it over a real line.

#include "FrameLog.h"
#include "Pty.h"
#include "SimLoop.h"
#include "SimOptions.h"

#include "model/MyConst.h"

#include <csignal>
#include <cstdio>
#include <sys/signalfd.h>
#include <unistd.h>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    const SimParseResult parsed = ParseSimOptions(arguments);
    if (parsed.Help) {
        std::fputs(HelpText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (!parsed.Options) {
        std::fprintf(stderr, "progmz515-sim: %s\nprogmz515-sim --help explains the options.\n",
                     parsed.Error.toLocal8Bit().constData());
        return 2;
    }
    const SimOptions& options = *parsed.Options;

    // The stop signals arrive as readable data in the poll loop, not in a handler.
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGTERM);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGHUP);
    if (sigprocmask(SIG_BLOCK, &stops, nullptr) != 0) {
        std::perror("progmz515-sim: cannot block the stop signals");
        return 1;
    }
    const int signalFd = signalfd(-1, &stops, SFD_CLOEXEC);
    if (signalFd < 0) {
        std::perror("progmz515-sim: cannot watch the stop signals");
        return 1;
    }

    QString error;
    FrameLog log;
    if (!options.LogPath.isEmpty() && !log.Open(options.LogPath, &error)) {
        std::fprintf(stderr, "progmz515-sim: %s\n", error.toLocal8Bit().constData());
        return 2;
    }
    Pty pty;
    if (!pty.Open(&error)) {
        std::fprintf(stderr, "progmz515-sim: %s\n", error.toLocal8Bit().constData());
        return 1;
    }

    const char* model = DeviceTable[static_cast<std::size_t>(options.Row)].Identifier;
    std::printf("%s\n", pty.SlavePath().constData());
    std::printf(
        "Type this path into the port box of progmz515 and choose %s. Ctrl+C stops the device.\n",
        model);
    std::fflush(stdout);

    const SimEnd end = RunSimulator(options, pty, log, signalFd);
    pty.Close();
    ::close(signalFd);
    return end == SimEnd::Failed ? 1 : 0;
}
