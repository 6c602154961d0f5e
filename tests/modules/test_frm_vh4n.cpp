// The four-channel current window with output hold against the simulated unit: what it sends,
// what it shows, its check, monitoring and how it deals with a silent unit.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/connection.h"
#include "core/dispatch.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/main_window.h"
#include "core/module_window.h"
#include "core/text.h"
#include "modules/register.h"
#include "modules/scaled_analog/frm_vh4n.h"
#include "platform/color.h"
#include "sim/profile_vh4n.h"
#include "support/layout_check.h"
#include "support/unit_fixture.h"

namespace dunax {
namespace {

using core::g;
using modules::frmVH4N;
using Cmds = std::vector<std::string>;
using testing::countOf;

void uploadChannel(Cmds& c, int ch) {
    c.push_back("G" + std::to_string(ch));
    for (const char* i : {"I20", "I21", "I22", "I23", "I24", "I25"}) c.push_back(i);
}

class VH4NTest : public testing::UnitFixture {
  protected:
    // Connects to a simulated unit and leaves the globals as its identification would.
    void start(const std::string& model, int channels = 4, const std::string& ext = "VQ") {
        useProfile(sim::makeVH4NUnit({model, channels, " 1.05", ext, {}}));
        connectAs(model, channels, ext);
        ASSERT_EQ(g.ModelNum, 24);
    }

    void TearDown() override {
        frmVH4N.reset();
        UnitFixture::TearDown();
    }

    modules::VH4NWindow& w() { return frmVH4N(); }
};

TEST_F(VH4NTest, UploadReadsRangeCodeThenHoldThenChannelsAndShowsThem) {
    start("J6P-VH4N", 4, "DI");
    EXPECT_EQ(w().lblZBase_Unit(0).caption(), "");  // blank until an upload
    unit->profile().find("00", "14")->value = "ON";
    w().frmVH4N_Init();

    Cmds want{"G00", "I12", "G00", "I09", "G00", "I14"};
    for (int ch = 1; ch <= 4; ++ch) uploadChannel(want, ch);
    EXPECT_EQ(unit->commands(), want);

    EXPECT_EQ(w().lblV_Unit->caption(), "VH4N");
    const std::vector<Cmds> boxes{
        {"0", "10000", "0.00", "1.0000", "4.000", "20.000"},
        {"0", "4000", "-0.25", "0.9985", "4.000", "20.000"},
        {"0", "10000", "0.00", "1.0000", "4.000", "20.000"},
        {"0", "20000", "1.50", "1.0020", "4.000", "20.000"},
    };
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        for (int p = 1; p <= 6; ++p) {
            EXPECT_EQ(w().param(p)(k).text(),
                      boxes[static_cast<std::size_t>(k)][static_cast<std::size_t>(p - 1)]);
        }
        EXPECT_EQ(w().lblZBase_Unit(k).caption(), "mA");
        EXPECT_EQ(w().lblFBase_Unit(k).caption(), "mA");
        EXPECT_TRUE(w().txtZScale(k).enabled() && w().txtGain(k).enabled());
        EXPECT_FALSE(w().txtZBase(k).enabled() || w().txtFBase(k).enabled());
        EXPECT_EQ(w().txtFBase(k).backColor(), platform::color::InfoBackground);
    }
    EXPECT_TRUE(w().optKeepOn->value());
    EXPECT_FALSE(w().optKeepOff->value());
    EXPECT_TRUE(w().optKeepOn->enabled());
    EXPECT_EQ(w().Frame2->container(), w().frmSet2);  // the hold alone on page 2
    EXPECT_EQ(w().lblV_Ext->caption(), "PY16");
    EXPECT_TRUE(!w().cmdSet1->enabled() && w().cmdSet2->enabled());
    EXPECT_TRUE(w().frmSet1->visible() && !w().frmSet2->visible());
    EXPECT_FALSE(loadingUp());
    EXPECT_TRUE(host.messages.empty());
}

// The range code is read on every network and whatever it says changes nothing.
TEST_F(VH4NTest, RangeCodeIsReadButSelectsNothing) {
    struct Case {
        std::string model, rangeReply;
        bool hold;
    };
    const std::vector<Case> cases{
        {"J6P-VH4N", "0", true},         {"J6S-VH4N", "F", true},   {"J6Q-VH4N", "CNG", true},
        {"J6WB-VH4N", "NEEDLESS", true}, {"J6XN-VH4N", "9", false},  // HLS: still item 09; no hold
        {"J6YR-VH4N", "A", false},                                   // FLEX NETWORK
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model + " " + c.rangeReply);
        start(c.model);
        if (c.rangeReply == "CNG")
            unit->profile().refuse("00", "09");
        else if (c.rangeReply == "NEEDLESS")
            unit->faults().needless.insert({"00", "09"});
        else
            unit->profile().find("00", "09")->value = c.rangeReply;
        w().frmVH4N_Init();

        Cmds want{"G00", "I09"};
        if (c.hold) want.insert(want.end(), {"G00", "I14"});
        for (int ch = 1; ch <= 4; ++ch) uploadChannel(want, ch);
        EXPECT_EQ(unit->commands(), want);
        EXPECT_EQ(w().Frame2->visible(), c.hold);
        for (int k = 0; k < 4; ++k) EXPECT_EQ(w().lblFBase_Unit(k).caption(), "mA");
        EXPECT_TRUE(host.messages.empty());
        EXPECT_TRUE(w().cmdSet2->enabled());

        // The hold goes back only where it is offered; Output Clear is "1".
        w().optKeepOff->setValue(true);
        unit->clearLog();
        w().frmVH4N_Download();
        EXPECT_EQ(sentCount("I14"), c.hold ? 1 : 0);
        if (c.hold) {
            EXPECT_EQ(unit->profile().value("00", "14"), "OFF");
        }
        restart();
    }
}

