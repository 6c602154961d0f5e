// The percent input window against the simulated unit: what it sends, what it shows, the data
// check, monitoring of the percent and how it deals with silence.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/connection.h"
#include "core/dispatch.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/main_window.h"
#include "core/module_window.h"
#include "core/text.h"
#include "modules/analog_in/frm_ux4.h"
#include "modules/register.h"
#include "platform/color.h"
#include "sim/profile_ux4.h"
#include "support/layout_check.h"
#include "support/unit_fixture.h"

namespace dunax {
namespace {

using core::g;
using modules::frmUX4;
using modules::UX4Window;
using Cmds = std::vector<std::string>;

class UX4Test : public testing::UnitFixture {
  protected:
    // Connects to a simulated unit and leaves the globals as its identification would.
    void start(const sim::UX4Unit& u) {
        useProfile(sim::makeUX4Unit(u));
        connectAs(u.modelName, u.channels, u.extModule);
    }

    void TearDown() override {
        frmUX4.reset();
        UnitFixture::TearDown();
    }

    UX4Window& w() { return frmUX4(); }
};

TEST_F(UX4Test, UploadReadsFiveParametersPerChannelAndShowsThem) {
    start({"J6S-UX4", 4, " 1.05", "DI"});
    unit->profile().find("3", "21")->value = "8000";
    unit->faults().replies["I34"] = "0PERCENT:1.5";
    w().frmUX4_Init();

    Cmds want{"G00", "I12", "G00", "I14"};
    for (int ch = 1; ch <= 4; ++ch) {
        want.push_back("G" + std::to_string(ch));
        for (const char* i : {"I20", "I21", "I34", "I32", "I33"}) want.push_back(i);
    }
    EXPECT_EQ(sent(), want);

    EXPECT_EQ(w().lblV_Unit->caption(), "UX4");
    EXPECT_EQ(w().txtFScale(2).text(), "8000");
    EXPECT_EQ(w().txtBias(0).text(), "1.5");  // the percent as sent, point included
    EXPECT_EQ(w().txtZBase(3).text(), "0");
    EXPECT_EQ(w().txtFBase(3).text(), "10000");
    EXPECT_FALSE(w().txtGain.has(0));
    EXPECT_EQ(w().find("lblBias01")->caption(), "Percent");
    EXPECT_EQ(w().lblZBase_Unit(0).caption(), "");
    EXPECT_TRUE(w().optKeepOn->value());
    EXPECT_EQ(w().lblV_Ext->caption(), "PY16");

    // Scales and bases editable; the percent shown only.
    for (int k = 0; k < 4; ++k) {
        EXPECT_TRUE(w().txtZScale(k).enabled() && w().txtFScale(k).enabled());
        EXPECT_TRUE(w().txtZBase(k).enabled() && w().txtFBase(k).enabled());
        EXPECT_FALSE(w().txtBias(k).enabled());
        EXPECT_EQ(w().txtBias(k).backColor(), platform::color::InfoBackground);
    }
    EXPECT_TRUE(w().optKeepOff->enabled());
    EXPECT_TRUE(w().cmdSet2->enabled());
    EXPECT_FALSE(loadingUp());
    EXPECT_TRUE(host.messages.empty());

    // One monitoring pass shows the percent without its point.
    w().ReadingData();
    EXPECT_EQ(w().txtBias(0).text(), "15");
}

TEST_F(UX4Test, DownloadWritesScalesAndBasesNotThePercentThenTheHold) {
    struct Case {
        std::string model;
        bool hold;
    };
    for (const Case& c : {Case{"J6P-UX4", true}, Case{"J6YR-UX4", false}}) {
        SCOPED_TRACE(c.model);
        start({c.model, 4, " 1.05", "VQ"});
        w().frmUX4_Init();
        EXPECT_EQ(w().Frame2->visible(), c.hold);
        EXPECT_EQ(sentCount("I14"), c.hold ? 1 : 0);
        w().txtZScale(1).setText("-500");
        w().txtFBase(2).setText("9000");
        w().txtBias(3).setText("77.7");  // whatever the box says, the percent is not written
        if (c.hold) w().optKeepOff->setValue(true);
        unit->clearLog();

        w().frmUX4_Download();

        Cmds want;
        for (int ch = 1; ch <= 4; ++ch) {
            want.push_back("G" + std::to_string(ch));
            const std::string zs = ch == 2 ? "-500" : "0";
            const std::string fb = ch == 3 ? "9000" : "10000";
            want.insert(want.end(),
                        {"I20", "D" + zs, "I21", "D10000", "I32", "D0", "I33", "D" + fb});
        }
        if (c.hold) want.insert(want.end(), {"G00", "I14", "D1"});
        EXPECT_EQ(sent(), want);
        EXPECT_EQ(unit->profile().value("2", "20"), "-500");
        EXPECT_EQ(unit->profile().value("3", "33"), "9000");
        if (c.hold) {
            EXPECT_EQ(unit->profile().value("00", "14"), "OFF");
        }
        EXPECT_FALSE(w().txtZScale(0).enabled());
        EXPECT_FALSE(w().cmdSet1->enabled() || w().cmdSet2->enabled());
        EXPECT_FALSE(loadingUp());
        restart();
    }
}

TEST_F(UX4Test, CheckBoundsAndRounding) {
    struct Case {
        std::string zs, fs, pct, zb, fb;
        bool ok;
        std::string zsAfter, zbAfter;  // as the check leaves them
    };
    const std::vector<Case> cases{
        {"0", "10000", "50.00", "0", "10000", true, "0", "0"},
        {"-32000", "32000", "-32000", "10000", "0", true, "-32000", "10000"},
        {"0.5", "1", "0", "12.6", "100", true, "0", "13"},
        {"2.5", "1", "0", "9999.5", "100", true, "2", "10000"},
        {"-32000.1", "0", "0", "0", "0", false, "-32000.1", "0"},
        {"0", "32000.5", "0", "0", "0", false, "0", "0"},     // rounds to 32000 but fails first
        {"0", "0", "32001", "0", "0", false, "0", "0"},       // the percent is bounded too
        {"0", "0", "0", "10000.5", "0", true, "0", "10000"},  // rounds to 10000: in bounds
        {"0", "0", "0", "10001", "0", false, "0", "10001"},
        {"0", "0", "0", "-1", "0", false, "0", "-1"},  // within the first test, not the base's
        {"0", "0", "0", "0", "-0.6", false, "0", "0"},
        {"0", "0", "NEEDLESS", "0", "0", false, "0", "0"},
        {"0", "0", "0", "", "0", false, "0", ""},
    };
    start({"J6P-UX4", 4, " 1.05", "VQ"});
    w().frmUX4_Init();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zs + " " + c.fs + " " + c.pct + " " + c.zb + " " + c.fb);
        w().txtZScale(3).setText(c.zs);
        w().txtFScale(3).setText(c.fs);
        w().txtBias(3).setText(c.pct);
        w().txtZBase(3).setText(c.zb);
        w().txtFBase(3).setText(c.fb);
        EXPECT_EQ(w().CheckData(), c.ok);
        EXPECT_EQ(w().txtZScale(3).text(), c.zsAfter);
        EXPECT_EQ(w().txtZBase(3).text(), c.zbAfter);
        EXPECT_EQ(w().txtBias(3).text(), c.pct);  // never rewritten
    }

