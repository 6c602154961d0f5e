// The bias and gain windows (eight-channel voltage KWH8, four-channel voltage LQ4L, four-channel
// current WZ4L) against the simulated unit: what they send, what they show, their check,
// monitoring and how they deal with a silent unit.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "core/connection.h"
#include "core/dispatch.h"
#include "core/download_record.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/main_window.h"
#include "core/module_window.h"
#include "core/text.h"
#include "modules/register.h"
#include "modules/scaled_analog/frm_kw8.h"
#include "modules/scaled_analog/frm_lq4a.h"
#include "modules/scaled_analog/frm_wz4l.h"
#include "platform/color.h"
#include "sim/profile_bias_gain.h"
#include "support/layout_check.h"
#include "support/unit_fixture.h"

namespace dunax {
namespace {

using core::g;
using modules::BiasGainWindow;
using Cmds = std::vector<std::string>;
using testing::countOf;

// The six values the simulated unit holds for channel k at range 5 (1 to 5 V) or, on the
// current model, 4 to 20 mA.
Cmds typical(int k, bool current) {
    static const char* const kFull[] = {"10000", "4000", "10000", "20000"};
    static const char* const kBias[] = {"0.00", "-0.25", "0.00", "1.50"};
    static const char* const kGain[] = {"1.0000", "0.9985", "1.0000", "1.0020"};
    const auto i = static_cast<std::size_t>(k % 4);
    return {"0",
            kFull[i],
            kBias[i],
            kGain[i],
            current ? "4.000" : "1.000",
            current ? "20.000" : "5.000"};
}

// One of the three windows with a unit for it.
struct Model {
    std::string name;  // model name of the unit
    int modelNum;
    int channels;
    bool ranges;     // range list and channel range items
    bool extension;  // extension display
    std::function<BiasGainWindow&()> window;
};

const std::vector<Model>& models() {
    static const std::vector<Model> all{
        {"J6P-KWH8", 18, 8, true, false, []() -> BiasGainWindow& { return modules::frmKW8(); }},
        {"J6S-LQ4L", 19, 4, true, true, []() -> BiasGainWindow& { return modules::frmLQ4A(); }},
        {"J6U-WZ4L", 26, 4, false, true, []() -> BiasGainWindow& { return modules::frmWZ4L(); }},
    };
    return all;
}

class BiasGainTest : public testing::UnitFixture {
  protected:
    // Connects to a simulated unit and leaves the globals as its identification would.
    void start(const Model& m, std::vector<int> ranges = {0}, const std::string& ext = "VQ",
               int channels = -1) {
        if (channels < 0) channels = m.channels;
        useProfile(sim::makeBiasGainUnit({m.name, channels, " 1.05", ext, std::move(ranges)}));
        connectAs(m.name, channels, ext, 8, "PG8");
        ASSERT_EQ(g.ModelNum, m.modelNum);
    }

