// The current windows: no range code, bases in mA, the hold beside the grid (two channels) or
// alone on page 2 (four channels), and an upload that the unit stops answering.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scaled_fixture.h"

namespace dunax::testing {
namespace {

using core::g;

TEST_F(ScaledTest, WZHoldByNetworkAndTheCommandsOfTheUpload) {
    const std::vector<HoldCase> cases{
        {"WZ2", "J6P-", "ON", true, true},   {"WZ4", "J6U-", "OFF", true, false},
        {"WZ2", "J6S-", "CNG", true, false}, {"WZ4", "J6XN-", "", false, false},
        {"WZ2", "J6YR-", "", false, false},
    };
    for (const HoldCase& c : cases) {
        SCOPED_TRACE(c.code + " " + c.prefix);
        uploadWithHold(c);
        const ScaledWin& sw = *win;
        ASSERT_FALSE(sw.rangeCode || sw.rangeList);
        EXPECT_EQ(sent(), expectedUpload(sw, sw.channels, c.shown, false));  // neither read
        EXPECT_EQ(w().Frame2->visible(), c.shown);
        EXPECT_EQ(w().optKeepOn->value(), c.hold);
        EXPECT_EQ(w().lblFBase_Unit(sw.channels - 1).caption(), "mA");
        // Page 2 may be empty; its button is enabled all the same.
        if (sw.pages) {
            EXPECT_TRUE(w().cmdSet2->enabled());
        }
        expectHoldDownload(c.shown, c.hold);
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
