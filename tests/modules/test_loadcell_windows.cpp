// The two load-cell windows against the simulated unit: the exact command orders of upload,
// download and buttons (channel groups "1" in the transfers, "01" in the buttons), the layout
// by firmware and network, the data check and the failure paths.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/dispatch.h"
#include "core/globals.h"
#include "core/main_window.h"
#include "core/module_window.h"
#include "modules/encoder_loadcell/frm_hlssd2.h"
#include "modules/encoder_loadcell/frm_sd2.h"
#include "modules/register.h"
#include "sim/profile_loadcell.h"
#include "support/layout_check.h"
#include "support/unit_fixture.h"

namespace dunax {
namespace {

using core::g;
using modules::frmHLSSD2;
using modules::frmSD2;
using modules::LoadCellWindow;
using platform::Control;
using Cmds = std::vector<std::string>;

const sim::LoadCellUnit kCcLinkNew{"J6P-SD2", " 1.05", 2, "1", "VQ"};
const sim::LoadCellUnit kFlexNew{"J6YR-SD2", " 1.05", 2, "1", "VQ"};
const sim::LoadCellUnit kModbusOld{"J6S-SD2", " 1.03", 2, "1", "VQ"};
const sim::LoadCellUnit kFlexOld{"J6YR-SD2", "1.01", 2, "1", "VQ"};
const sim::LoadCellUnit kHls{"J6XN-SD2", "1.00", 2, "1", "VQ"};

Cmds sd2Upload(bool hold, bool newFirmware, int channels = 2) {
    Cmds c;
    if (hold) c = {"G00", "I14"};
    for (int ch = 1; ch <= channels; ++ch) {
        const std::string gr = "G" + std::to_string(ch);
        c.insert(c.end(), {gr, "I20", "I21", "I22", "I23", "I28"});
        if (newFirmware) c.insert(c.end(), {gr, "I38", gr, "I09", gr, "I40"});
    }
    return c;
}

Cmds hlsUpload() {
    Cmds c;
    for (const std::string gr : {"G1", "G2"})
        c.insert(c.end(), {gr, "I20", "I21", "I22", "I23", "I28", gr, "I42", gr, "I44"});
    return c;
}

class LoadCellTest : public testing::UnitFixture {
  protected:
    // Connects through the main window (identification, upload, one monitoring pass) and
    // clears the unit's log.
    LoadCellWindow& connect(const sim::LoadCellUnit& u) {
        useProfile(sim::makeLoadCellUnit(u));
        modules::RegisterModuleWindows();
        core::frmDunax().btnConnect_Click();
        EXPECT_TRUE(g.Connected);
        unit->clearLog();
        return window();
    }
    LoadCellWindow& window() {
        if (g.UploadModelNum == 22) return frmHLSSD2();
        return frmSD2();
    }

