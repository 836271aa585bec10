// Start-up against a bare Qt window, measured from outside as a user meets it: the time from
// exec until the first paint that shows more than one colour reaches the X screen, and the
// resident memory once the program sits idle. The program and the baseline window are launched
// alternately (in rounds of both, the order swapped every round so that drift cancels), and each
// figure is the median of the rounds' ratios, printed with their range.
//
// Every round times both programs twice: on the machine as it is, and on a busy machine, every
// core taken by a busy loop of ordinary priority that the benchmark starts just before the pair
// and stops right after it. A start that waits for anything the scheduler puts behind ordinary
// work shows only in the busy figure: on an idle machine it costs nothing.
//
// One launch's first paint varies by a fifth on a small machine while its memory varies by less
// than a hundredth, so there are many rounds for the first paint and only the first few of them
// sit idle until their memory is read; the others end as soon as they have painted.
//
//   bench_startup [--rounds=N] [--memory-rounds=M] [--quilvar=PATH] [--baseline=PATH]
//
// Runs on the X display in DISPLAY, or starts an Xvfb of its own when there is none, and gives
// both programs a session bus of its own (dbus-daemon), or none where dbus-daemon is missing.
// `--rounds=3 --memory-rounds=1` checks in a few seconds that the benchmark still runs.

#include "bench/startup/xwatch.h"
#include "bench/stats.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr double kIdleAim = 1.10;
constexpr double kBusyAim = 1.25;
constexpr double kWorstBusyAimMs = 3000; // no single busy launch of the program longer than this
constexpr auto kIdle = 1000ms;    // how long a started program sits before its memory is read
constexpr auto kRest = 150ms;     // the pause after each program has ended
constexpr auto kTimeout = 30s;    // a program that shows nothing in this time has failed
constexpr auto kCheckEvery = 1ms; // how often, at least, the program is checked for an early end

struct Launch {
    double firstPaintMs = 0;
    double residentMiB = 0;
};

std::string directoryOfSelf() {
    std::vector<char> path(4096);
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0) {
        return ".";
    }
    std::string self(path.data(), static_cast<std::size_t>(length));
    return self.substr(0, self.rfind('/'));
}

// Where no session bus can be had: an address that refuses at once. With no address at all,
// every Qt program would start a bus of its own through dbus-launch, where that is installed.
constexpr const char* kNoBus = "unix:path=/dev/null/no-session-bus";

// The environment of the launched programs: ours, on the watched display, on X11, on the given
// session bus.
std::vector<std::string> childEnvironment(const std::string& display, const std::string& bus) {
    std::vector<std::string> variables;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string variable(*entry);
        if (variable.rfind("DISPLAY=", 0) != 0 && variable.rfind("QT_QPA_PLATFORM=", 0) != 0 &&
            variable.rfind("WAYLAND_DISPLAY=", 0) != 0 &&
            variable.rfind("DBUS_SESSION_BUS_ADDRESS=", 0) != 0) {
            variables.push_back(variable);
        }
    }
    variables.push_back("DISPLAY=" + display);
    variables.emplace_back("QT_QPA_PLATFORM=xcb");
    variables.push_back("DBUS_SESSION_BUS_ADDRESS=" + bus);
    return variables;
}

pid_t spawn(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
            bool quiet) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    std::vector<char*> envp;
    envp.reserve(environment.size() + 1);
    for (const std::string& variable : environment) {
        envp.push_back(const_cast<char*>(variable.c_str()));
    }
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        throw std::runtime_error("cannot start " + arguments[0] + ": " + std::strerror(failed));
    }
    return pid;
}

double residentMiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0; // the line is in kB
        }
    }
    throw std::runtime_error("no resident size for process " + std::to_string(pid));
}

void stop(pid_t pid) {
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}

Launch launchOnce(const std::string& program, bench::XWatch& watch,
                  const std::vector<std::string>& environment, bool readMemory) {
    // The previous program's window must be gone before this one is timed.
    const Clock::time_point settle = Clock::now() + 2s;
    while (watch.paintedWindowShown() && Clock::now() < settle) {
        watch.waitForChange(kCheckEvery);
    }
    const Clock::time_point start = Clock::now();
    const pid_t pid = spawn({program}, environment, true);
    // The moment the screen change was reported, not the end of the pixel reading it caused.
    Clock::time_point seen = Clock::now();
    while (!watch.paintedWindowShown()) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            throw std::runtime_error(program + " ended before it showed a window");
        }
        if (Clock::now() - start > kTimeout) {
            stop(pid);
            throw std::runtime_error(program + " showed no painted window");
        }
        watch.waitForChange(kCheckEvery);
        seen = Clock::now();
    }
    Launch launch;
    launch.firstPaintMs = std::chrono::duration<double, std::milli>(seen - start).count();
    // Memory is read from a program that has sat idle, then each program ends by the same
    // signal; a short rest lets its teardown finish before the next launch is timed.
    if (readMemory) {
        std::this_thread::sleep_for(kIdle);
        launch.residentMiB = residentMiB(pid);
    }
    stop(pid);
    std::this_thread::sleep_for(kRest);
    return launch;
}

