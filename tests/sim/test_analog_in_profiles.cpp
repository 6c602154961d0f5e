// The simulated percent and AC current input units: live values that move and stay in range,
// and writes that the units refuse.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "sim/profile_gf4a.h"
#include "sim/profile_ux4.h"
#include "sim/unit.h"

namespace dunax::sim {
namespace {

// The value part of a read of item in group at time t.
std::string read(SimUnit& u, const std::string& group, const std::string& item, std::int64_t t) {
    EXPECT_EQ(u.execute("G" + group, t), "COK");
    const std::string r = u.execute("I" + item, t);
    const auto colon = r.find(':');
    return colon == std::string::npos ? r : r.substr(colon + 1);
}

double number(const std::string& s) {
    return std::strtod(s.c_str(), nullptr);
}

TEST(AnalogInProfiles, UX4PercentMovesAndTheMonitoredValueFollowsIt) {
    SimUnit u(makeUX4Unit({}));
    std::vector<double> seen;
    for (std::int64_t t = 0; t < 40000; t += 5000) {
        const std::string pct = read(u, "01", "34", t);
        ASSERT_EQ(pct.size() - pct.find('.'), 3u) << pct;  // two decimals
        EXPECT_GE(number(pct), 0.0);
        EXPECT_LE(number(pct), 100.0);
        EXPECT_NEAR(number(read(u, "00", "21", t)), number(pct) * 100.0, 0.6);
        seen.push_back(number(pct));
    }
    EXPECT_GT(
        *std::max_element(seen.begin(), seen.end()) - *std::min_element(seen.begin(), seen.end()),
        50.0);
}

TEST(AnalogInProfiles, GF4AItemsAndWhatTheUnitRefuses) {
    SimUnit u(makeGF4AUnit({"J6XN-GF4E", 4, " 1.05", "VQ", {0, 2, 4, 5}}));
    EXPECT_EQ(read(u, "00", "09", 0), "F");
    EXPECT_EQ(read(u, "3", "09", 0), "4");
    EXPECT_EQ(read(u, "4", "25", 0), "5.000");
    EXPECT_EQ(read(u, "00", "14", 0), "CNU");  // no hold on HLS
    EXPECT_NE(read(u, "00", "22", 0), read(u, "00", "22", 7000));

    struct Case {
        std::string group, item, data;
        bool taken;
    };
    const std::vector<Case> cases{
        {"01", "11", "600", true}, {"01", "11", "601", false}, {"01", "11", "1.5", false},
        {"2", "12", "5", true},    {"2", "12", "4.9", false},  {"2", "20", "60000", true},
        {"2", "20", "-1", false},  {"2", "09", "5", true},     {"2", "09", "6", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.group + "/" + c.item + "=" + c.data);
        ASSERT_EQ(u.execute("G" + c.group, 0), "COK");
        u.execute("I" + c.item, 0);
        EXPECT_EQ(u.execute("D" + c.data, 0) != "CNG", c.taken);
    }
}

}  // namespace
}  // namespace dunax::sim
