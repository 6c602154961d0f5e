// What the program sets up at its start: a write beyond the file-size limit, such as one of
// the window system's own settings, fails where it happens and the program lives on.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "support/as_nobody.h"

namespace dunax::platform {
namespace {

TEST(ProgramStart, AWriteBeyondTheFileSizeLimitFailsAndTheProgramLivesOn) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    const std::string seen = testing::RunAsNobody(
        [&] {
            const bool written = ::pwrite(fileno(file), "x", 1, 520) == 1;
            return std::string(written ? "written" : std::strerror(errno));
        },
        100);
    std::fclose(file);
    EXPECT_EQ(seen, std::strerror(EFBIG));
}

}  // namespace
}  // namespace dunax::platform