TEST_F(VH4NTest, DownloadWritesTheBoxesAsTheyStandThenTheHold) {
    start("J6P-VH4N");
    w().frmVH4N_Init();
    w().txtZScale(0).setText("-100");
    w().txtBias(2).setText("2.5");
    w().txtGain(3).setText("1.1");
    w().txtFBase(1).setText("16.000");  // as an opened configuration file may have left it
    w().optKeepOn->setValue(true);
    unit->clearLog();

    w().frmVH4N_Download();

    const std::vector<Cmds> boxes{
        {"-100", "10000", "0.00", "1.0000", "4.000", "20.000"},
        {"0", "4000", "-0.25", "0.9985", "4.000", "16.000"},
        {"0", "10000", "2.5", "1.0000", "4.000", "20.000"},
        {"0", "20000", "1.50", "1.1", "4.000", "20.000"},
    };
    Cmds want;
    for (int ch = 1; ch <= 4; ++ch) {
        want.push_back("G" + std::to_string(ch));
        for (int p = 0; p < 6; ++p) {
            want.push_back("I" + std::to_string(20 + p));
            want.push_back("D" +
                           boxes[static_cast<std::size_t>(ch - 1)][static_cast<std::size_t>(p)]);
        }
    }
    want.insert(want.end(), {"G00", "I14", "D0"});
    EXPECT_EQ(unit->commands(), want);
    EXPECT_EQ(unit->profile().value("1", "20"), "-100");
    EXPECT_EQ(unit->profile().value("00", "14"), "ON");
    EXPECT_FALSE(w().txtBias(0).enabled() || w().optKeepOn->enabled());
    EXPECT_FALSE(w().cmdSet1->enabled() || w().cmdSet2->enabled());
    EXPECT_FALSE(loadingUp());
    EXPECT_TRUE(host.messages.empty());
}

// A unit that stops answering: the upload stops there, says so and disconnects; nothing after
// the unanswered read is sent, and the window is not left editable.
TEST_F(VH4NTest, UploadThatStopsEarlyIsReportedAndDisconnects) {
    struct Case {
        std::string what;
        std::size_t silentFrom;  // G00 I09 G00 I14, then 7 per channel
        bool ch0Filled;
    };
    const std::vector<Case> cases{
        {"range code", 2, false},
        {"hold", 4, false},
        {"CH 1 gain", 16, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        start("J6P-VH4N");
        unit->faults().silentFrom = c.silentFrom;
        w().frmVH4N_Init();
        EXPECT_EQ(messageTexts(), Cmds{"Upload Error"});
        EXPECT_FALSE(g.Connected);
        EXPECT_FALSE(core::MSComm1().portOpen());
        EXPECT_FALSE(loadingUp());
        const Cmds sent = unit->commands();
        EXPECT_EQ(sent.size(), c.silentFrom - 1 + 4);  // the last read tried four times
        if (c.silentFrom == 2) {
            EXPECT_EQ(countOf(sent, "I14"), 0);
        }
        EXPECT_EQ(w().txtFScale(0).text(), c.ch0Filled ? "10000" : "");
        EXPECT_EQ(w().txtBias(1).text(), "");
        EXPECT_FALSE(w().txtZScale(0).enabled() || w().optKeepOn->enabled());
        EXPECT_FALSE(w().cmdSet2->enabled());
        restart();
    }
}

TEST_F(VH4NTest, NoChannelsReadsAndWritesOnlyTheModule) {
    start("J6P-VH4N", 0);
    w().frmVH4N_Init();
    EXPECT_EQ(unit->commands(), (Cmds{"G00", "I09", "G00", "I14"}));
    EXPECT_TRUE(w().cmdSet2->enabled());
    EXPECT_TRUE(w().optKeepOn->enabled());
    EXPECT_FALSE(loadingUp());
    EXPECT_FALSE(w().CheckData());
    unit->clearLog();
    w().frmVH4N_Download();
    EXPECT_EQ(unit->commands(), (Cmds{"G00", "I14", "D1"}));
}

TEST_F(VH4NTest, CheckRoundsTheScalesAndLeavesTheBasesAlone) {
    struct Case {
        std::string fs, bias, gain;
        bool ok;
        std::string fsAfter;
    };
    const std::vector<Case> cases{
        {"100.6", "0", "1", true, "101"},        {"100.5", "0", "1", true, "100"},
        {"101.5", "0", "1", true, "102"},        {"-32000", "-320", "-3.2", true, "-32000"},
        {"32000.4", "0", "1", false, "32000.4"}, {"0", "320.01", "1", false, "0"},
        {"0", "0", "3.2001", false, "0"},        {"0", "0", "NEEDLESS", false, "0"},
    };
    start("J6P-VH4N");
    w().frmVH4N_Init();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fs + " " + c.bias + " " + c.gain);
        w().txtFScale(0).setText(c.fs);
        w().txtBias(0).setText(c.bias);
        w().txtGain(0).setText(c.gain);
        EXPECT_EQ(w().CheckData(), c.ok);
        EXPECT_EQ(w().txtFScale(0).text(), c.fsAfter);
    }
    // The bases are not checked.
    w().txtGain(0).setText("1");
    w().txtFBase(0).setText("CNG");
    EXPECT_TRUE(w().CheckData());
}

