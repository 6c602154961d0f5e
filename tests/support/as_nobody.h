// Runs a piece of a test as the unprivileged user nobody: the tests run as root (in CI too),
// and what an ordinary user may not do can only be seen by such a user.
#pragma once

#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "platform/startup.h"

namespace dunax::testing {

inline constexpr uid_t kNobody = 65534;
inline constexpr gid_t kNogroup = 65534;

// Runs body in a child process that has become nobody (no supplementary groups) or, when the
// tests do not run as root, stays the ordinary user it is; with files limited to sizeLimit
// bytes and the signals set up as the program sets them up at its start. Gives back the text
// body returned. Throws when the child could not become nobody, failed or was ended by a
// signal.
inline std::string RunAsNobody(const std::function<std::string()>& body,
                               rlim_t sizeLimit = RLIM_INFINITY) {
    int fds[2];
    if (::pipe(fds) != 0) throw std::runtime_error("pipe");
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork");
    if (pid == 0) {
        ::close(fds[0]);
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNogroup) != 0 || ::setuid(kNobody) != 0)) {
            ::_exit(3);
        }
        const rlimit limit{sizeLimit, sizeLimit};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(4);
        platform::SetUpProgramSignals();
        const std::string out = body();
        const char* p = out.data();
        std::size_t left = out.size();
        while (left > 0) {
            const ssize_t n = ::write(fds[1], p, left);
            if (n <= 0) ::_exit(5);
            p += n;
            left -= static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string out;
    char buf[4096];
    for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;) out.append(buf, n);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFSIGNALED(status)) {
        throw std::runtime_error("the child running as nobody was killed by signal " +
                                 std::to_string(WTERMSIG(status)));
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("the child running as nobody failed: " + std::to_string(status));
    }
    return out;
}

}  // namespace dunax::testing
