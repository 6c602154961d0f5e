// The two-channel scaling window: one page, no range list, no hold on any network, and the
// range code item read only to see that the unit answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "scaled_fixture.h"

namespace dunax::testing {
namespace {

using core::g;

TEST_F(ScaledTest, TLQ2NeverTouchesTheHoldOnAnyNetwork) {
    for (const char* prefix : {"J6P-", "J6Q-", "J6S-", "J6U-", "J6XN-", "J6YR-"}) {
        SCOPED_TRACE(prefix);
        start(scaledWindow("TLQH2"), prefix);
        modules::frmTLQ2().frmTLQH2_Init();
        EXPECT_EQ(sent(), (Cmds{"G00", "I09", "G1", "I20", "I21", "I22", "I23", "I24", "I25", "G2",
                                "I20", "I21", "I22", "I23", "I24", "I25"}));
        unit->clearLog();
        modules::frmTLQ2().frmTLQH2_Download();
        const Cmds cmds = sent();
        EXPECT_EQ(cmds.size(), 2u * (1 + 6 * 2));
        EXPECT_EQ(std::count(cmds.begin(), cmds.end(), "I14"), 0);
        EXPECT_EQ(std::count(cmds.begin(), cmds.end(), "I09"), 0);
        EXPECT_TRUE(host.messages.empty());
        restart();
    }
    // Nothing to show it with either: one page, no page buttons, no hold, no lists.
    start(scaledWindow("TLQH2"));
    EXPECT_EQ(w().find("Frame2"), nullptr);
    EXPECT_EQ(w().find("cmdSet1"), nullptr);
    EXPECT_EQ(w().find("frmSet2"), nullptr);
    EXPECT_EQ(w().find("cmbUserRange", 0), nullptr);
}

TEST_F(ScaledTest, TLQ2PresenceTestTakesAnyAnswerButSilence) {
    for (const char* reply : {"0RANGE:0", "CNG", "CNU", "0RANGE:F"}) {
        SCOPED_TRACE(reply);
        start(scaledWindow("TLQH2"));
        unit->faults().replies["I09"] = reply;
        w().Init();
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(w().txtFScale(1).text(), "4000");
        EXPECT_EQ(w().lblZBase_Unit(0).caption(), "");  // the bases carry no unit
        EXPECT_TRUE(w().txtBias(1).enabled());
        restart();
    }
    start(scaledWindow("TLQH2"));
    emptyReplyTo("I09");
    w().Init();
    EXPECT_EQ(messageTexts(), (Cmds{"Upload Error"}));
    EXPECT_FALSE(g.Connected);
    EXPECT_EQ(w().txtFScale(0).text(), "");  // no channel was read
    EXPECT_FALSE(w().txtBias(0).enabled());
    EXPECT_FALSE(loadingUp());
}

TEST_F(ScaledTest, TLQ2SettingReadsThatFailOrRefuse) {
    start(scaledWindow("TLQH2"));
    unit->profile().refuse("2", "22");  // CH 1's bias refused: shown as it came
    w().Init();
    EXPECT_EQ(w().txtBias(1).text(), "CNG");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(w().CheckData());

    restart();
    start(scaledWindow("TLQH2"));
    emptyReplyTo("I25");  // CH 0's full base: the first channel is not finished
    w().Init();
    EXPECT_EQ(messageTexts(), (Cmds{"Upload Error"}));
    EXPECT_EQ(sent().size(), 2u + 6 + 4);
    EXPECT_EQ(w().txtZScale(0).text(), "");
    EXPECT_FALSE(g.Connected);
}

}  // namespace
}  // namespace dunax::testing