// A server of our own for as long as the run lasts, which writes where it can be reached on a
// descriptor given among its arguments as "{fd}": Xvfb its display number, dbus-daemon its
// address. Raises when it cannot start or says nothing.
class OwnServer {
public:
    explicit OwnServer(std::vector<std::string> arguments) {
        int fds[2];
        if (pipe(fds) != 0) {
            throw std::runtime_error("pipe");
        }
        for (std::string& argument : arguments) {
            const std::size_t at = argument.find("{fd}");
            if (at != std::string::npos) {
                argument.replace(at, 4, std::to_string(fds[1]));
            }
        }
        try {
            pid_ = spawn(arguments, childEnvironment(":0", kNoBus), true);
        } catch (const std::runtime_error&) {
            close(fds[0]);
            close(fds[1]);
            throw;
        }
        close(fds[1]);
        char c = 0;
        while (read(fds[0], &c, 1) == 1 && c != '\n') {
            said_ += c;
        }
        close(fds[0]);
        if (said_.empty()) {
            stop(pid_);
            throw std::runtime_error(arguments[0] + " did not start");
        }
    }
    ~OwnServer() { stop(pid_); }
    OwnServer(const OwnServer&) = delete;
    OwnServer& operator=(const OwnServer&) = delete;

    const std::string& said() const { return said_; }

private:
    pid_t pid_ = 0;
    std::string said_;
};

// Every core taken by a busy loop of ordinary priority, for as long as it lives: one child
// process per core, each spinning until it is killed, and killed as well should the benchmark
// itself die first.
class BusyLoad {
public:
    BusyLoad() {
        const unsigned cores = std::max(1U, std::thread::hardware_concurrency());
        for (unsigned i = 0; i < cores; ++i) {
            const pid_t pid = fork();
            if (pid == 0) {
                prctl(PR_SET_PDEATHSIG, SIGKILL);
                volatile unsigned long spin = 0;
                for (;;) {
                    spin = spin + 1;
                }
            }
            if (pid < 0) {
                throw std::runtime_error("cannot start a busy loop");
            }
            loops_.push_back(pid);
        }
    }
    ~BusyLoad() {
        for (const pid_t pid : loops_) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    BusyLoad(const BusyLoad&) = delete;
    BusyLoad& operator=(const BusyLoad&) = delete;

    std::size_t size() const { return loops_.size(); }

private:
    std::vector<pid_t> loops_;
};

void printRow(const char* name, const bench::Summary& paint, const bench::Summary& memory) {
    std::printf("%-16s first paint %7.1f ms [%6.1f .. %6.1f]", name, paint.median, paint.low,
                paint.high);
    if (memory.count > 0) {
        std::printf("   resident %6.1f MiB [%5.1f .. %5.1f]", memory.median, memory.low,
                    memory.high);
    }
    std::printf("\n");
}

// The figure is the median of the rounds' ratios: each round launches both within a second, so
// the machine's drift over the run moves both sides of a round alike.
void printRatio(const char* label, const bench::Summary& perRound, double aim) {
    std::printf("ratio %s: %.3f [%.3f .. %.3f, %zu rounds] (aim <= %.2f) %s\n", label,
                perRound.median, perRound.low, perRound.high, perRound.count, aim,
                perRound.median <= aim ? "ok" : "ABOVE AIM");
}

struct Options {
    int rounds = 41;
    int memoryRounds = 11;
    std::string quilvar;
    std::string baseline;
};

Options parse(int argc, char** argv) {
    Options options;
    const std::string here = directoryOfSelf();
    options.quilvar = here + "/../app/quilvar";
    options.baseline = here + "/bench_startup_baseline";
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : argument.substr(equals + 1);
        if (name == "--rounds") {
            options.rounds = std::max(1, std::atoi(value.c_str()));
        } else if (name == "--memory-rounds") {
            options.memoryRounds = std::max(1, std::atoi(value.c_str()));
        } else if (name == "--quilvar" && !value.empty()) {
            options.quilvar = value;
        } else if (name == "--baseline" && !value.empty()) {
            options.baseline = value;
        } else {
            throw std::runtime_error("unknown option " + argument);
        }
    }
    options.memoryRounds = std::min(options.memoryRounds, options.rounds);
    return options;
}

// Both programs' launches under the same conditions, one after the other, in the given order.
struct Pair {
    Launch ours;
    Launch base;
};

