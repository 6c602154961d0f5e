// The AC current input window against the simulated unit: what it sends, what it shows, the data
// check and how it deals with silence.
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
#include "modules/analog_in/frm_gf4a.h"
#include "modules/register.h"
#include "platform/color.h"
#include "sim/profile_gf4a.h"
#include "support/layout_check.h"
#include "support/unit_fixture.h"

namespace dunax {
namespace {

using core::g;
using modules::frmGF4A;
using modules::GF4AWindow;
using Cmds = std::vector<std::string>;

// The commands of one channel's upload: the six parameters, the drop out and the range.
void uploadChannel(Cmds& c, int ch) {
    const std::string grp = "G" + std::to_string(ch);
    c.push_back(grp);
    for (const char* i : {"I20", "I21", "I22", "I23", "I24", "I25"}) c.push_back(i);
    c.insert(c.end(), {grp, "I12", grp, "I09"});
}

class GF4ATest : public testing::UnitFixture {
  protected:
    // Connects to a simulated unit and leaves the globals as its identification would.
    void start(const sim::GF4AUnit& u) {
        useProfile(sim::makeGF4AUnit(u));
        connectAs(u.modelName, u.channels, u.extModule, 8, "PG8");
    }

    void TearDown() override {
        frmGF4A.reset();
        UnitFixture::TearDown();
    }

