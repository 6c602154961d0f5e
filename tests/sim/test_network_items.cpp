// The network-interface items of the simulated units.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/unit.h"

namespace dunax::sim {
namespace {

std::vector<std::string> run(SimUnit& u, const std::vector<std::string>& commands) {
    std::vector<std::string> replies;
    for (const auto& c : commands) replies.push_back(u.execute(c, 0));
    return replies;
}

TEST(NetworkItems, CCLinkTimeoutTakesWholeNumbersUpTo32767) {
    SimUnit u(makeProfile({"J6P-KW4", 4, " 1.05", "VQ"}));
    EXPECT_EQ(run(u, {"G00", "I51"}), (std::vector<std::string>{"COK", "0TIMEOUT:20"}));
    const std::pair<const char*, const char*> writes[] = {
        {"D0075", "0TIMEOUT:75"}, {"D0", "0TIMEOUT:0"}, {"D32767", "0TIMEOUT:32767"},
        {"D32768", "CNG"},        {"Dabc", "CNG"},      {"D", "CNG"},
        {"D-1", "CNG"},           {"D 5", "CNG"},
    };
    for (const auto& [cmd, reply] : writes) EXPECT_EQ(run(u, {"I51", cmd})[1], reply) << cmd;
    EXPECT_EQ(u.profile().value("00", "51"), "32767");
}

}  // namespace
}  // namespace dunax::sim