Pair launchPair(const Options& options, bench::XWatch& watch,
                const std::vector<std::string>& environment, bool baseFirst, bool readMemory) {
    Pair pair;
    if (baseFirst) {
        pair.base = launchOnce(options.baseline, watch, environment, readMemory);
        pair.ours = launchOnce(options.quilvar, watch, environment, readMemory);
    } else {
        pair.ours = launchOnce(options.quilvar, watch, environment, readMemory);
        pair.base = launchOnce(options.baseline, watch, environment, readMemory);
    }
    return pair;
}

// The launches of one condition (idle or busy) over the run.
struct Series {
    std::vector<double> ourPaint, basePaint, paintRatio, ourMemory, baseMemory, memoryRatio;

    void add(const Pair& pair) {
        ourPaint.push_back(pair.ours.firstPaintMs);
        basePaint.push_back(pair.base.firstPaintMs);
        paintRatio.push_back(pair.ours.firstPaintMs / pair.base.firstPaintMs);
        if (pair.ours.residentMiB > 0) {
            ourMemory.push_back(pair.ours.residentMiB);
            baseMemory.push_back(pair.base.residentMiB);
            memoryRatio.push_back(pair.ours.residentMiB / pair.base.residentMiB);
        }
    }
};

int run(int argc, char** argv) {
    const Options options = parse(argc, argv);
    std::optional<OwnServer> xvfb;
    const char* given = std::getenv("DISPLAY");
    std::string display = given != nullptr ? given : "";
    if (display.empty()) {
        try {
            xvfb.emplace(std::vector<std::string>{"Xvfb", "-displayfd", "{fd}", "-screen", "0",
                                                  "1280x1024x24", "-nolisten", "tcp", "-noreset"});
        } catch (const std::runtime_error& failure) {
            throw std::runtime_error(std::string(failure.what()) +
                                     " (is the xvfb package installed?)");
        }
        display = ":" + xvfb->said();
    }
    // Both programs meet a session bus of their own, as on a desktop, where Qt asks it at start
    // whether assistive tools listen; without one, the same for both.
    std::optional<OwnServer> bus;
    try {
        bus.emplace(std::vector<std::string>{"dbus-daemon", "--session", "--nofork",
                                             "--print-address={fd}"});
    } catch (const std::runtime_error&) {
        // No dbus-daemon here: no bus for either.
    }
    bench::XWatch watch(display);
    const std::vector<std::string> environment =
        childEnvironment(display, bus ? bus->said() : kNoBus);

    // One launch of each first, so that both start from warm file caches.
    launchOnce(options.baseline, watch, environment, false);
    launchOnce(options.quilvar, watch, environment, false);

    Series idle;
    Series busy;
    std::size_t busyLoops = 0;
    for (int round = 0; round < options.rounds; ++round) {
        // Exactly memoryRounds of the rounds, spread evenly over the run; memory is read on the
        // idle machine only, where a program sits as it will.
        const bool readMemory =
            (round * options.memoryRounds) % options.rounds < options.memoryRounds;
        const bool baseFirst = round % 2 == 0;
        idle.add(launchPair(options, watch, environment, baseFirst, readMemory));
        {
            const BusyLoad load;
            busyLoops = load.size();
            busy.add(launchPair(options, watch, environment, !baseFirst, false));
        }
        std::this_thread::sleep_for(kRest);
    }

    std::printf("start-up on X display %s, %s, %d rounds of both programs alternating, idle and "
                "with %zu busy loops, memory read in %d\n",
                display.c_str(), bus ? "a session bus of its own" : "no session bus",
                options.rounds, busyLoops, options.memoryRounds);
    printRow("idle baseline", bench::summarize(idle.basePaint), bench::summarize(idle.baseMemory));
    printRow("idle quilvar", bench::summarize(idle.ourPaint), bench::summarize(idle.ourMemory));
    printRow("busy baseline", bench::summarize(busy.basePaint), {});
    printRow("busy quilvar", bench::summarize(busy.ourPaint), {});
    printRatio("idle, exec -> first paint, quilvar / bare Qt window",
               bench::summarize(idle.paintRatio), kIdleAim);
    printRatio("busy, exec -> first paint, quilvar / bare Qt window",
               bench::summarize(busy.paintRatio), kBusyAim);
    const double worst = bench::summarize(busy.ourPaint).high;
    std::printf("worst busy launch of quilvar: %.0f ms (aim <= %.0f ms) %s\n", worst,
                kWorstBusyAimMs, worst <= kWorstBusyAimMs ? "ok" : "ABOVE AIM");
    printRatio("idle resident memory, quilvar / bare Qt window", bench::summarize(idle.memoryRatio),
               kIdleAim);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "bench_startup: %s\n", failure.what());
        return 1;
    }
}