    // A base typed 12.6 stands as 13 and is sent as 13.
    w().txtZBase(3).setText("12.6");
    w().txtZScale(3).setText("0");
    w().txtFBase(3).setText("100");
    w().txtBias(3).setText("1.5");
    ASSERT_TRUE(w().CheckData());
    unit->clearLog();
    w().frmUX4_Download();
    EXPECT_EQ(unit->profile().value("4", "32"), "13");
}

TEST_F(UX4Test, MonitoringReadsValuesExtensionThenThePercentOfFourChannels) {
    start({"J6S-UX4", 2, " 1.05", "DI"});  // two channels in use; the percent loop covers four
    w().frmUX4_Init();
    for (int k = 0; k < 4; ++k) w().txtBias(k).setText("old");
    unit->faults().replies["I34"] = "0PERCENT:42.25";
    unit->clearLog();

    w().ReadingData();

    // Groups 3 and 4 do not exist on this unit: refused, tried four times, boxes kept.
    Cmds want{"G00", "I21", "G00", "I22", "G00", "I23", "G00",
              "I24", "G00", "I12", "G01", "I34", "G02", "I34"};
    want.insert(want.end(), 4, "G03");
    want.insert(want.end(), 4, "G04");
    EXPECT_EQ(sent(), want);
    EXPECT_EQ(w().txtBias(0).text(), "4225");
    EXPECT_EQ(w().txtBias(1).text(), "4225");
    EXPECT_EQ(w().txtBias(2).text(), "old");
    EXPECT_EQ(w().txtBias(3).text(), "old");
    EXPECT_FALSE(w().txtParData(3).text().empty());

    // A non-numeric percent leaves the box; a later numeric one replaces a refusal that the
    // upload put there, after which the check passes again.
    unit->faults().replies["I34"] = "CNU";
    w().ReadingData();
    EXPECT_EQ(w().txtBias(0).text(), "4225");
    w().txtBias(1).setText("NEEDLESS");
    EXPECT_FALSE(w().CheckData());
    unit->faults().replies["I34"] = "0PERCENT:3.00";
    w().ReadingData();
    EXPECT_EQ(w().txtBias(1).text(), "300");
    EXPECT_TRUE(w().CheckData());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(g.Connected);
}