    void TearDown() override {
        frmSD2.reset();
        frmHLSSD2.reset();
        UnitFixture::TearDown();
    }
};

// The second page and the reads that go with it follow the firmware; the hold frame and its
// read follow the network.
TEST_F(LoadCellTest, UploadAndLayoutByFirmwareAndNetwork) {
    struct Case {
        const char* name;
        sim::LoadCellUnit unit;
        Cmds sent;
        bool pageButtons, secondPage, hold;
    };
    const std::vector<Case> cases{
        {"new firmware, CC-Link", kCcLinkNew, sd2Upload(true, true), true, true, true},
        {"new firmware, FLEX NETWORK", kFlexNew, sd2Upload(false, true), true, true, false},
        {"old firmware, Modbus", kModbusOld, sd2Upload(true, false), true, false, true},
        {"old firmware, FLEX NETWORK", kFlexOld, sd2Upload(false, false), false, false, false},
        {"HLS, firmware 1.00", kHls, hlsUpload(), false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoadCellWindow& w = connect(c.unit);
        w.Init();
        EXPECT_EQ(unit->commands(), c.sent);
        EXPECT_TRUE(host.messages.empty());
        EXPECT_FALSE(loadingUp());
        EXPECT_EQ(w.cmdSet1->visible(), c.pageButtons);
        EXPECT_EQ(w.cmdSet2->visible(), c.pageButtons);
        EXPECT_EQ(w.cmdSet2->enabled(), c.unit.modelName != "J6XN-SD2");
        EXPECT_FALSE(w.cmdSet1->enabled());
        EXPECT_TRUE(w.frmSet1->visible() && !w.frmSet2->visible());
        for (Control* ctl :
             {w.lblAdj, &w.txtAdjscale(1), w.Command[4], w.cmdGainApplyCH1, w.Label5})
            EXPECT_EQ(ctl->visible(), c.secondPage) << ctl->designName();
        if (w.lblMode) {
            EXPECT_EQ(w.lblMode->visible(), c.secondPage);
        }
        if (w.Frame2) {
            EXPECT_EQ(w.Frame2->visible(), c.hold);
        }
        EXPECT_TRUE(w.txtZBase(1).enabled() && w.cmdSpan1->enabled() && w.Command[1]->enabled());
        restart();
    }
}

TEST_F(LoadCellTest, UploadShowsTheUnitsTexts) {
    useProfile(sim::makeLoadCellUnit(kCcLinkNew));
    unit->profile().find("00", "14")->value = "ON";
    unit->profile().find("2", "09")->value = "0";  // CH 1 decides the one label
    modules::RegisterModuleWindows();
    core::frmDunax().btnConnect_Click();
    auto& w = frmSD2();
    const std::vector<std::pair<Control*, std::string>> shown{
        {&w.txtZScale(0), "0"},    {&w.txtFScale(1), "10000"}, {&w.txtBias(0), "0.00"},
        {&w.txtGain(1), "1.0000"}, {&w.txtZBase(0), "100.00"}, {&w.txtAdjscale(1), "0"},
        {&w.txtAdjGain(0), "0"},
    };
    for (const auto& [box, text] : shown) EXPECT_EQ(box->text(), text) << box->designName();
    EXPECT_EQ(w.lblV_Unit->caption(), "SD2");
    EXPECT_EQ(w.lblMode->caption(), "Mode : Moving average filter Mode");
    EXPECT_TRUE(w.optKeepOn->value() && !w.optKeepOff->value());
    EXPECT_EQ(g.ChItem[2].Value5, "100.00");
    EXPECT_EQ(g.ChItem[2].Item5, "28");
    EXPECT_FALSE(w.txtParData(0).text().empty());  // the main window's monitoring pass
}

// An empty reply ends the upload with "Upload Error"; what was read stays, nothing after is
// sent and the window is left disabled.
TEST_F(LoadCellTest, UploadThatStopsIsReportedAndDisconnects) {
    struct Case {
        const char* name;
        sim::LoadCellUnit unit;
        Cmds sent;
        std::size_t silentAt;            // 1-based position in sent of the first unanswered command
        std::string ch0Value, ch1Value;  // txtZScale(0), txtZScale(1) afterwards
    };
    const Cmds sd2 = sd2Upload(true, true);
    const Cmds hls = hlsUpload();
    const std::vector<Case> cases{
        {"hold read", kCcLinkNew, sd2, 2, "old", "old"},
        {"CH 1 gain", kCcLinkNew, sd2, 19, "0", "old"},  // a channel shows all five or none
        {"CH 1 gain adjustment", kCcLinkNew, sd2, 26, "0", "0"},
        {"HLS CH 1 item 44", kHls, hls, 20, "0", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoadCellWindow& w = connect(c.unit);
        w.txtZScale(0).setText("old");
        w.txtZScale(1).setText("old");
        unit->faults().silentFrom = c.silentAt;
        w.Init();
        expectUploadError();
        const Cmds sent = unit->commands();
        ASSERT_GE(sent.size(), c.silentAt);
        EXPECT_TRUE(std::equal(sent.begin(), sent.begin() + static_cast<long>(c.silentAt) - 1,
                               c.sent.begin()));
        EXPECT_EQ(w.txtZScale(0).text(), c.ch0Value);
        EXPECT_EQ(w.txtZScale(1).text(), c.ch1Value);
        EXPECT_FALSE(w.txtZScale(0).enabled() || w.cmdZero0->enabled() || w.cmdSet2->enabled());
        EXPECT_FALSE(loadingUp());
        restart();
    }
}

TEST_F(LoadCellTest, DownloadWritesTheBoxesAsCheckedAndTheHold) {
    struct Case {
        sim::LoadCellUnit unit;
        Cmds tail;  // after both channels
    };
    const std::vector<Case> cases{
        {kCcLinkNew, {"G00", "I14", "D0"}},
        {kFlexNew, {}},
        {kHls, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit.modelName);
        LoadCellWindow& w = connect(c.unit);
        w.txtFScale(0).setText("12.5");
        w.txtZScale(1).setText("-13.5");
        w.txtBias(1).setText("1.50");
        if (w.optKeepOn) w.optKeepOn->setValue(true);
        ASSERT_TRUE(w.CheckData());
        w.Download();
        Cmds want{"G1",      "I20",   "D0",      "I21",     "D12", "I22",    "D0.00", "I23",
                  "D1.0000", "I28",   "D100.00", "G2",      "I20", "D-14",   "I21",   "D10000",
                  "I22",     "D1.50", "I23",     "D1.0000", "I28", "D100.00"};
        want.insert(want.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(unit->commands(), want);
        EXPECT_EQ(unit->profile().find("1", "21")->live(0), "12");
        EXPECT_FALSE(w.txtZScale(0).enabled() || w.txtAdjGain(0).enabled() || w.cmdSet2->enabled());
        EXPECT_FALSE(loadingUp());
        restart();
    }
}

// A download after the records were left by another model's upload still writes this
// window's own items.
TEST_F(LoadCellTest, DownloadUsesItsOwnItemNumbers) {
    LoadCellWindow& w = connect(kFlexNew);
    for (int ch = 1; ch <= 2; ++ch) g.ChItem[static_cast<std::size_t>(ch)].Item1 = "13";
    w.Download();
    const Cmds sent = unit->commands();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "I13"), 0);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "I20"), 2);
}

TEST_F(LoadCellTest, DataCheck) {
    struct Case {
        const char* box;
        std::string text;
        bool valid;
        std::string after;  // the box's text afterwards
    };
    const std::vector<Case> cases{
        {"txtZScale", "32000", true, "32000"},
        {"txtZScale", "32000.5", false, "32000.5"},
        {"txtZScale", "-32000", true, "-32000"},
        {"txtFScale", "12.5", true, "12"},
        {"txtFScale", "13.5", true, "14"},
        {"txtZBase", "10", true, "10"},
        {"txtZBase", "100", true, "100"},
        {"txtZBase", "9.99", false, "9.99"},
        {"txtZBase", "100.01", false, "100.01"},
        {"txtBias", "-320", true, "-320"},
        {"txtBias", "320.01", false, "320.01"},
        {"txtGain", "3.2", true, "3.2"},
        {"txtGain", "3.21", false, "3.21"},
        {"txtBias", "1e2", true, "1e2"},
        // Not numeric: nothing is rewritten, CH 0 included.
        {"txtGain", "", false, ""},
        {"txtZScale", "abc", false, "abc"},
    };
    LoadCellWindow& w = connect(kCcLinkNew);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.box) + " = '" + c.text + "'");
        for (int k = 0; k < 2; ++k) {
            w.txtZScale(k).setText("0");
            w.txtFScale(k).setText("10000");
            w.txtBias(k).setText("0");
            w.txtGain(k).setText("1");
            w.txtZBase(k).setText("50");
        }
        w.txtFScale(0).setText("7.5");  // CH 0 passes and is rewritten before CH 1 is tested
        Control& box = *w.find(c.box, 1);
        box.setText(c.text);
        EXPECT_EQ(w.CheckData(), c.valid);
        EXPECT_EQ(box.text(), c.after);
        EXPECT_EQ(w.txtFScale(0).text(), c.text.empty() || c.text == "abc" ? "7.5" : "8");
    }
    EXPECT_EQ(g.DataErrorNo, 0);
    g.ChCount = 0;
    EXPECT_FALSE(w.CheckData());
    EXPECT_TRUE(unit->commands().empty());
}