    void TearDown() override {
        modules::frmKW8.reset();
        modules::frmLQ4A.reset();
        modules::frmWZ4L.reset();
        UnitFixture::TearDown();
    }
};

TEST_F(BiasGainTest, UploadReadsInOrderAndShowsValuesRangesAndLabels) {
    for (const Model& m : models()) {
        SCOPED_TRACE(m.name);
        start(m, {0, 1, 3, 4, 5, 0, 3, 5}, m.extension ? "DI" : "VQ");
        BiasGainWindow& w = m.window();
        w.Init();

        Cmds want;
        if (m.extension) want.insert(want.end(), {"G00", "I12"});
        want.insert(want.end(), {"G00", "I09"});
        for (int ch = 1; ch <= m.channels; ++ch) {
            want.push_back("G" + std::to_string(ch));
            for (const char* i : {"I20", "I21", "I22", "I23", "I24", "I25"}) want.push_back(i);
            if (m.ranges) want.push_back("I09");
        }
        EXPECT_EQ(unit->commands(), want);
        EXPECT_EQ(w.lblV_Unit->caption(), core::AfterHyphen(m.name));
        EXPECT_TRUE(host.messages.empty());
        EXPECT_FALSE(loadingUp());

        const std::vector<int> ranges{0, 1, 3, 4, 5, 0, 3, 5};
        for (int k = 0; k < m.channels; ++k) {
            SCOPED_TRACE(k);
            for (int p = 1; p <= 4; ++p) {
                EXPECT_EQ(w.param(p)(k).text(), typical(k, false)[static_cast<std::size_t>(p - 1)]);
            }
            // Bias and gain editable; the scales and bases shown on the info background.
            EXPECT_TRUE(w.txtBias(k).enabled() && w.txtGain(k).enabled());
            for (auto* shown : {&w.txtZScale, &w.txtFScale, &w.txtZBase, &w.txtFBase}) {
                EXPECT_FALSE((*shown)(k).enabled());
                EXPECT_EQ((*shown)(k).backColor(), platform::color::InfoBackground);
            }
            const int range = ranges[static_cast<std::size_t>(k)];
            if (m.ranges) {
                EXPECT_EQ(w.cmbUserRange(k).listIndex(), range);
                EXPECT_TRUE(w.cmbUserRange(k).enabled());
                EXPECT_EQ(w.txtFBase(k).text(), range == 0 || range == 3 ? "10.000" : "5.000");
            }
            // Mixed ranges: the unit reports code F and each channel is labelled by its own.
            EXPECT_EQ(w.lblZBase_Unit(k).caption(), m.ranges ? "V" : "mA");
            EXPECT_EQ(w.lblFBase_Unit(k).caption(), m.ranges ? "V" : "mA");
        }
        EXPECT_EQ(w.lblV_Ext != nullptr && w.lblV_Ext->visible(), m.extension);
        EXPECT_EQ(w.Frame2, nullptr);  // no Output Hold/Clear
        restart();
    }
}

TEST_F(BiasGainTest, RangeListsAndPages) {
    const Model& kw8 = models()[0];
    start(kw8);
    auto& w = modules::frmKW8();
    w.frmKW8_Init();
    EXPECT_EQ(w.cmbUserRange(7).list(), (Cmds{"-10V to 10V", "-5V to 5V", "-------------",
                                              "0V to 10V", "0V to 5V", "1V to 5V"}));
    EXPECT_EQ(modules::frmLQ4A().cmbUserRange(0).list()[2], "-----------");
    // CH 0..3 on page 1, CH 4..7 on page 2, each page with the heading above its lists.
    EXPECT_EQ(w.cmdSet1->caption(), "CH 0 to CH 3");
    EXPECT_EQ(w.cmdSet2->caption(), "CH 4 to CH 7");
    EXPECT_EQ(w.txtBias(3).container(), w.frmSet1);
    EXPECT_EQ(w.txtBias(4).container(), w.frmSet2);
    const std::string heading = "Range ( Corvane setting. SW1-3:ON  SW1-4:ON  SW1-5:ON  SW1-6:ON )";
    EXPECT_EQ(w.find("Label12")->caption(), heading);
    EXPECT_EQ(w.find("Label12_2")->caption(), heading);
    EXPECT_TRUE(!w.cmdSet1->enabled() && w.cmdSet2->enabled());
    platform::userClick(*w.cmdSet2);
    EXPECT_TRUE(w.cmdSet1->enabled() && !w.cmdSet2->enabled() && w.frmSet2->visible());
    EXPECT_EQ(modules::frmLQ4A().cmdSet1, nullptr);
    EXPECT_EQ(modules::frmWZ4L().cmbUserRange.indices().size(), 0u);
}

TEST_F(BiasGainTest, UnitLabelsFollowTheModuleRangeCode) {
    struct Case {
        std::size_t model;
        std::string moduleCode;  // value of item 09 of group 00
        std::string label;       // of every channel
    };
    const std::vector<Case> cases{
        {0, "3", "V"}, {0, "9", "mA"}, {0, "B", "mA"}, {0, "CNG", "V"},  // CNG reads as 12
        {1, "9", "V"}, {1, "E", "V"},  {2, "0", "mA"}, {2, "F", "mA"},
    };
    for (const Case& c : cases) {
        const Model& m = models()[c.model];
        SCOPED_TRACE(m.name + " " + c.moduleCode);
        start(m, {3});
        unit->profile().find("00", "09")->value = c.moduleCode;
        if (c.moduleCode == "CNG") unit->profile().refuse("00", "09");
        m.window().Init();
        for (int k = 0; k < m.channels; ++k) {
            EXPECT_EQ(m.window().lblZBase_Unit(k).caption(), c.label);
            EXPECT_EQ(m.window().lblFBase_Unit(k).caption(), c.label);
        }
        EXPECT_TRUE(host.messages.empty());
        restart();
    }
}

TEST_F(BiasGainTest, DownloadWritesWhatEachModelTakes) {
    for (const Model& m : models()) {
        SCOPED_TRACE(m.name);
        start(m, {5});
        BiasGainWindow& w = m.window();
        w.Init();
        w.txtBias(0).setText("-12.5");
        w.txtGain(0).setText("0.95");
        // Shown values as an opened configuration file may have left them.
        w.txtZScale(0).setText("100");
        w.txtFBase(0).setText("4.500");
        if (m.ranges) w.cmbUserRange(0).setListIndex(3);
        unit->clearLog();

        w.Download();

        Cmds want;
        for (int ch = 1; ch <= m.channels; ++ch) {
            Cmds box = typical(ch - 1, !m.ranges);
            if (ch == 1) box = {"100", box[1], "-12.5", "0.95", box[4], "4.500"};
            // The eight-channel model takes only bias and gain; the others all six.
            const int first = m.modelNum == 18 ? 2 : 0, last = m.modelNum == 18 ? 4 : 6;
            want.push_back("G" + std::to_string(ch));
            for (int p = first; p < last; ++p) {
                want.push_back("I" + std::to_string(20 + p));
                want.push_back("D" + box[static_cast<std::size_t>(p)]);
            }
            if (m.ranges) want.insert(want.end(), {"I09", ch == 1 ? "D3" : "D5"});
        }
        EXPECT_EQ(unit->commands(), want);
        EXPECT_EQ(unit->profile().value("1", "22"), "-12.5");
        EXPECT_EQ(unit->profile().value("1", "20"), m.modelNum == 18 ? "0" : "100");
        EXPECT_FALSE(w.txtBias(0).enabled());
        if (w.cmdSet1) {
            EXPECT_FALSE(w.cmdSet1->enabled() || w.cmdSet2->enabled());
        }
        EXPECT_FALSE(loadingUp());
        EXPECT_TRUE(host.messages.empty());
        restart();
    }
}

// The dashes row is sent as it stands (the unit refuses it); a list without a selection holds
// no code and is neither sent nor passed by the check.
TEST_F(BiasGainTest, DashesRowIsSentAndNoSelectionIsNot) {
    const Model& lq = models()[1];
    start(lq, {3});
    auto& w = modules::frmLQ4A();
    w.frmLQ4A_Init();
    w.cmbUserRange(1).setListIndex(2);
    EXPECT_TRUE(w.CheckData());
    // A list without a selection passes the check: it is not written, the unit keeps its code.
    w.cmbUserRange(2).setListIndex(-1);
    EXPECT_TRUE(w.CheckData());
    unit->clearLog();
    w.frmLQ4A_Download();
    const Cmds sent = unit->commands();
    EXPECT_EQ(countOf(sent, "D2"), 4);  // refused ("CNG"), so tried four times
    EXPECT_EQ(core::DownloadRefusals(), std::vector<std::string>{"CH 1 Range"});
    EXPECT_EQ(countOf(sent, "D-1"), 0);
    const auto g3 = std::find(sent.begin(), sent.end(), "G3");
    const auto g4 = std::find(sent.begin(), sent.end(), "G4");
    ASSERT_LT(g3, g4);
    EXPECT_EQ(std::count(g3, g4, "I09"), 0);           // CH 2 has no range to send
    EXPECT_EQ(unit->profile().value("2", "09"), "3");  // refused
    EXPECT_EQ(unit->profile().value("3", "09"), "3");  // untouched
}

TEST_F(BiasGainTest, CheckTestsOnlyBiasAndGainAndRewritesNothing) {
    struct Case {
        std::string bias, gain;
        bool ok;
    };
    const std::vector<Case> cases{
        {"320", "3.2", true},     {"-320", "-3.2", true},  {"-320.0", " 1e0 ", true},
        {"320.01", "1", false},   {"-320.01", "1", false}, {"0", "3.2001", false},
        {"0", "-3.2001", false},  {"", "1", false},        {"0", "abc", false},
        {"NEEDLESS", "1", false}, {"0", "1e999", false},   {"0,5", "1", false},
    };
    for (const Model& m : models()) {
        SCOPED_TRACE(m.name);
        start(m);
        BiasGainWindow& w = m.window();
        w.Init();
        // Scales and bases are no part of the check and are never rewritten.
        w.txtZScale(0).setText("12.7");
        w.txtFScale(0).setText("99999");
        w.txtZBase(0).setText("CNG");
        const int last = m.channels - 1;
        for (const Case& c : cases) {
            SCOPED_TRACE(c.bias + " / " + c.gain);
            w.txtBias(last).setText(c.bias);
            w.txtGain(last).setText(c.gain);
            EXPECT_EQ(w.CheckData(), c.ok);
        }
        EXPECT_EQ(w.txtZScale(0).text(), "12.7");
        EXPECT_EQ(w.txtFScale(0).text(), "99999");

        // Only the channels in use count; none in use fails.
        w.txtBias(last).setText("999");
        g.ChCount = last;
        EXPECT_TRUE(w.CheckData());
        g.ChCount = 0;
        EXPECT_FALSE(w.CheckData());
        restart();
    }
}

// A unit that stops answering: the upload stops there, says so and disconnects; the channel
// being read keeps its old texts and the window is not left editable.
TEST_F(BiasGainTest, UploadThatStopsEarlyIsReportedAndDisconnects) {
    struct Case {
        std::size_t model;
        std::string what;
        std::size_t silentFrom;  // G00 I09, then 7 (8 with a range) per channel
        int filled;              // channels read before the stop
    };
    const std::vector<Case> cases{
        {0, "range code", 2, 0}, {2, "range code", 2, 0},      {0, "CH 0 range", 10, 1},
        {1, "CH 1 bias", 14, 1}, {2, "CH 2 zero base", 22, 2},
    };
    for (const Case& c : cases) {
        const Model& m = models()[c.model];
        SCOPED_TRACE(m.name + " " + c.what);
        start(m);
        BiasGainWindow& w = m.window();
        for (int k = 0; k < m.channels; ++k) w.txtBias(k).setText("old");
        unit->faults().silentFrom = c.silentFrom;
        w.Init();
        EXPECT_EQ(messageTexts(), Cmds{"Upload Error"});
        EXPECT_FALSE(g.Connected);
        EXPECT_FALSE(loadingUp());
        EXPECT_EQ(unit->commands().size(), c.silentFrom - 1 + 4);  // tried four times
        for (int k = 0; k < m.channels; ++k) {
            EXPECT_EQ(w.txtBias(k).text(), k < c.filled ? typical(k, false)[2] : "old") << k;
            EXPECT_FALSE(w.txtBias(k).enabled());
        }
        if (w.cmdSet2) {
            EXPECT_FALSE(w.cmdSet2->enabled());
        }
        restart();
    }
}

TEST_F(BiasGainTest, MonitoringReadsOneValuePerChannelInUseAndNoExtension) {
    for (const Model& m : models()) {
        SCOPED_TRACE(m.name);
        start(m, {0}, m.extension ? "DO" : "VQ", 2);
        BiasGainWindow& w = m.window();
        w.Init();
        unit->faults().replies["I22"] = "0CH1:-1.25";
        w.txtParData(1).setText("old");
        unit->clearLog();
        w.ReadingData();
        EXPECT_EQ(unit->commands(), (Cmds{"G00", "I21", "G00", "I22"}));
        EXPECT_EQ(w.txtParData(1).text(), "-125");
        EXPECT_TRUE(core::IsNumeric(w.txtParData(0).text()));

        unit->faults().replies["I21"] = "0CH0:NEEDLESS";
        unit->faults().replies["I22"] = "";
        const std::string before = w.txtParData(0).text();
        w.ReadingData();
        EXPECT_EQ(w.txtParData(0).text(), before);
        EXPECT_EQ(w.txtParData(1).text(), "-125");

        g.ChCount = 0;
        unit->clearLog();
        w.ReadingData();
        EXPECT_TRUE(unit->commands().empty());
        EXPECT_TRUE(host.messages.empty());
        restart();
    }
    // Eight channels in use: items 21 to 28, never more than the window holds.
    start(models()[0], {0}, "VQ", 16);
    modules::frmKW8().ReadingData();
    const Cmds sent = unit->commands();
    EXPECT_EQ(sent.size(), 16u);
    EXPECT_EQ(sent.back(), "I28");
}

TEST_F(BiasGainTest, EditsFollowTheFlagTheShownValuesNever) {
    for (const Model& m : models()) {
        SCOPED_TRACE(m.name);
        start(m, {0}, "VQ", 16);  // more channels than the window holds
        BiasGainWindow& w = m.window();
        w.Init();
        EXPECT_TRUE(host.messages.empty());
        for (bool flag : {false, true}) {
            w.txt_able(flag);
            for (int k = 0; k < m.channels; ++k) {
                EXPECT_EQ(w.txtBias(k).enabled(), flag);
                EXPECT_EQ(w.txtGain(k).enabled(), flag);
                if (m.ranges) {
                    EXPECT_EQ(w.cmbUserRange(k).enabled(), flag);
                }
                EXPECT_FALSE(w.txtZScale(k).enabled() || w.txtFScale(k).enabled() ||
                             w.txtZBase(k).enabled() || w.txtFBase(k).enabled());
            }
        }
        restart();
    }
}

// Through the main window: identification reaches each model's window and shows it.
TEST_F(BiasGainTest, ServedThroughTheMainWindow) {
    for (const Model& m : models()) {
        SCOPED_TRACE(m.name);
        useProfile(sim::makeBiasGainUnit({m.name, m.channels, " 1.05", "VQ", {4}}));
        modules::RegisterModuleWindows();
        ASSERT_EQ(core::ModuleWindowFor(m.modelNum), &m.window());
        core::frmDunax().btnConnect_Click();
        ASSERT_TRUE(g.Connected);
        EXPECT_TRUE(m.window().shown());
        EXPECT_EQ(g.UploadModelNum, m.modelNum);
        EXPECT_FALSE(m.window().txtParData(m.channels - 1).text().empty());
        EXPECT_TRUE(core::frmDunax().btnDownload.enabled());
        EXPECT_TRUE(host.messages.empty());
        restart();
    }
}

TEST_F(BiasGainTest, LayoutKeepsControlsApartInsideAndNamed) {
    for (const Model& m : models()) {
        SCOPED_TRACE(m.name);
        start(m, {0}, m.extension ? "DI" : "VQ");
        m.window().Init();
        testing::expectTidy(m.window());
        EXPECT_EQ(m.window().find("txtGain", 3)->accessibleName(), "CH 3 Gain");
        restart();
    }
}

}  // namespace
}  // namespace dunax
