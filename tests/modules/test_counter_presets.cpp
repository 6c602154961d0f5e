// The preset buttons of the three counter windows: which item each writes, what the check lets
// through, what the count box shows afterwards, and when a message appears.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "modules/counter_test_fixture.h"

namespace dunax {
namespace {

using testing::Cmds;

class CounterPresets : public testing::CounterTest {};

Cmds fourTimes(const Cmds& attempt) {
    Cmds all;
    for (int i = 0; i < 4; ++i) all.insert(all.end(), attempt.begin(), attempt.end());
    return all;
}

const Cmds kSwitch{"G00", "I01", "DF"};

Cmds operator+(Cmds a, const Cmds& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(CounterPresets, EachWindowWritesItsPresetItemAndShowsTheCountReplied) {
    struct Case {
        int modelNum;
        int index;
        std::string typed;
        std::string forcedReply;  // to the data command, when set
        bool silent;
        Cmds commands;
        std::string count;  // the count box afterwards ("before": unchanged)
        std::string box;    // the preset box afterwards
        bool message;       // the data-range message
    };
    const std::vector<Case> cases{
        // FE16: item 11 of the two-digit group, no switch.
        {10, 0, "100", "", false, {"G01", "I11", "D100"}, "100", "100", false},
        {10, 10, "5", "", false, {"G11", "I11", "D5"}, "5", "5", false},
        {10, 15, " 1e3 ", "", false, {"G16", "I11", "D1000"}, "1000", "1000", false},
        {10, 9, "", "", false, {}, "before", "", false},  // empty: nothing, silently
        // A value that is not a count never reaches the unit.
        {10, 4, "abc", "", false, {}, "before", "abc", true},
        {10, 4, "-1", "", false, {}, "before", "-1", true},
        {10, 4, "4294967296", "", false, {}, "before", "4294967296", true},
        // Refused above the channel's Max (2000 on CH 1): four attempts, no count comes back.
        {10, 1, "2001", "", false, fourTimes({"G02", "I11", "D2001"}), "before", "2001", false},
        {10, 3, "7", "0NG", false, {"G04", "I11", "D7"}, "before", "7", false},
        {10, 3, "7", "0PRESET:7:x", false, {"G04", "I11", "D7"}, "7:x", "7", false},
        // FE8: the count item 21 + k of group "00", checked first.
        {14, 3, "100", "", false, {"G00", "I24", "D100"}, "100", "100", false},
        {14, 0, " 25 ", "", false, {"G00", "I21", "D25"}, "25", "25", false},
        {14, 5, "1.5e1", "", false, {"G00", "I26", "D15"}, "15", "15", false},
        {14, 2, "-1", "", false, {}, "before", "-1", true},
        {14, 2, "4294967296", "", false, {}, "before", "4294967296", true},
        {14, 2, "", "", false, {}, "before", "", true},
        {14, 1, "10", "", true, {"G00", "G00", "G00", "G00"}, "before", "10", false},
        // J6UFE8: the switch first, whatever the value, then item 11 of "01".."08".
        {23, 7, " 150 ", "", false, kSwitch + Cmds{"G08", "I11", "D150"}, "150", "150", false},
        {23, 0, "0", "", false, kSwitch + Cmds{"G01", "I11", "D0"}, "0", "0", false},
        {23, 2, "-1", "", false, kSwitch, "before", "-1", true},
        {23, 2, "", "", false, kSwitch, "before", "", true},
        // No answer to the switch ends the preset, the message included.
        {23, 2, "-1", "", true, {"G00", "G00", "G00", "G00"}, "before", "-1", false},
        {23, 2, "12", "", true, {"G00", "G00", "G00", "G00"}, "before", "12", false},
    };
    for (const auto& kind : testing::counterKinds()) {
        start(kind);
        auto& w = window(kind.modelNum);
        w.Init();
        w.preset_able(true);
        for (const Case& c : cases) {
            if (c.modelNum != kind.modelNum) continue;
            SCOPED_TRACE(std::string(kind.name) + " CH " + std::to_string(c.index) + " [" +
                         c.typed + "]" + (c.silent ? " silent" : ""));
            host.messages.clear();
            unit->faults().replies.clear();
            if (!c.forcedReply.empty()) unit->faults().replies["D" + c.typed] = c.forcedReply;
            unit->faults().silent = c.silent;
            w.txtPA(c.index).setText("before");
            w.txtPreset(c.index).setText(c.typed);
            unit->clearLog();
            platform::userClick(w.cmdPreset(c.index));
            EXPECT_EQ(sent(), c.commands);
            EXPECT_EQ(w.txtPA(c.index).text(), c.count);
            EXPECT_EQ(w.txtPreset(c.index).text(), c.box);
            ASSERT_EQ(host.messages.size(), c.message ? 1u : 0u);
            if (c.message) {
                EXPECT_EQ(host.messages[0].text, "Data Error \r\nCheck data range.");
                EXPECT_EQ(host.messages[0].title, "Data Range Error");
                EXPECT_EQ(host.messages[0].icon, platform::Icon::Critical);
            }
        }
        unit->faults().silent = false;
        restart();
    }
}

// The unit restarts the count from the preset, and the monitoring reads it where it was written.
TEST_F(CounterPresets, CountRunsOnFromThePreset) {
    for (const auto& kind : testing::counterKinds()) {
        SCOPED_TRACE(kind.name);
        start(kind);
        auto& w = window(kind.modelNum);
        w.ReadingData();
        w.preset_able(true);
        w.txtPreset(3).setText("500");
        platform::userClick(w.cmdPreset(3));
        host.advance(10000);
        w.ReadingData();
        EXPECT_EQ(w.txtPA(3).text(), "700");  // CH 3 counts 20 a second
        restart();
    }
}

}  // namespace
}  // namespace dunax
