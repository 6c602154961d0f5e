// dunax-unit-sim: a simulated J6 unit on a pseudo-terminal. Prints the terminal's path on the
// first line of its output, then answers the commands written to that terminal in real time
// until SIGINT or SIGTERM (or, with --stdin, the end of its input).
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "sim/profile.h"
#include "sim/unit.h"

namespace {

using dunax::sim::Emission;
using dunax::sim::SimUnit;

int signalPipe[2] = {-1, -1};

extern "C" void onSignal(int) {
    const int saved = errno;
    const char c = 's';
    [[maybe_unused]] auto n = ::write(signalPipe[1], &c, 1);
    errno = saved;
}

void usage(std::FILE* to) {
    std::fputs(
        "usage: dunax-unit-sim [--model NAME] [--fault SPEC]... [--latency MS] [--stdin]\n"
        "                      [--verbose] | --list\n"
        "  --model NAME   the unit to simulate (default J6P-KW4; --list names them)\n"
        "  --fault SPEC   misbehave: silent, silent-from=N, drop=N, cng, refuse-group=G,\n"
        "                 cnu=G/I, reply=CMD/TEXT, split=N[/GAPMS], pad, delay=MS,\n"
        "                 delay-next=MS, late-at=N/MS, garbage=TEXT, vanish-at=N,\n"
        "                 one-at-a-time=GAPMS, noise=TEXT[/EVERYMS] (N counts commands\n"
        "                 from 1; TEXT may hold \\r, \\n, \\\\ and \\xNN)\n"
        "  --latency MS   time from a command to its reply (default 15)\n"
        "  --stdin        also end when standard input ends\n"
        "  --verbose      log every command on standard error\n",
        to);
}

std::int64_t nowMs(std::chrono::steady_clock::time_point start) {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now() - start).count();
}

bool number(const char* text, int& out) {
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || v < 0 || v > 3'600'000) return false;
    out = static_cast<int>(v);
    return true;
}

