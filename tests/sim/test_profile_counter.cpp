// The simulated pulse counters: how a count runs against its Max, and how a preset restarts it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/profile_counter.h"
#include "sim/unit.h"

namespace dunax::sim {
namespace {

TEST(CounterUnit, CountRunsAgainstMax) {
    struct Case {
        unsigned long long start, rate;
        long long elapsedMs;
        unsigned long long max;
        bool carry;
        unsigned long long count;
        bool overflowed;
    };
    const std::vector<Case> cases{
        {0, 3, 999, 100, false, 0, false},       // taken in once a second
        {0, 3, 1000, 100, false, 3, false},      //
        {10, 10, 9000, 100, true, 100, false},   // at Max, not past it
        {10, 10, 10000, 100, true, 9, true},     // past Max with carry: again from 0
        {10, 10, 12000, 100, true, 29, true},    //
        {10, 10, 12000, 100, false, 100, true},  // without carry: stays at Max
        {50, 7, -500, 100, false, 50, false},    // a clock before the start counts nothing
        {5, 1, 0, 0, true, 0, true},             // Max 0
    };
    for (const Case& c : cases) {
        bool over = !c.overflowed;
        EXPECT_EQ(counterValue(c.start, c.rate, c.elapsedMs, c.max, c.carry, over), c.count)
            << c.start << " " << c.elapsedMs << " " << c.carry;
        EXPECT_EQ(over, c.overflowed);
    }
}

std::string ask(SimUnit& u, const std::string& command, std::int64_t now) {
    return u.execute(command, now);
}

TEST(CounterUnit, PresetRestartsTheCountAndTheBitImageShowsChannelsPastMax) {
    SimUnit u(makeCounterUnit({"J6U-FE8", 8, " 1.10", "VQ"}));
    ASSERT_EQ(ask(u, "G00", 0), "COK");
    EXPECT_EQ(ask(u, "I16", 0), "0STATUS:x00");
    EXPECT_EQ(ask(u, "I18", 0), "0CNT1:37");
    // CH 1 counts 7 a second up to its Max 2000 without carry; CH 4 and CH 7 (Max 2000 too)
    // have passed theirs as well.
    EXPECT_EQ(ask(u, "I18", 300000), "0CNT1:2000");
    EXPECT_EQ(ask(u, "I16", 300000), "0STATUS:x92");
    ASSERT_EQ(ask(u, "G02", 300000), "COK");
    ASSERT_EQ(ask(u, "I11", 300000), "0PRESET:2000");
    EXPECT_EQ(ask(u, "D10", 300000), "0PRESET:10");
    EXPECT_EQ(ask(u, "I11", 302000), "0PRESET:24");
    ASSERT_EQ(ask(u, "G00", 302000), "COK");
    EXPECT_EQ(ask(u, "I16", 302000), "0STATUS:x90");
}

}  // namespace
}  // namespace dunax::sim
