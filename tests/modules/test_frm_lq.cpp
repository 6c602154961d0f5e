// The voltage range windows: their range lists, the unit labels the range code selects, the
// hold by network, and an upload that the unit stops answering.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "scaled_fixture.h"

namespace dunax::testing {
namespace {

using core::g;

TEST_F(ScaledTest, LQ2UploadOnCCLinkSendsTheseCommands) {
    start(scaledWindow("LQ2"));
    modules::frmLQ2().frmLQ2_Init();
    EXPECT_EQ(sent(), (Cmds{"G00", "I09", "G00", "I14", "G1",  "I20", "I21", "I22", "I23", "I24",
                            "I25", "I09", "G2",  "I20", "I21", "I22", "I23", "I24", "I25", "I09"}));
}

TEST_F(ScaledTest, RangeListsHoldTheModelsRowsAndTheUnitsCodeSelectsOne) {
    const Cmds lq2{"-10V to 10V", "-5V to 5V", "-1V to 1V", "0V to 10V",
                   "0V to 5V",    "1V to 5V",  "0V to 1V",  "-0.5V to 0.5V"};
    const Cmds lq4{"-10V to 10V", "-5V to 5V", "0V to 10V", "0V to 5V", "1V to 5V"};
    struct Case {
        std::string code, reply;  // window, CH 0's item 09 as the unit answers it
        int row;                  // -1: no row selected
    };
    const std::vector<Case> cases{
        {"LQ2", "3", 3},   {"LQ4", "3", 3},  {"LQ2", "7", 7},  {"LQ2", "07", 0}, {"LQ2", "CNG", 0},
        {"LQ4", "CNU", 0}, {"LQ2", "8", -1}, {"LQ4", "5", -1}, {"LQ4", "F", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code + " " + c.reply);
        start(scaledWindow(c.code));
        if (c.reply == "CNG") unit->profile().refuse("1", "09");
        if (c.reply == "CNU") unit->faults().needless.insert({"1", "09"});
        unit->profile().find("1", "09")->value = c.reply;
        w().Init();
        const Cmds& rows = c.code == "LQ2" ? lq2 : lq4;
        for (int k = 0; k < win->channels; ++k) EXPECT_EQ(w().cmbUserRange(k).list(), rows);
        EXPECT_EQ(w().cmbUserRange(0).listIndex(), c.row);
        EXPECT_TRUE(host.messages.empty());
        // An upload again neither doubles the rows nor keeps an old selection.
        w().Init();
        EXPECT_EQ(w().cmbUserRange(0).listCount(), static_cast<int>(rows.size()));
        restart();
    }
}

TEST_F(ScaledTest, UnitLabelsFollowTheRangeCodeOrUnderFEachChannelsOwnRange) {
    struct Case {
        std::string moduleCode;
        std::string ch1Range;
        std::string labels;  // CH 0, CH 1
    };
    const std::vector<Case> cases{
        {"3", "3", "V V"}, {"CNG", "3", "V V"},  // "C" is code 12, labelled "V" too
        {"F", "3", "V V"},                       // each channel by its own row
        {"F", "9", "V V"},                       // a code the list lacks still has its label
        {"F", "F", "V "},                        // a channel code of 15 has an empty one
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.moduleCode + " " + c.ch1Range);
        start(scaledWindow("LQ2"));
        unit->profile().find("00", "09")->value = c.moduleCode;
        unit->profile().find("2", "09")->value = c.ch1Range;
        w().Init();
        EXPECT_EQ(w().lblZBase_Unit(0).caption() + " " + w().lblZBase_Unit(1).caption(), c.labels);
        EXPECT_EQ(w().lblFBase_Unit(1).caption(), w().lblZBase_Unit(1).caption());
        restart();
    }
}

TEST_F(ScaledTest, LQHoldIsOfferedOnTheNetworksThatHaveIt) {
    const std::vector<HoldCase> cases{
        {"LQ2", "J6P-", "ON", true, true},   {"LQ2", "J6Q-", "OFF", true, false},
        {"LQ4", "J6S-", "CNG", true, false}, {"LQ4", "J6U-", "NEEDLESS", true, false},
        {"LQ2", "J6XN-", "", false, false},  {"LQ4", "J6YR-", "", false, false},
    };
    for (const HoldCase& c : cases) {
        SCOPED_TRACE(c.code + " " + c.prefix);
        uploadWithHold(c);
        EXPECT_EQ(sent(), expectedUpload(*win, win->channels, c.shown, false));
        EXPECT_EQ(w().Frame2->visible(), c.shown);
        if (c.shown) {
            EXPECT_EQ(w().optKeepOn->value(), c.hold);
        }
        EXPECT_EQ(w().optKeepOff->value(), c.shown && !c.hold);
        expectHoldDownload(c.shown, c.hold);
        restart();
    }
}

// The unit stops answering: wherever that is, the user is told and the link is closed; the
// window keeps what was read and is not left editable or with a channel half-written.
TEST_F(ScaledTest, LQUploadThatStopsIsReportedAndDisconnects) {
    struct Case {
        std::string what;
        std::size_t silentFrom;  // first unanswered command
        std::string ch0FScale, ch1FScale;
    };
    const std::vector<Case> cases{
        {"range code", 2, "", ""},
        {"hold", 4, "", ""},
        {"CH 1 bias", 16, "10000", ""},
        {"CH 1 range", 20, "10000", "4000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        start(scaledWindow("LQ2"));
        unit->faults().silentFrom = c.silentFrom;
        w().Init();
        expectUploadError();
        EXPECT_EQ(sent().size(), c.silentFrom - 1 + 4);  // four tries, nothing after
        EXPECT_EQ(w().txtFScale(0).text(), c.ch0FScale);
        EXPECT_EQ(w().txtFScale(1).text(), c.ch1FScale);
        EXPECT_FALSE(w().txtBias(0).enabled());
        EXPECT_FALSE(w().cmbUserRange(0).enabled());
        EXPECT_FALSE(w().cmdSet2->enabled());
        EXPECT_FALSE(loadingUp());
        restart();
    }
}

TEST_F(ScaledTest, LQChannelWithoutARangeIsPassedButNotWritten) {
    start(scaledWindow("LQ4"), "J6P-", "VQ", {0, 9, 0, 0});  // the unit reports a row LQ4 lacks
    w().Init();
    EXPECT_EQ(w().cmbUserRange(1).listIndex(), -1);
    EXPECT_TRUE(w().CheckData());  // the unit keeps its code
    unit->clearLog();
    w().Download();
    const Cmds cmds = sent();
    EXPECT_EQ(std::count(cmds.begin(), cmds.end(), "I09"), 3);
    EXPECT_EQ(std::count(cmds.begin(), cmds.end(), "D-1"), 0);
    w().cmbUserRange(1).setListIndex(2);
    EXPECT_TRUE(w().CheckData());
}

TEST_F(ScaledTest, LQPageButtonsSwitchBetweenGridAndRanges) {
    start(scaledWindow("LQ4"));
    w().Init();
    EXPECT_EQ(w().Label12->caption(), "Selected Range");
    EXPECT_EQ(w().Label12->container(), w().frmSet2);
    EXPECT_EQ(w().Frame2->container(), w().frmSet2);
    EXPECT_EQ(w().cmbUserRange(3).container(), w().frmSet2);
    EXPECT_EQ(w().txtGain(3).container(), w().frmSet1);
    platform::userClick(*w().cmdSet2);
    EXPECT_TRUE(w().cmdSet1->enabled() && !w().cmdSet2->enabled());
    EXPECT_TRUE(!w().frmSet1->visible() && w().frmSet2->visible());
    w().txt_able(false);  // monitoring: the page buttons stay usable
    platform::userClick(*w().cmdSet1);
    EXPECT_TRUE(!w().cmdSet1->enabled() && w().cmdSet2->enabled());
    EXPECT_TRUE(w().frmSet1->visible() && !w().frmSet2->visible());
}

}  // namespace
}  // namespace dunax::testing