    GF4AWindow& w() { return frmGF4A(); }
};

TEST_F(GF4ATest, UploadReadsModuleTimerThenChannelsInOrderAndShowsThem) {
    start({"J6U-GF4E", 4, " 1.06", "DO", {0, 2, 4, 5}});
    unit->profile().find("3", "12")->value = "25";
    w().frmGF4A_Init();

    Cmds want{"G00", "I12", "G00", "I09", "G00", "I14", "G01", "I11"};
    for (int ch = 1; ch <= 4; ++ch) uploadChannel(want, ch);
    EXPECT_EQ(sent(), want);

    EXPECT_EQ(w().lblV_Unit->caption(), "GF4E");
    EXPECT_EQ(w().txtStartup->text(), "50");
    EXPECT_EQ(w().txtDropout(2).text(), "25");
    EXPECT_EQ(w().txtDropout(3).text(), "10");
    EXPECT_EQ(w().txtZBase(3).text(), "0.000");
    EXPECT_EQ(w().txtFBase(1).text(), "200.0");
    EXPECT_EQ(w().txtGain(0).text(), "1.0000");
    const std::vector<int> ranges{0, 2, 4, 5};
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(w().cmbUserRange(k).list(),
                  (Cmds{"0-600A", "0-400A", "0-200A", "0-100A", "0-50A", "0-5A"}));
        EXPECT_EQ(w().cmbUserRange(k).listIndex(), ranges[static_cast<std::size_t>(k)]);
        EXPECT_EQ(w().lblZBase_Unit(k).caption(), "A");
        EXPECT_EQ(w().lblFBase_Unit(k).caption(), "A");
        // Bases shown only; everything else of the channel editable.
        EXPECT_FALSE(w().txtZBase(k).enabled() || w().txtFBase(k).enabled());
        EXPECT_EQ(w().txtFBase(k).backColor(), platform::color::InfoBackground);
        EXPECT_TRUE(w().txtZScale(k).enabled() && w().txtGain(k).enabled());
        EXPECT_TRUE(w().txtDropout(k).enabled() && w().cmbUserRange(k).enabled());
    }
    EXPECT_TRUE(w().txtStartup->enabled());
    EXPECT_TRUE(w().optKeepOff->value() && w().optKeepOff->enabled());
    EXPECT_TRUE(w().Frame2->visible());
    EXPECT_EQ(w().lblV_Ext->caption(), "PG8");
    EXPECT_TRUE(w().frmSet1->visible() && w().cmdSet2->enabled());
    EXPECT_FALSE(loadingUp());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(GF4ATest, UnitLabelsFollowTheModuleRangeCode) {
    struct Case {
        std::string moduleCode;  // item 09 of group 00
        std::string ch1Range;    // item 09 of CH 1
        std::string ch1Label;    // CH 1's base unit
        int ch1Index;
    };
    const std::vector<Case> cases{
        {"3", "2", "A", 2},   {"F", "1", "A", 1},
        {"F", "F", "", -1},    // a channel code beyond the list: no row, no label
        {"3", "F", "A", -1},   // the module's code labels it whatever its own
        {"F", "CNG", "A", 0},  // a refusal as a value reads as code 0
        {"CNG", "0", "A", 0},  // "C": code 12
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.moduleCode + "/" + c.ch1Range);
        start({"J6P-GF4E", 4, " 1.05", "VQ", {3}});
        unit->profile().find("00", "09")->value = c.moduleCode;
        unit->profile().find("2", "09")->value = c.ch1Range;
        w().frmGF4A_Init();
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(w().lblZBase_Unit(1).caption(), c.ch1Label);
        EXPECT_EQ(w().lblFBase_Unit(1).caption(), c.ch1Label);
        EXPECT_EQ(w().cmbUserRange(1).listIndex(), c.ch1Index);
        restart();
    }
}

TEST_F(GF4ATest, DownloadWritesBoxesRangeDropoutThenHoldAndTimer) {
    struct Case {
        std::string model;
        bool hold;
    };
    for (const Case& c : {Case{"J6P-GF4E", true}, Case{"J6XN-GF4E", false}}) {
        SCOPED_TRACE(c.model);
        start({c.model, 4, " 1.05", "VQ", {0}});
        w().frmGF4A_Init();
        EXPECT_EQ(w().Frame2->visible(), c.hold);
        EXPECT_EQ(sentCount("I14"), c.hold ? 1 : 0);
        EXPECT_EQ(sentCount("I11"), 1);    // the timer whatever the network
        w().txtFScale(1).setText("12.7");  // sent as typed, point and all
        w().txtBias(1).setText("-1.50");
        w().cmbUserRange(2).setListIndex(5);
        w().txtDropout(3).setText("45");
        w().txtStartup->setText("600");
        if (c.hold) w().optKeepOn->setValue(true);
        ASSERT_TRUE(w().CheckData());
        EXPECT_EQ(w().txtFScale(1).text(), "12.7");  // the check rewrites nothing
        unit->clearLog();

        w().frmGF4A_Download();

        Cmds want;
        for (int ch = 1; ch <= 4; ++ch) {
            const bool two = ch == 2;
            want.push_back("G" + std::to_string(ch));
            want.insert(want.end(),
                        {"I20", "D0", "I21", two ? "D12.7" : "D10000", "I22",
                         two ? "D-1.50" : "D0.00", "I23", "D1.0000", "I24", "D0.0", "I25", "D600.0",
                         "I09", ch == 3 ? "D5" : "D0", "I12", ch == 4 ? "D45" : "D10"});
        }
        if (c.hold) want.insert(want.end(), {"G00", "I14", "D0"});
        want.insert(want.end(), {"G01", "I11", "D600"});
        EXPECT_EQ(sent(), want);
        EXPECT_EQ(unit->profile().value("2", "21"), "12.7");
        EXPECT_EQ(unit->profile().value("3", "09"), "5");
        EXPECT_EQ(unit->profile().value("1", "11"), "600");
        if (c.hold) {
            EXPECT_EQ(unit->profile().value("00", "14"), "ON");
        }
        EXPECT_FALSE(w().txtDropout(0).enabled() || w().txtStartup->enabled());
        EXPECT_FALSE(w().cmdSet1->enabled() || w().cmdSet2->enabled());
        EXPECT_FALSE(loadingUp());
        EXPECT_TRUE(host.messages.empty());
        restart();
    }
}

TEST_F(GF4ATest, CheckBounds) {
    struct Case {
        std::string box;  // which box gets the text
        std::string text;
        bool ok;
    };
    const std::vector<Case> cases{
        {"zs", "0", true},          {"zs", "60000", true},     {"fs", "32001", true},
        {"zs", "-1", false},        {"fs", "60000.1", false},  {"zs", "12.7", true},
        {"bias", "-320", true},     {"bias", "320.01", false}, {"gain", "3.2", true},
        {"gain", "-3.2001", false}, {"drop", "5", true},       {"drop", "50", true},
        {"drop", "4.9", false},     {"drop", "50.1", false},   {"drop", "", false},
        {"start", "0", true},       {"start", "600", true},    {"start", "600.5", false},
        {"start", "-1", false},     {"start", "", false},      {"start", "1O", false},
        {"bias", "abc", false},     {"zbase", "junk", true},  // the bases are not checked
    };
    start({"J6P-GF4E", 4, " 1.05", "VQ", {0}});
    w().frmGF4A_Init();
    ASSERT_TRUE(w().CheckData());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box + " " + c.text);
        platform::Control& box = c.box == "zs"      ? w().txtZScale(2)
                                 : c.box == "fs"    ? w().txtFScale(2)
                                 : c.box == "bias"  ? w().txtBias(2)
                                 : c.box == "gain"  ? w().txtGain(2)
                                 : c.box == "drop"  ? w().txtDropout(2)
                                 : c.box == "zbase" ? w().txtZBase(2)
                                                    : *w().txtStartup;
        const std::string before = box.text();
        box.setText(c.text);
        EXPECT_EQ(w().CheckData(), c.ok);
        EXPECT_EQ(box.text(), c.text);  // nothing rewritten
        box.setText(before);
    }

    // A range list without a selection passes (it is not written); with no channel only the
    // timer decides.
    w().cmbUserRange(0).setListIndex(-1);
    EXPECT_TRUE(w().CheckData());
    g.ChCount = 0;
    EXPECT_TRUE(w().CheckData());
    w().txtStartup->setText("601");
    EXPECT_FALSE(w().CheckData());
}

