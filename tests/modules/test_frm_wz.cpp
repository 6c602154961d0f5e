// The current windows: no range code, bases in mA, the hold beside the grid (two channels) or
// alone on page 2 (four channels), and an upload that the unit stops answering.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "scaled_fixture.h"

namespace dunax::testing {
namespace {

using core::g;

TEST_F(ScaledTest, WZHoldByNetworkAndTheCommandsOfTheUpload) {
    struct Case {
        std::string code, prefix, holdReply;
        bool shown, hold;
    };
    const std::vector<Case> cases{
        {"WZ2", "J6P-", "ON", true, true},   {"WZ4", "J6U-", "OFF", true, false},
        {"WZ2", "J6S-", "CNG", true, false}, {"WZ4", "J6XN-", "", false, false},
        {"WZ2", "J6YR-", "", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code + " " + c.prefix);
        const ScaledWin& sw = scaledWindow(c.code);
        start(sw, c.prefix);
        if (c.shown) unit->faults().replies["I14"] = "0HOLD:" + c.holdReply;
        w().Init();
        Cmds want;
        if (c.shown) want = {"G00", "I14"};
        for (int ch = 1; ch <= sw.channels; ++ch) {
            want.push_back("G" + std::to_string(ch));
            for (const char* i : {"I20", "I21", "I22", "I23", "I24", "I25"}) want.push_back(i);
        }
        EXPECT_EQ(sent(), want);  // no range code, no channel range
        EXPECT_EQ(w().Frame2->visible(), c.shown);
        EXPECT_EQ(w().optKeepOn->value(), c.hold);
        EXPECT_EQ(w().lblFBase_Unit(sw.channels - 1).caption(), "mA");
        // Page 2 may be empty; its button is enabled all the same.
        if (sw.pages) {
            EXPECT_TRUE(w().cmdSet2->enabled());
        }
        unit->faults().replies.clear();
        unit->clearLog();
        w().Download();
        const Cmds cmds = sent();
        EXPECT_EQ(std::count(cmds.begin(), cmds.end(), "I14"), c.shown ? 1 : 0);
        if (c.shown) {
            EXPECT_EQ(cmds.back(), c.hold ? "D0" : "D1");
        }
        restart();
    }
}

TEST_F(ScaledTest, WZPagesHoldTheirOwnControls) {
    start(scaledWindow("WZ2"));
    EXPECT_EQ(w().Frame2->container(), w().frmSet1);  // beside the grid
    EXPECT_EQ(w().find("cmdSet1"), nullptr);
    EXPECT_EQ(w().find("frmSet2"), nullptr);
    restart();

    start(scaledWindow("WZ4"));
    w().Init();
    EXPECT_EQ(w().Frame2->container(), w().frmSet2);  // alone on page 2
    EXPECT_EQ(w().cmdSet1->caption(), "Setting 1");
    EXPECT_EQ(w().cmdSet2->caption(), "Setting 2");
    w().cmdSet2_Click();
    EXPECT_TRUE(w().frmSet2->visible() && !w().frmSet1->visible());
    w().Init();  // an upload comes back to page 1
    EXPECT_TRUE(w().frmSet1->visible() && !w().frmSet2->visible());
    EXPECT_TRUE(!w().cmdSet1->enabled() && w().cmdSet2->enabled());
}

TEST_F(ScaledTest, WZUploadThatStopsIsReportedAndDisconnects) {
    struct Case {
        std::string code, what;
        std::size_t silentFrom;
        std::size_t filled;  // channels whose boxes were filled
    };
    const std::vector<Case> cases{
        {"WZ2", "hold", 2, 0},
        {"WZ4", "CH 0 zero scale", 4, 0},
        {"WZ4", "CH 3 full base", 2 + 3 * 7 + 7, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code + " " + c.what);
        const ScaledWin& sw = scaledWindow(c.code);
        start(sw);
        unit->faults().silentFrom = c.silentFrom;
        w().Init();
        EXPECT_EQ(messageTexts(), (Cmds{"Upload Error"}));
        EXPECT_FALSE(g.Connected);
        EXPECT_EQ(sent().size(), c.silentFrom - 1 + 4);
        for (int k = 0; k < sw.channels; ++k)
            EXPECT_EQ(w().txtGain(k).text().empty(), static_cast<std::size_t>(k) >= c.filled);
        EXPECT_FALSE(w().txtGain(0).enabled());
        EXPECT_FALSE(w().optKeepOn->enabled());
        if (sw.pages) {
            EXPECT_FALSE(w().cmdSet2->enabled());
        }
        EXPECT_FALSE(loadingUp());
        restart();
    }
}

}  // namespace
}  // namespace dunax::testing