TEST_F(LoadCellTest, OneChannelUnit) {
    LoadCellWindow& w = connect({"J6P-SD2", " 1.05", 1, "1", "VQ"});
    w.txtZScale(1).setText("x");  // CH 1 is not tested
    EXPECT_TRUE(w.CheckData());
    w.txtZScale(1).setEnabled(false);
    w.txtAdjscale(1).setEnabled(false);
    w.Init();
    EXPECT_EQ(unit->commands(), sd2Upload(true, true, 1));
    EXPECT_TRUE(w.txtZScale(0).enabled() && w.txtAdjscale(0).enabled());
    EXPECT_FALSE(w.txtZScale(1).enabled() || w.txtAdjscale(1).enabled());
    EXPECT_TRUE(w.txtAdjscale(1).visible());
    unit->clearLog();
    w.ReadingData();
    EXPECT_EQ(unit->commands(), (Cmds{"G00", "I21", "G00", "I22"}));
}

TEST_F(LoadCellTest, MonitoringPass) {
    LoadCellWindow& w = connect({"J6P-SD2", " 1.05", 2, "1", "DI"});
    unit->faults().replies["I21"] = "0WEIGHT0:123.4";
    unit->faults().replies["I22"] = "CNG";
    w.txtParData(1).setText("keep");
    unit->profile().find("00", "12")->live = [](std::int64_t) { return std::string("x0001"); };
    w.ReadingData();
    EXPECT_EQ(unit->commands(), (Cmds{"G00", "I21", "G00", "I22", "G00", "I12"}));
    EXPECT_EQ(w.txtParData(0).text(), "1234");
    EXPECT_EQ(w.txtParData(1).text(), "keep");
    EXPECT_EQ(w.txtChData(0).backColor(), 0xFF00u);
    EXPECT_EQ(w.txtChData(1).backColor(), 0xFFu);
}