// Every upload that cannot read what it needs reports it and disconnects, the progress window
// goes away, and what was read so far stays.
TEST_F(GF4ATest, UploadThatStopsEarlyIsReportedAndDisconnects) {
    struct Case {
        std::string what;
        std::size_t silentFrom;  // G00 I09 G00 I14 G01 I11, then 11 commands per channel
        std::string ch1Gain, ch2Gain;
        bool reachedCh2;  // CH 1 complete, CH 2 begun
    };
    const std::vector<Case> cases{
        {"range code", 2, "", "", false},
        {"hold", 4, "", "", false},
        {"startup timer", 6, "", "", false},
        {"CH 1 bias", 7 + 11 + 3, "", "", false},
        {"CH 2 drop out", 7 + 22 + 8, "1.0000", "1.0000", true},
        {"CH 2 range", 7 + 22 + 10, "1.0000", "1.0000", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        start({"J6P-GF4E", 4, " 1.05", "VQ", {1}});
        unit->faults().silentFrom = c.silentFrom;
        w().frmGF4A_Init();
        EXPECT_EQ(messageTexts(), (Cmds{"Upload Error"}));
        ASSERT_FALSE(host.messages.empty());
        EXPECT_EQ(host.messages[0].title, "Upload");
        EXPECT_EQ(host.messages[0].icon, platform::Icon::Critical);
        EXPECT_EQ(sent().size(), c.silentFrom - 1 + 4);  // four tries, then nothing
        EXPECT_FALSE(g.Connected);
        EXPECT_FALSE(loadingUp());
        EXPECT_EQ(w().txtGain(1).text(), c.ch1Gain);
        EXPECT_EQ(w().txtGain(2).text(), c.ch2Gain);
        EXPECT_EQ(w().cmbUserRange(2).listIndex(), -1);
        if (c.reachedCh2) {
            EXPECT_EQ(w().cmbUserRange(1).listIndex(), 1);
        }
        EXPECT_FALSE(w().txtZScale(0).enabled() || w().txtStartup->enabled());
        EXPECT_FALSE(w().cmdSet2->enabled());
        restart();
    }
}

// Through the main window: identification reaches the window registered for model 8.
TEST_F(GF4ATest, MainWindowConnectUploadsTheWindow) {
    useProfile(sim::makeGF4AUnit({"J6P-GF4E", 4, " 1.05", "VQ", {3}}));
    modules::RegisterModuleWindows();
    ASSERT_EQ(core::ModuleWindowFor(8), &w());
    core::frmDunax().btnConnect_Click();
    EXPECT_TRUE(g.Connected);
    EXPECT_TRUE(w().shown());
    EXPECT_EQ(w().cmbUserRange(3).listIndex(), 3);
    EXPECT_TRUE(core::IsNumeric(w().txtParData(0).text()));
    EXPECT_TRUE(core::frmDunax().btnDownload.enabled());
}

TEST_F(GF4ATest, LayoutKeepsControlsApartInsideAndNamed) {
    start({"J6U-GF4E", 4, " 1.06", "DO", {0}});
    w().frmGF4A_Init();
    testing::expectTidy(w());
    EXPECT_EQ(w().find("txtDropout", 1)->accessibleName(), "CH 1 Drop out");
    EXPECT_EQ(w().find("lblZScale", 3)->caption(), "0 to 60000");
    EXPECT_EQ(w().Frame3->caption(), "Startup timer");
    // The hold and the startup timer stand clear of the drop out column and of each other.
    EXPECT_GE(w().Frame2->left(), w().lblDropoutRange(0).left() + w().lblDropoutRange(0).width());
    EXPECT_GE(w().Frame3->top(), w().Frame2->top() + w().Frame2->height());
}

}  // namespace
}  // namespace dunax