TEST_F(VH4NTest, MonitoringReadsFourValuesAndTheExtensionPoints) {
    start("J6S-VH4N", 2, "DO");
    w().frmVH4N_Init();
    unit->faults().replies["I22"] = "0CH1:1.25";
    unit->faults().replies["I23"] = "0CH2:--";
    unit->faults().replies["I12"] = "0EXTDATA:x00F0";
    w().txtParData(2).setText("old");
    unit->clearLog();

    w().ReadingData();

    EXPECT_EQ(unit->commands(),
              (Cmds{"G00", "I21", "G00", "I22", "G00", "I23", "G00", "I24", "G00", "I12"}));
    EXPECT_TRUE(core::IsNumeric(w().txtParData(0).text()));
    EXPECT_EQ(w().txtParData(0).text().find('.'), std::string::npos);
    EXPECT_EQ(w().txtParData(1).text(), "125");
    EXPECT_EQ(w().txtParData(2).text(), "old");
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(w().txtChData(i).backColor(),
                  i >= 4 && i <= 7 ? platform::color::Green : platform::color::Red)
            << i;
    }
    EXPECT_TRUE(host.messages.empty());
}

// Through the main window: identification reaches the window of model 24, a download sends
// the prologue and the boxes, and monitoring shows values that change over time.
TEST_F(VH4NTest, ServedThroughTheMainWindow) {
    useProfile(sim::makeVH4NUnit({"J6U-VH4N", 4, " 1.05", "VQ", {}}));
    modules::RegisterModuleWindows();
    ASSERT_EQ(core::ModuleWindowFor(24), &w());
    core::frmDunax().btnConnect_Click();
    ASSERT_TRUE(g.Connected);
    EXPECT_TRUE(w().shown());
    EXPECT_EQ(w().lblV_Unit->caption(), "VH4N");
    EXPECT_FALSE(w().txtParData(3).text().empty());  // one monitoring pass after the upload

    w().txtBias(1).setText("12.5");
    unit->clearLog();
    core::frmDunax().btnDownload_Click();
    const Cmds sent = unit->commands();
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(Cmds(sent.begin(), sent.begin() + 3), (Cmds{"G00", "I01", "DF"}));
    EXPECT_EQ(unit->profile().value("2", "22"), "12.5");
    EXPECT_EQ(w().txtBias(1).text(), "12.5");  // read back
    EXPECT_TRUE(host.messages.empty());

    std::vector<std::string> seen;
    for (int s = 1; s <= 4; ++s) {
        host.at(host.now() + s * 5000, [&] { seen.push_back(w().txtParData(1).text()); });
    }
    host.at(host.now() + 21000, [] { platform::userClick(core::frmDunax().btnStop); });
    core::frmDunax().btnStart_Click();
    ASSERT_EQ(seen.size(), 4u);
    std::sort(seen.begin(), seen.end());
    EXPECT_GE(std::unique(seen.begin(), seen.end()) - seen.begin(), 2);
    EXPECT_TRUE(w().txtBias(0).enabled());  // edits on again after Stop
}

TEST_F(VH4NTest, LayoutKeepsControlsApartInsideAndNamed) {
    start("J6P-VH4N", 4, "DI");
    w().frmVH4N_Init();
    testing::expectTidy(w());
    EXPECT_EQ(w().find("txtFBase", 3)->accessibleName(), "CH 3 Full base");
}

}  // namespace
}  // namespace dunax
