// How long the programmer takes from its launch to the first paint of its window, and how
// much memory it needs at most, next to a bare Qt window of the same size and about as many
// widgets (bare_window).  Both run on one Xvfb of our own, in turns (program, bare, then
// bare, program, ...) so that a machine that gets busier weighs on both alike; each is
// started with PROGMZ515_STARTUP_PROBE, prints the monotonic time of its first paint and
// quits.  Peak memory is the child's maximum resident set as the kernel counts it.
//
//   bench_startup [runs [[label=]program...]]
//
// runs: of each, after one warm-up run of each (default 20).  The programs named are timed
// instead of the one built here, each against the same bare window: an older build, say,
// to see what a change did (`before=/tmp/old/build/window/progmz515 after=build/window/progmz515`).

#include "app/StartupProbe.h"

#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int ProbeTimeoutMs = 30000;
// What the programmer may cost beyond the bare window, in time to the first paint and in
// memory: what only printing, the text form, network ports or the port list need is
// loaded when first used, not at start.
constexpr double Aim = 1.10;

long long SteadyNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Everything read from `fd` until it ends or the deadline passes; false on the deadline.
bool ReadAll(int fd, std::string& out, long long deadlineNs) {
    char chunk[512];
    for (;;) {
        const long long left = (deadlineNs - SteadyNs()) / 1000000;
        if (left <= 0) return false;
        pollfd p{fd, POLLIN, 0};
        const int ready = poll(&p, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return false;
        const ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return true;
        out.append(chunk, static_cast<std::size_t>(n));
    }
}

// A child with its stdout on a pipe and its stderr thrown away.
struct Child {
    pid_t Pid = -1;
    int Out = -1; // read end of the child's stdout (or of the fd given as `outFd`)
};

std::optional<Child> Spawn(const std::vector<std::string>& argv,
                           const std::vector<std::string>& env, int outFd = STDOUT_FILENO) {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], outFd);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> args, envp;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (const std::string& e : env)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    pid_t pid = -1;
    const int error = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(),
                                   envp.empty() ? environ : envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (error != 0) {
        close(pipeFds[0]);
        std::fprintf(stderr, "cannot start %s: %s\n", args[0], std::strerror(error));
        return std::nullopt;
    }
    return Child{pid, pipeFds[0]};
}

// An X server of our own; its display number is what it writes to -displayfd when ready.
class Xvfb {
public:
    bool Start() {
        auto child = Spawn({"Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten",
                            "tcp", "-noreset"},
                           {}, 3);
        if (!child) return false;
        m_child = *child;
        std::string number;
        const long long deadline = SteadyNs() + 20'000'000'000LL;
        char c = 0;
        while (SteadyNs() < deadline) {
            pollfd p{m_child.Out, POLLIN, 0};
            if (poll(&p, 1, 1000) <= 0) continue;
            if (read(m_child.Out, &c, 1) != 1 || c == '\n') break;
            number += c;
        }
        if (number.empty()) return false;
        m_display = ":" + number;
        return true;
    }
    ~Xvfb() {
        if (m_child.Pid <= 0) return;
        kill(m_child.Pid, SIGTERM);
        waitpid(m_child.Pid, nullptr, 0);
        close(m_child.Out);
    }
    const std::string& Display() const { return m_display; }

private:
    Child m_child;
    std::string m_display;
};

struct Figures {
    double Ms = 0;    // launch to first paint
    double CpuMs = 0; // the child's user + system time, to its end
    double MaxRssMiB = 0;
    int Widgets = 0;
};