int fail(const char* what) {
    std::fprintf(stderr, "dunax-unit-sim: %s: %s\n", what, std::strerror(errno));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string model = "J6P-KW4";
    std::vector<std::string> faults;
    int latency = -1;
    bool watchStdin = false;
    bool verbose = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--list") {
            const auto names = dunax::sim::listProfiles();
            int width = 0;
            for (const auto& name : names) width = std::max(width, static_cast<int>(name.size()));
            for (const auto& name : names) {
                std::printf("%-*s %s\n", width, name.c_str(),
                            dunax::sim::profileFor(name)->description.c_str());
            }
            return 0;
        } else if (a == "--model" && hasValue) {
            model = argv[++i];
        } else if (a == "--fault" && hasValue) {
            faults.emplace_back(argv[++i]);
        } else if (a == "--latency" && hasValue) {
            if (!number(argv[++i], latency)) {
                std::fprintf(stderr, "dunax-unit-sim: bad latency \"%s\"\n", argv[i]);
                return 2;
            }
        } else if (a == "--stdin") {
            watchStdin = true;
        } else if (a == "--verbose") {
            verbose = true;
        } else if (a == "--help" || a == "-h") {
            usage(stdout);
            return 0;
        } else {
            usage(stderr);
            return 2;
        }
    }

    auto profile = dunax::sim::profileFor(model);
    if (!profile) {
        std::fprintf(stderr, "dunax-unit-sim: no unit named \"%s\" (see --list)\n", model.c_str());
        return 2;
    }
    SimUnit unit(std::move(*profile));
    if (latency >= 0) unit.latencyMs = latency;
    for (const auto& f : faults) {
        std::string error;
        if (!dunax::sim::applyFault(unit, f, error)) {
            std::fprintf(stderr, "dunax-unit-sim: %s\n", error.c_str());
            return 2;
        }
    }

    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) < 0) return fail("pipe");
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    ::sigaction(SIGINT, &sa, nullptr);
    ::sigaction(SIGTERM, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0) return fail("posix_openpt");
    if (::grantpt(master) < 0 || ::unlockpt(master) < 0) return fail("grantpt/unlockpt");
    char path[256];
    if (::ptsname_r(master, path, sizeof path) != 0) return fail("ptsname");
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);

    // Held open for the whole run, so that a client closing and opening the line again is
    // never seen as a hang-up; raw, so that nothing is echoed and CR stays CR.
    const int slave = ::open(path, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0) return fail(path);
    termios t{};
    if (::tcgetattr(slave, &t) < 0) return fail("tcgetattr");
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    ::cfsetispeed(&t, B9600);
    ::cfsetospeed(&t, B9600);
    if (::tcsetattr(slave, TCSANOW, &t) < 0) return fail("tcsetattr");

    std::printf("%s\n", path);
    std::fflush(stdout);

    const auto start = std::chrono::steady_clock::now();
    std::deque<Emission> onTheWay;
    std::size_t logged = 0;
    bool stdinOpen = watchStdin;
    int status = 0;
    // Keeps what is on its way in time order, so that noise comes between the replies; never
    // in front of a block that is due, which may be written in part already.
    const auto send = [&onTheWay](Emission e, std::int64_t now) {
        auto pos = std::upper_bound(onTheWay.begin(), onTheWay.end(), e.atMs,
                                    [](std::int64_t at, const Emission& x) { return at < x.atMs; });
        if (pos == onTheWay.begin() && !onTheWay.empty() && onTheWay.front().atMs <= now) ++pos;
        onTheWay.insert(pos, std::move(e));
    };
    for (;;) {
        const std::int64_t now = nowMs(start);
        for (auto& e : unit.noise(now)) send(std::move(e), now);
        while (!onTheWay.empty() && onTheWay.front().atMs <= now) {
            std::string& bytes = onTheWay.front().bytes;
            const ssize_t n = ::write(master, bytes.data(), bytes.size());
            if (n < 0 && errno != EAGAIN && errno != EINTR) return fail("write");
            if (n > 0) bytes.erase(0, static_cast<std::size_t>(n));
            if (!bytes.empty()) break;  // the terminal is full: wait until it takes more
            onTheWay.pop_front();
        }
        const bool stuck = !onTheWay.empty() && onTheWay.front().atMs <= now;
        int timeout = -1;
        if (!onTheWay.empty() && !stuck) timeout = static_cast<int>(onTheWay.front().atMs - now);
        if (const auto noise = unit.nextNoiseMs(now); noise && !stuck) {
            const int untilNoise = static_cast<int>(std::max<std::int64_t>(0, *noise - now));
            timeout = timeout < 0 ? untilNoise : std::min(timeout, untilNoise);
        }

        pollfd fds[3] = {{master, static_cast<short>(POLLIN | (stuck ? POLLOUT : 0)), 0},
                         {signalPipe[0], POLLIN, 0},
                         {stdinOpen ? STDIN_FILENO : -1, POLLIN, 0}};
        if (::poll(fds, 3, timeout) < 0) {
            if (errno == EINTR) continue;
            return fail("poll");
        }
        if (fds[1].revents) break;
        if (fds[2].revents) {
            char buf[256];
            const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
            if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) break;
        }
        if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
            char buf[512];
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n < 0 && errno != EAGAIN && errno != EINTR) return fail("read");
            if (n == 0) {
                std::fprintf(stderr, "dunax-unit-sim: the terminal has closed\n");
                status = 1;
                break;
            }
            if (n > 0) {
                const std::int64_t at = nowMs(start);
                for (auto& e : unit.receive({buf, static_cast<std::size_t>(n)}, at)) {
                    send(std::move(e), at);
                }
                for (; verbose && logged < unit.log().size(); ++logged) {
                    const auto& c = unit.log()[logged];
                    std::fprintf(stderr, "[%8lld ms] %s\n", static_cast<long long>(c.atMs),
                                 c.text.c_str());
                }
            }
            if (unit.vanished()) {
                std::fprintf(stderr, "dunax-unit-sim: the line drops\n");
                break;
            }
        }
    }
    ::close(slave);
    ::close(master);
    return status;
}
