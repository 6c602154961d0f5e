// What the program sets up at its start: a write beyond the file-size limit, such as one of
// the window system's own settings, fails where it happens and the program lives on.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "support/as_nobody.h"

namespace dunax::platform {
namespace {

#ifdef DUNAX_PROGRAM
// Starts the program as it ships, its error output in file, with files limited to 0 bytes and
// a window system that does not exist; one that hangs is ended after a minute. Gives back the
// name of the signal that ended it, or "exit N".
std::string runProgramUnderTheLimit(std::FILE* file) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fileno(file), STDERR_FILENO);
        ::signal(SIGXFSZ, SIG_DFL);  // as a shell starts it, not as this test process has it
        const rlimit none{0, 0};
        if (::setrlimit(RLIMIT_FSIZE, &none) != 0 || ::setrlimit(RLIMIT_CORE, &none) != 0) {
            ::_exit(126);
        }
        ::setenv("QT_QPA_PLATFORM", "dunax-no-such-window-system", 1);
        ::alarm(60);
        ::execl(DUNAX_PROGRAM, DUNAX_PROGRAM, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid) return "not started";
    if (WIFSIGNALED(status)) return strsignal(WTERMSIG(status));
    return "exit " + std::to_string(WEXITSTATUS(status));
}
#endif

TEST(ProgramStart, AWriteBeyondTheFileSizeLimitFailsAndTheProgramLivesOn) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    const std::string seen = testing::RunAsNobody(
        [&] {
            const bool written = ::pwrite(fileno(file), "x", 1, 520) == 1;
            return std::string(written ? "written" : std::strerror(errno));
        },
        100);
    EXPECT_EQ(seen, std::strerror(EFBIG));

    // The program as it ships: Qt's first line of error output lies beyond the limit. The
    // program lives on past it, to Qt's own end for want of a window system (an abort); one
    // that had not set up its signals would be ended by the write.
#ifdef DUNAX_PROGRAM
    EXPECT_EQ(runProgramUnderTheLimit(file), strsignal(SIGABRT));
#endif
    std::fclose(file);
}

}  // namespace
}  // namespace dunax::platform