std::optional<Figures> LaunchOnce(const std::string& path, const std::vector<std::string>& env) {
    const long long launched = SteadyNs();
    auto child = Spawn({path}, env);
    if (!child) return std::nullopt;
    std::string out;
    const bool ended = ReadAll(child->Out, out, launched + ProbeTimeoutMs * 1000000LL);
    close(child->Out);
    if (!ended) kill(child->Pid, SIGKILL);
    int status = 0;
    rusage usage{};
    while (wait4(child->Pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    long long painted = 0;
    int widgets = 0;
    if (!ended || !WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        std::sscanf(out.c_str(), "first-paint-ns %lld widgets %d", &painted, &widgets) != 2) {
        std::fprintf(stderr, "%s: no first paint reported (%s)\n", path.c_str(),
                     ended ? "it ended without it" : "timed out");
        return std::nullopt;
    }
    Figures f;
    f.Ms = double(painted - launched) / 1e6;
    f.CpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
              (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
    f.MaxRssMiB = double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
    f.Widgets = widgets;
    return f;
}

struct Series {
    std::string Name;
    std::string Path;
    std::vector<Figures> Runs;

    std::vector<double> Of(double Figures::*field) const {
        std::vector<double> v;
        for (const Figures& f : Runs)
            v.push_back(f.*field);
        return v;
    }
    double MedianOf(double Figures::*field) const { return Median(Of(field)); }
    double FastestMs() const {
        const std::vector<double> v = Of(&Figures::Ms);
        return *std::min_element(v.begin(), v.end());
    }
};

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;

    // Neither program may see the user's settings or write into them.
    QTemporaryDir home;
    if (!home.isValid() || !QDir(home.path()).mkdir("run") ||
        chmod(QDir(home.path()).filePath("run").toLocal8Bit().constData(), 0700) != 0) {
        std::fprintf(stderr, "no temporary directory\n");
        return 1;
    }
    Xvfb x;
    if (!x.Start()) {
        std::fprintf(stderr, "Xvfb did not start (Debian package xvfb)\n");
        return 1;
    }

    std::vector<std::string> env;
    const char* replaced[] = {
        "DISPLAY=", "QT_QPA_PLATFORM=", "XDG_CONFIG_HOME=", "XDG_RUNTIME_DIR=", "WAYLAND_DISPLAY="};
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (std::none_of(std::begin(replaced), std::end(replaced),
                         [&](const char* name) { return entry.rfind(name, 0) == 0; }))
            env.push_back(entry);
    }
    env.push_back("DISPLAY=" + x.Display());
    env.push_back("QT_QPA_PLATFORM=xcb");
    env.push_back("XDG_CONFIG_HOME=" + home.path().toStdString());
    env.push_back("XDG_RUNTIME_DIR=" + QDir(home.path()).filePath("run").toStdString());
    env.push_back(std::string(StartupProbeVariable) + "=1");

    // The built programmer, or the programmers named (an older build, an installed one), and
    // the bare window last.
    std::vector<Series> series;
    for (int a = 2; a < argc; ++a) {
        const std::string given = argv[a];
        const std::size_t eq = given.find('=');
        if (eq == std::string::npos)
            series.push_back({given, given, {}});
        else
            series.push_back({given.substr(0, eq), given.substr(eq + 1), {}});
    }
    if (series.empty()) series.push_back({"progmz515", PROGMZ_APP_PATH, {}});
    series.push_back({"bare window", PROGMZ_BARE_PATH, {}});
    const Series& bare = series.back();

    // The first start of each fills the caches (the libraries, the fonts); it is not counted.
    for (const Series& s : series)
        if (!LaunchOnce(s.Path, env)) return 1;
    // Each round starts with the next one, so that none always follows the same other.
    for (int i = 0; i < runs; ++i) {
        for (std::size_t k = 0; k < series.size(); ++k) {
            Series& s = series[(k + static_cast<std::size_t>(i)) % series.size()];
            const auto f = LaunchOnce(s.Path, env);
            if (!f) return 1;
            s.Runs.push_back(*f);
        }
    }

    std::printf("Start-up on Xvfb %s, %d runs each; medians, and the fastest first paint:\n\n",
                x.Display().c_str(), runs);
    std::printf("%-24s %12s %8s %8s %12s %8s\n", "", "first paint", "fastest", "cpu", "max RSS",
                "widgets");
    std::printf("%-24s %12s %8s %8s %12s %8s\n", "", "ms", "ms", "ms", "MiB", "");
    auto name = [](const Series& s) {
        return s.Name.size() <= 24 ? s.Name : "..." + s.Name.substr(s.Name.size() - 21);
    };
    for (const Series& s : series)
        std::printf("%-24s %12.1f %8.1f %8.1f %12.1f %8d\n", name(s).c_str(),
                    s.MedianOf(&Figures::Ms), s.FastestMs(), s.MedianOf(&Figures::CpuMs),
                    s.MedianOf(&Figures::MaxRssMiB), s.Runs.front().Widgets);
    std::printf("\nagainst the bare window (aim: first paint and memory each within %.2f x):\n",
                Aim);
    for (const Series& s : series) {
        if (&s == &bare) continue;
        const double time = s.MedianOf(&Figures::Ms) / bare.MedianOf(&Figures::Ms);
        const double memory = s.MedianOf(&Figures::MaxRssMiB) / bare.MedianOf(&Figures::MaxRssMiB);
        std::printf("%-24s %12.2f %8.2f %8.2f %12.2f   first paint %s, memory %s\n",
                    name(s).c_str(), time, s.FastestMs() / bare.FastestMs(),
                    s.MedianOf(&Figures::CpuMs) / bare.MedianOf(&Figures::CpuMs), memory,
                    time <= Aim ? "met" : "missed", memory <= Aim ? "met" : "missed");
    }
    std::printf("\nfirst paint: from the launch to the window's first paint event being done;\n"
                "cpu: the child's user + system time until it quits right after that paint;\n"
                "max RSS: the child's peak resident memory.\n");
    return 0;
}