TEST_F(UX4Test, UploadThatStopsEarlyIsReportedAndDisconnects) {
    struct Case {
        std::string what;
        std::size_t silentFrom;  // first unanswered command (G00 I14, then 6 per channel)
        std::string ch0FBase;
    };
    const std::vector<Case> cases{
        {"hold", 2, ""},
        {"CH 0 percent", 6, ""},
        {"CH 1 full base", 14, "10000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        start({"J6P-UX4", 4, " 1.05", "VQ"});
        unit->faults().silentFrom = c.silentFrom;
        w().frmUX4_Init();
        EXPECT_EQ(messageTexts(), (Cmds{"Upload Error"}));
        EXPECT_EQ(sent().size(), c.silentFrom - 1 + 4);  // four tries, then nothing
        EXPECT_FALSE(g.Connected);
        EXPECT_FALSE(loadingUp());
        EXPECT_EQ(w().txtFBase(0).text(), c.ch0FBase);
        EXPECT_FALSE(w().txtZScale(0).enabled());
        EXPECT_FALSE(w().cmdSet2->enabled());
        restart();
    }
}

// Through the main window: identification reaches the window registered for model 7.
TEST_F(UX4Test, MainWindowConnectUploadsAndMonitorsOnce) {
    useProfile(sim::makeUX4Unit({"J6P-UX4", 4, " 1.05", "VQ"}));
    modules::RegisterModuleWindows();
    ASSERT_EQ(core::ModuleWindowFor(7), &w());
    core::frmDunax().btnConnect_Click();
    EXPECT_TRUE(g.Connected);
    EXPECT_TRUE(w().shown());
    EXPECT_EQ(w().lblV_Unit->caption(), "UX4");
    EXPECT_EQ(w().txtFScale(3).text(), "10000");
    EXPECT_TRUE(core::IsNumeric(w().txtBias(0).text()));
    EXPECT_EQ(w().txtBias(0).text().find('.'), std::string::npos);  // the monitoring pass ran
    EXPECT_TRUE(core::frmDunax().btnDownload.enabled());
}

TEST_F(UX4Test, LayoutKeepsControlsApartInsideAndNamed) {
    start({"J6S-UX4", 4, " 1.05", "DI"});
    w().frmUX4_Init();
    testing::expectTidy(w());
    EXPECT_EQ(w().find("txtBias", 2)->accessibleName(), "CH 2 Percent");
    EXPECT_EQ(w().find("lblZScale", 0)->caption(), "-32000 to 32000");
    EXPECT_EQ(w().find("lblBias", 0), nullptr);
}

}  // namespace
}  // namespace dunax