// Every button: the prologue and the action in the channel's two-digit group, what comes back
// into which box.
TEST_F(LoadCellTest, ButtonsSendTheirSequenceAndShowTheEcho) {
    struct Case {
        const char* button;
        Cmds sent;
        const char* box;  // nullptr: none
        int index;
        std::string shown;
    };
    const std::vector<Case> cases{
        {"Command1",
         {"G02", "I01", "DF", "G02", "I33", "D0", "G00", "I22"},
         "txtParData2",
         1,
         "55.5"},
        {"cmdAutoZero0",
         {"G01", "I01", "DF", "G01", "I32", "D", "G00", "I21"},
         "txtParData2",
         0,
         "55.5"},
        {"cmdZero1",
         {"G02", "I01", "DF", "G02", "I30", "D", "G00", "I22"},
         "txtParData2",
         1,
         "55.5"},
        {"cmdSpan0",
         {"G01", "I01", "DF", "G01", "I31", "D", "G00", "I21"},
         "txtParData2",
         0,
         "55.5"},
        {"Command4", {"G01", "I01", "DF", "I42", "D250"}, "txtAdjscale", 0, "250"},
        {"Command3", {"G02", "I01", "DF", "I42", "D250"}, "txtAdjscale", 1, "250"},
        {"Command6", {"G01", "I01", "DF", "G01", "I43", "D1"}, nullptr, 0, ""},
        {"cmdGainUPCH1", {"G02", "I01", "DF", "I40", "DU"}, "txtAdjGain", 1, "1"},
        {"cmdGainDOWNCH0", {"G01", "I01", "DF", "I40", "DD"}, "txtAdjGain", 0, "-1"},
        {"cmdGainApplyCH0", {"G01", "I01", "DF", "I40", "D7"}, "txtAdjGain", 0, "7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        LoadCellWindow& w = connect(kCcLinkNew);
        unit->faults().replies["I21"] = "0WEIGHT0:55.5";
        unit->faults().replies["I22"] = "0WEIGHT1:55.5";
        for (int k = 0; k < 2; ++k) {
            w.txtAdjscale(k).setText("250");
            w.txtAdjGain(k).setText("7");
        }
        platform::userClick(*w.find(c.button));
        EXPECT_EQ(unit->commands(), c.sent);
        if (c.box) {
            EXPECT_EQ(w.find(c.box, c.index)->text(), c.shown);
        }
        EXPECT_TRUE(w.cmdGainUPCH0->enabled() && w.txtAdjGain(1).enabled());
        EXPECT_TRUE(host.messages.empty());
        restart();
    }
}

TEST_F(LoadCellTest, AutoScaleSetsTheFullScaleAndRefreshesTheValues) {
    LoadCellWindow& w = connect(kCcLinkNew);
    host.advance(25000);  // the hopper is well filled
    w.txtAdjscale(1).setText("5000");
    w.txtParData(1).setText("");
    platform::userClick(*w.cmdApplyCH1);
    const Cmds sent = unit->commands();
    EXPECT_EQ(sent, (Cmds{"G02", "I01", "DF", "I38", "D5000", "I39", "D", "I21", "G00", "I21",
                          "G00", "I22"}));
    const std::string fs = w.txtFScale(1).text();
    EXPECT_NE(fs, "10000");
    EXPECT_EQ(fs, unit->profile().find("2", "21")->live(0));
    // The present load now reads the monitor output value.
    EXPECT_NEAR(std::stod(w.txtParData(1).text()) / 10.0, 5000.0, 60.0);
    EXPECT_EQ(w.txtAdjscale(1).text(), "5000");
}

TEST_F(LoadCellTest, ButtonFailurePaths) {
    // Silent at the prologue: nothing else is sent, the box keeps its text.
    {
        LoadCellWindow& w = connect(kCcLinkNew);
        w.txtParData2(0).setText("before");
        unit->faults().silent = true;
        platform::userClick(*w.cmdAutoZero0);
        EXPECT_EQ(unit->commands(), Cmds(4, "G01"));
        EXPECT_EQ(w.txtParData2(0).text(), "before");
        restart();
    }
    // A refused Zero: four attempts from the group command on, no read-back.
    {
        LoadCellWindow& w = connect(kCcLinkNew);
        unit->profile().refuse("1", "30");
        w.txtParData2(0).setText("before");
        platform::userClick(*w.cmdZero0);
        Cmds want{"G01", "I01", "DF"};
        for (int i = 0; i < 4; ++i) want.insert(want.end(), {"G01", "I30"});
        EXPECT_EQ(unit->commands(), want);
        EXPECT_EQ(w.txtParData2(0).text(), "before");
        restart();
    }
    // UP without an answer: the box unchanged, the second page enabled again.
    {
        LoadCellWindow& w = connect(kCcLinkNew);
        w.txtAdjGain(0).setText("3");
        emptyReplyTo("DU");
        platform::userClick(*w.cmdGainUPCH0);
        EXPECT_EQ(w.txtAdjGain(0).text(), "3");
        EXPECT_TRUE(w.txtAdjGain(0).enabled() && w.cmdGainUPCH0->enabled());
        restart();
    }
    // A value that is not a number is never sent, and each button says so.
    for (const std::string text : {"", "abc", "1,5"}) {
        SCOPED_TRACE("'" + text + "'");
        LoadCellWindow& w = connect(kCcLinkNew);
        w.txtAdjscale(0).setText(text);
        w.txtAdjGain(0).setText(text);
        for (Control* b : {w.Command[4], w.cmdApplyCH0, w.cmdGainApplyCH0}) {
            SCOPED_TRACE(b->caption());
            host.messages.clear();
            platform::userClick(*b);
            expectOnlyMessage("Please enter number.", "", platform::Icon::Information);
        }
        EXPECT_TRUE(unit->commands().empty());
        restart();
    }
}

// The calibration actions act on the simulated cells: Zero brings the platform to about 0, a
// full hopper refuses Auto Zero.
TEST_F(LoadCellTest, CalibrationActsOnTheUnit) {
    LoadCellWindow& w = connect(kCcLinkNew);
    platform::userClick(*w.cmdZero0);
    EXPECT_NEAR(std::stod(w.txtParData2(0).text()), 0.0, 100.0);  // 1.5 kg ripple of 1000 kg
    host.advance(25000);                                          // the hopper is well filled
    w.txtParData2(1).setText("before");
    platform::userClick(*w.cmdAutoZero1);
    EXPECT_EQ(w.txtParData2(1).text(), "before");
    const std::string a = w.txtParData(0).text();
    w.ReadingData();
    host.advance(3000);
    w.ReadingData();
    EXPECT_NE(w.txtParData(0).text(), a);  // the weights move
}

TEST_F(LoadCellTest, MonitoringThroughTheMainWindow) {
    LoadCellWindow& w = connect(kCcLinkNew);
    bool checked = false;
    host.at(host.now() + 2000, [&] {
        checked = true;
        EXPECT_TRUE(g.Monitoring);
        EXPECT_FALSE(w.txtZScale(0).enabled() || w.cmdSpan0->enabled() || w.optKeepOn->enabled());
        EXPECT_FALSE(w.txtAdjscale(0).enabled() || w.cmdApplyCH1->enabled());
        EXPECT_TRUE(w.cmdSet2->enabled());  // pages can still be switched
        platform::userClick(core::frmDunax().btnStop);
    });
    w.txtParData2(0).setText("x");
    core::frmDunax().btnStart_Click();
    EXPECT_TRUE(checked);
    EXPECT_TRUE(w.txtZScale(0).enabled() && w.cmdGainDOWNCH1->enabled());
    EXPECT_EQ(w.txtParData2(0).text(), "");
}

TEST_F(LoadCellTest, HlsWindowKeepsToItsFirstPage) {
    LoadCellWindow& w = connect(kHls);
    ASSERT_EQ(core::ModuleWindowFor(22), &w);
    EXPECT_EQ(w.name(), "frmHLSSD2");
    EXPECT_EQ(w.lblMode, nullptr);
    EXPECT_EQ(w.Frame2, nullptr);
    EXPECT_EQ(w.cmdApplyCH0, nullptr);
    w.txt_visible2(true);  // as a file opening does
    EXPECT_TRUE(w.txtAdjGain(0).visible());
    EXPECT_FALSE(w.frmSet2->visible() || w.cmdSet1->visible() || w.cmdSet2->visible());
    EXPECT_FALSE(w.txtAdjGain(0).enabled());
    // Calibration as on the other window.
    platform::userClick(*w.Command[2]);
    const Cmds sent = unit->commands();
    ASSERT_GE(sent.size(), 6u);
    EXPECT_EQ(Cmds(sent.begin(), sent.begin() + 6), (Cmds{"G01", "I01", "DF", "G01", "I33", "D0"}));
}

TEST_F(LoadCellTest, LayoutIsTidy) {
    testing::expectTidy(frmSD2());
    testing::expectTidy(frmHLSSD2());
    EXPECT_FALSE(frmSD2().cmdZero0->enabled());
    EXPECT_FALSE(frmSD2().lblMode->visible() || frmSD2().txtAdjGain(0).visible());
    EXPECT_TRUE(frmSD2().cmdSet2->enabled() && !frmSD2().cmdSet1->enabled());
    EXPECT_FALSE(frmHLSSD2().cmdSet2->visible() || frmHLSSD2().cmdSet2->enabled());
}

}  // namespace
}  // namespace dunax
