// The voltage/current input window against the simulated unit: what it sends, what it shows,
// and how it deals with silence and bad entries.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/connection.h"
#include "core/dispatch.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/module_window.h"
#include "core/text.h"
#include "modules/analog_in/frm_kw4.h"
#include "modules/register.h"
#include "platform/color.h"
#include "sim/profile_kw4.h"
#include "support/layout_check.h"
#include "support/unit_fixture.h"

namespace dunax {
namespace {

using core::g;
using modules::frmKW4;
using modules::KW4Window;
using Cmds = std::vector<std::string>;

// The commands of one channel's upload: the six parameters and the channel's range.
void uploadChannel(Cmds& c, int ch) {
    c.push_back("G" + std::to_string(ch));
    for (const char* i : {"I20", "I21", "I22", "I23", "I24", "I25", "I09"}) c.push_back(i);
}

class KW4Test : public testing::UnitFixture {
  protected:
    // Connects to a simulated unit and leaves the globals as its identification would.
    void start(const sim::KW4Unit& u) {
        useProfile(sim::makeKW4Unit(u));
        connectAs(u.modelName, u.channels, u.extModule);
    }

    void TearDown() override {
        frmKW4.reset();
        UnitFixture::TearDown();
    }

    KW4Window& w() { return frmKW4(); }
};

TEST_F(KW4Test, UploadReadsModuleThenChannelsInOrderAndShowsThem) {
    start({"J6P-KW4", 4, " 1.05", "DI", {0, 9, 3, 10}});
    w().frmKW4_Init();

    Cmds want{"G00", "I12", "G00", "I09", "G00", "I14"};
    for (int ch = 1; ch <= 4; ++ch) uploadChannel(want, ch);
    EXPECT_EQ(sent(), want);

    EXPECT_EQ(w().lblV_Unit->caption(), "KW4");
    EXPECT_EQ(w().txtZScale(1).text(), "0");
    EXPECT_EQ(w().txtFScale(1).text(), "10000");
    EXPECT_EQ(w().txtBias(1).text(), "0.00");
    EXPECT_EQ(w().txtGain(1).text(), "1.0000");
    EXPECT_EQ(w().txtZBase(1).text(), "-20.000");
    EXPECT_EQ(w().txtFBase(3).text(), "20.000");
    const std::vector<int> ranges{0, 9, 3, 10};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(w().cmbUserRange(k).listCount(), 12);
        EXPECT_EQ(w().cmbUserRange(k).listIndex(), ranges[static_cast<std::size_t>(k)]);
        // Mixed ranges: the module reports code 15, and each channel is labelled by its own.
        EXPECT_EQ(w().lblZBase_Unit(k).caption(), k == 1 || k == 3 ? "mA" : "V");
        EXPECT_EQ(w().lblFBase_Unit(k).caption(), w().lblZBase_Unit(k).caption());
    }
    EXPECT_EQ(w().cmbUserRange(2).list()[8], "-------------");
    EXPECT_FALSE(w().optKeepOn->value());
    EXPECT_TRUE(w().optKeepOff->value());
    EXPECT_TRUE(w().lblV_Ext->visible());
    EXPECT_EQ(w().lblV_Ext->caption(), "PY16");

    // Page 1 on show, the page 2 button the only one enabled; scales, bias, gain, lists and
    // hold editable, the bases not.
    EXPECT_FALSE(w().cmdSet1->enabled());
    EXPECT_TRUE(w().cmdSet2->enabled());
    EXPECT_TRUE(w().frmSet1->visible());
    EXPECT_FALSE(w().frmSet2->visible());
    EXPECT_TRUE(w().txtGain(3).enabled());
    EXPECT_TRUE(w().cmbUserRange(3).enabled());
    EXPECT_TRUE(w().optKeepOff->enabled());
    EXPECT_FALSE(w().txtZBase(0).enabled());
    EXPECT_FALSE(w().txtFBase(3).enabled());
    // Shown-only boxes wear the information background; the user's boxes do not.
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        for (auto* arr : {&w().txtZScale, &w().txtFScale, &w().txtBias, &w().txtGain, &w().txtZBase,
                          &w().txtFBase}) {
            const bool shownOnly = arr == &w().txtZBase || arr == &w().txtFBase;
            EXPECT_EQ((*arr)(k).backColor() == platform::color::InfoBackground, shownOnly);
        }
    }
    EXPECT_FALSE(loadingUp());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(g.Connected);
}

TEST_F(KW4Test, UnitLabelsFollowTheModuleRangeCode) {
    struct Case {
        std::string moduleCode;  // value of item 09 of group 00
        std::vector<int> channelRanges;
        std::vector<std::string> labels;
    };
    const std::vector<Case> cases{
        {"F", {0, 9, 3, 11}, {"V", "mA", "V", "mA"}},
        {"9", {0, 1, 3, 4}, {"mA", "mA", "mA", "mA"}},
        {"A", {0, 0, 0, 0}, {"mA", "mA", "mA", "mA"}},
        {"3", {9, 10, 11, 9}, {"V", "V", "V", "V"}},
        {"CNG", {9, 9, 9, 9}, {"V", "V", "V", "V"}},  // "C" reads as code 12
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.moduleCode);
        start({"J6P-KW4", 4, " 1.05", "VQ", c.channelRanges});
        unit->profile().find("00", "09")->value = c.moduleCode;
        if (c.moduleCode == "CNG") unit->profile().refuse("00", "09");
        w().frmKW4_Init();
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(w().lblZBase_Unit(k).caption(), c.labels[static_cast<std::size_t>(k)]);
            EXPECT_EQ(w().lblFBase_Unit(k).caption(), c.labels[static_cast<std::size_t>(k)]);
        }
        restart();
    }
}

TEST_F(KW4Test, OutputHoldAndRangeItemByNetwork) {
    struct Case {
        std::string model;
        bool holdShown;
        std::string rangeItem;
    };
    const std::vector<Case> cases{
        {"J6P-KW4", true, "I09"},     // CC-Link
        {"J6S-KWH4", true, "I09"},    // Modbus
        {"J6XN-KW4", false, "I08"},   // HLS: the variants' range code is item 08
        {"J6XN-KWH4", false, "I08"},  //
        {"J6YR-KWH4", false, "I09"},  // FLEX NETWORK
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        start({c.model, 4, " 1.05", "VQ", {9}});
        if (c.holdShown) unit->profile().find("00", "14")->value = "ON";
        w().frmKW4_Init();
        Cmds want{"G00", c.rangeItem};
        if (c.holdShown) want.insert(want.end(), {"G00", "I14"});
        for (int ch = 1; ch <= 4; ++ch) uploadChannel(want, ch);
        EXPECT_EQ(sent(), want);
        EXPECT_EQ(w().Frame2->visible(), c.holdShown);
        EXPECT_EQ(w().optKeepOn->value(), c.holdShown);
        EXPECT_EQ(w().lblZBase_Unit(0).caption(), "mA");  // the range code was read
        EXPECT_TRUE(host.messages.empty());

        // Download: hold written only where offered, Output Clear as "1".
        if (c.holdShown) w().optKeepOff->setValue(true);
        unit->clearLog();
        w().frmKW4_Download();
        const Cmds cmds = sent();
        ASSERT_GE(cmds.size(), 3u);
        const Cmds tail(cmds.end() - 3, cmds.end());
        if (c.holdShown) {
            EXPECT_EQ(tail, (Cmds{"G00", "I14", "D1"}));
            EXPECT_EQ(unit->profile().value("00", "14"), "OFF");
        } else {
            EXPECT_EQ(tail, (Cmds{"D20.000", "I09", "D9"}));  // CH 3 full base, range
            EXPECT_EQ(std::count(cmds.begin(), cmds.end(), "I14"), 0);
        }
        restart();
    }
}

TEST_F(KW4Test, DownloadWritesTheBoxesAsTheyStandThenTheHold) {
    start({"J6P-KW4", 4, " 1.05", "VQ", {0}});
    w().frmKW4_Init();
    w().txtFScale(1).setText("12000");
    w().txtBias(1).setText("-1.50");
    w().txtGain(2).setText("0.9990");
    w().cmbUserRange(2).setListIndex(8);  // the separator row is written as it stands
    w().cmbUserRange(3).setListIndex(11);
    w().optKeepOn->setValue(true);
    unit->clearLog();

    w().frmKW4_Download();

    const std::vector<std::vector<std::string>> boxes{
        {"0", "10000", "0.00", "1.0000", "-10.000", "10.000", "0"},
        {"0", "12000", "-1.50", "1.0000", "-10.000", "10.000", "0"},
        {"0", "10000", "0.00", "0.9990", "-10.000", "10.000", "8"},
        {"0", "10000", "0.00", "1.0000", "-10.000", "10.000", "11"},
    };
    Cmds want;
    for (int ch = 1; ch <= 4; ++ch) {
        want.push_back("G" + std::to_string(ch));
        const auto& b = boxes[static_cast<std::size_t>(ch - 1)];
        int i = 0;
        for (const char* item : {"I20", "I21", "I22", "I23", "I24", "I25", "I09"}) {
            want.push_back(item);
            want.push_back("D" + b[static_cast<std::size_t>(i++)]);
        }
    }
    want.insert(want.end(), {"G00", "I14", "D0"});
    EXPECT_EQ(sent(), want);
    EXPECT_EQ(unit->profile().value("2", "21"), "12000");
    EXPECT_EQ(unit->profile().value("3", "09"), "8");
    EXPECT_EQ(unit->profile().value("00", "14"), "ON");

    // The edits and page buttons stay off until the read-back upload; no progress window.
    EXPECT_FALSE(w().txtZScale(0).enabled());
    EXPECT_FALSE(w().cmdSet1->enabled());
    EXPECT_FALSE(w().cmdSet2->enabled());
    EXPECT_FALSE(loadingUp());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(KW4Test, DownloadWritesItsOwnModelsItemsWhateverTheChannelRecordsHold) {
    start({"J6P-KW4", 4, " 1.05", "VQ", {0}});
    w().frmKW4_Init();
    // Another model's upload (a counter window) left its items in the shared records.
    for (int ch = 1; ch <= 4; ++ch) {
        auto& rec = g.ChItem[static_cast<std::size_t>(ch)];
        rec.Item1 = "13";
        rec.Item2 = "14";
        for (int p = 3; p <= 6; ++p) rec.item(p) = "-1";
    }
    g.ModelNum = 10;
    unit->clearLog();
    w().frmKW4_Download();
    const Cmds cmds = sent();
    EXPECT_EQ(std::count(cmds.begin(), cmds.end(), "I13"), 0);
    EXPECT_EQ(std::count(cmds.begin(), cmds.end(), "I25"), 4);
    EXPECT_EQ(g.ModelNum, 10);  // left as it was
}

TEST_F(KW4Test, ARangeOutsideTheListShowsNoSelectionAndIsNeverWritten) {
    start({"J6P-KW4", 4, " 1.05", "VQ", {0, 12, 0, 0}});
    unit->profile().find("3", "09")->value = "NEEDLESS";  // a refusal as a value: code 0
    w().frmKW4_Init();
    EXPECT_EQ(w().cmbUserRange(1).listIndex(), -1);
    EXPECT_EQ(w().cmbUserRange(2).listIndex(), 0);
    EXPECT_TRUE(host.messages.empty());

    EXPECT_TRUE(w().CheckData());  // the list without a selection is left out, not refused
    unit->clearLog();
    w().frmKW4_Download();
    const Cmds cmds = sent();
    EXPECT_EQ(std::count(cmds.begin(), cmds.end(), "I09"), 3);
    EXPECT_EQ(std::count(cmds.begin(), cmds.end(), "D-1"), 0);
    EXPECT_EQ(unit->profile().value("2", "09"), "12");  // the unit keeps its own
}

// An upload that cannot read what it needs reports it and disconnects, wherever it stops;
// the progress window goes away and the window is not left editable.
TEST_F(KW4Test, UploadThatStopsEarlyIsReportedAndDisconnects) {
    struct Case {
        std::string what;
        std::size_t silentFrom;  // first unanswered command (G00 I09 G00 I14, then 8 per ch)
        std::size_t sentBefore;  // commands answered
        bool ch0Filled;
        std::string ch1FScale;  // CH 1's full scale after the stop
    };
    const std::vector<Case> cases{
        {"range code", 2, 1, false, ""},
        {"hold", 4, 3, false, ""},
        {"CH 1 gain", 17, 16, true, ""},
        {"CH 1 range", 20, 19, true, "10000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        start({"J6P-KW4", 4, " 1.05", "VQ", {0}});
        unit->faults().silentFrom = c.silentFrom;
        w().frmKW4_Init();

        expectUploadError();
        EXPECT_FALSE(core::MSComm1().portOpen());
        EXPECT_FALSE(loadingUp());
        // The read that got no answer was tried four times, and nothing followed.
        EXPECT_EQ(sent().size(), c.sentBefore + 4);

        EXPECT_EQ(w().txtFScale(0).text(), c.ch0Filled ? "10000" : "");
        EXPECT_EQ(w().txtFScale(1).text(), c.ch1FScale);
        EXPECT_FALSE(w().txtBias(0).enabled());
        EXPECT_FALSE(w().cmdSet2->enabled());
        host.messages.clear();
        restart();
    }
}

TEST_F(KW4Test, CheckRules) {
    struct Case {
        std::string zs, fs, bias, gain;
        bool ok;
        std::string zsAfter, fsAfter;  // the scales as the check leaves them
    };
    const std::vector<Case> cases{
        {"0", "10000", "0.00", "1.0000", true, "0", "10000"},
        {"-32000", "32000", "-320", "-3.2", true, "-32000", "32000"},
        {"31999.6", "-31999.5", "320", "3.2", true, "32000", "-32000"},
        {"0.5", "1.5", "0", "1", true, "0", "2"},
        {"2.5", "3.5", "0", "1", true, "2", "4"},
        {"-0.5", "12.7", "0", "1", true, "0", "13"},
        {"1e3", " 12 ", "0", "1", true, "1000", "12"},
        {"32000.1", "0", "0", "1", false, "32000.1", "0"},
        {"0", "-32000.5", "0", "1", false, "0", "-32000.5"},
        {"0.5", "0", "320.01", "1", false, "0.5", "0"},
        {"0.5", "0", "0", "3.2001", false, "0.5", "0"},
        {"0.5", "0", "abc", "1", false, "0.5", "0"},
        {"0.5", "", "0", "1", false, "0.5", ""},
        {"0.5", "0", "0", "1e999", false, "0.5", "0"},
        {"0,5", "0", "0", "1", false, "0,5", "0"},
    };
    start({"J6P-KW4", 4, " 1.05", "VQ", {0}});
    w().frmKW4_Init();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zs + " " + c.fs + " " + c.bias + " " + c.gain);
        w().txtZScale(3).setText(c.zs);
        w().txtFScale(3).setText(c.fs);
        w().txtBias(3).setText(c.bias);
        w().txtGain(3).setText(c.gain);
        EXPECT_EQ(w().CheckData(), c.ok);
        EXPECT_EQ(w().txtZScale(3).text(), c.zsAfter);
        EXPECT_EQ(w().txtFScale(3).text(), c.fsAfter);
    }
}

TEST_F(KW4Test, CheckStopsAtTheFirstBadChannelAndNeedsAChannel) {
    start({"J6P-KW4", 4, " 1.05", "VQ", {0}});
    w().frmKW4_Init();
    w().txtZScale(0).setText("1.5");
    w().txtZScale(1).setText("2.5");
    w().txtGain(2).setText("5");
    w().txtZScale(3).setText("7.5");
    EXPECT_FALSE(w().CheckData());
    EXPECT_EQ(w().txtZScale(0).text(), "2");
    EXPECT_EQ(w().txtZScale(1).text(), "2");
    EXPECT_EQ(w().txtZScale(3).text(), "7.5");

    w().txtGain(2).setText("1");
    w().cmbUserRange(1).setListIndex(-1);  // no selection: not written, no failure
    EXPECT_TRUE(w().CheckData());
    EXPECT_EQ(w().txtZScale(3).text(), "8");

    g.ChCount = 0;
    EXPECT_FALSE(w().CheckData());
}

TEST_F(KW4Test, TwoChannelUnitTouchesOnlyItsChannels) {
    start({"J6P-KW4", 2, " 1.05", "VQ", {3}});
    w().txtGain(2).setText("not a number");
    w().frmKW4_Init();
    Cmds want{"G00", "I09", "G00", "I14"};
    uploadChannel(want, 1);
    uploadChannel(want, 2);
    EXPECT_EQ(sent(), want);
    EXPECT_EQ(w().txtFScale(2).text(), "");
    EXPECT_EQ(w().cmbUserRange(2).listIndex(), -1);
    EXPECT_TRUE(w().CheckData());  // CH 2's box is no concern of a two-channel unit

    w().txt_able(false);
    EXPECT_FALSE(w().txtBias(1).enabled());
    EXPECT_TRUE(w().txtBias(2).enabled());

    unit->clearLog();
    w().frmKW4_Download();
    const Cmds cmds = sent();
    EXPECT_EQ(std::count(cmds.begin(), cmds.end(), "G3"), 0);
    EXPECT_EQ(std::count(cmds.begin(), cmds.end(), "G2"), 1);

    unit->clearLog();
    w().ReadingData();  // the monitored items are four whatever the channel count
    EXPECT_EQ(sent(), (Cmds{"G00", "I21", "G00", "I22", "G00", "I23", "G00", "I24"}));
    EXPECT_FALSE(w().txtParData(3).text().empty());
}

TEST_F(KW4Test, SixteenChannelUnitIsServedUpToTheWindowsFourChannels) {
    start({"J6P-KW4", 16, " 1.05", "VQ", {0}});
    w().frmKW4_Init();
    Cmds want{"G00", "I09", "G00", "I14"};
    for (int ch = 1; ch <= 4; ++ch) uploadChannel(want, ch);
    EXPECT_EQ(sent(), want);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(w().CheckData());
    w().txt_able(false);
    w().txt_able(true);

    unit->clearLog();
    w().frmKW4_Download();
    const Cmds cmds = sent();
    EXPECT_EQ(std::count(cmds.begin(), cmds.end(), "G4"), 1);
    EXPECT_EQ(std::count(cmds.begin(), cmds.end(), "G5"), 0);
    unit->clearLog();
    w().ReadingData();
    EXPECT_EQ(sent().size(), 8u);
}

TEST_F(KW4Test, MonitoringShowsNumericValuesWithoutTheirPoint) {
    start({"J6P-KW4", 4, " 1.05", "DO", {0}});
    w().frmKW4_Init();
    for (int k = 0; k < 4; ++k) w().txtParData(k).setText("old");
    unit->faults().replies["I21"] = "0CH0:-1.5";
    unit->faults().replies["I22"] = "CNU";          // "NEEDLESS": not a number
    unit->faults().replies["I23"] = "0CH2:12.3.4";  // only the first point goes
    unit->faults().replies["I24"] = "0CH3:--";
    unit->faults().replies["I12"] = "0EXTDATA:xC003";
    unit->clearLog();

    w().ReadingData();

    EXPECT_EQ(w().txtParData(0).text(), "-15");
    EXPECT_EQ(w().txtParData(1).text(), "old");
    EXPECT_EQ(w().txtParData(2).text(), "123.4");
    EXPECT_EQ(w().txtParData(3).text(), "old");
    for (int i = 0; i < 16; ++i) {
        const bool set = i == 0 || i == 1 || i == 14 || i == 15;
        EXPECT_EQ(w().txtChData(i).backColor(), set ? platform::color::Green : platform::color::Red)
            << i;
    }
    const Cmds cmds = sent();
    ASSERT_GE(cmds.size(), 2u);
    EXPECT_EQ(Cmds(cmds.end() - 2, cmds.end()), (Cmds{"G00", "I12"}));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(g.Connected);

    // No answer at all leaves the boxes as they are, silently.
    unit->faults().replies["I21"] = "";
    w().ReadingData();
    EXPECT_EQ(w().txtParData(0).text(), "-15");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(KW4Test, PageButtonsSwitchPagesAndAnUploadComesBackToPageOne) {
    start({"J6P-KW4", 4, " 1.05", "VQ", {0}});
    w().frmKW4_Init();
    platform::userClick(*w().cmdSet2);
    EXPECT_TRUE(w().cmdSet1->enabled() && !w().cmdSet2->enabled());
    EXPECT_TRUE(!w().frmSet1->visible() && w().frmSet2->visible());
    w().frmKW4_Init();
    EXPECT_TRUE(!w().cmdSet1->enabled() && w().cmdSet2->enabled());
    EXPECT_TRUE(w().frmSet1->visible() && !w().frmSet2->visible());
}

// Through the main window: identification reaches the window registered for model 0; an upload
// that stops at the hold read leaves Download off.
TEST_F(KW4Test, MainWindowKeepsDownloadOffAfterAnUploadThatStopped) {
    useProfile(sim::makeKW4Unit({"J6S-KWH4", 4, " 1.02", "VQ", {10}}));
    modules::RegisterModuleWindows();
    ASSERT_EQ(core::ModuleWindowFor(0), &w());
    emptyReplyTo("I14");
    core::frmDunax().btnConnect_Click();
    EXPECT_EQ(messageTexts(), (Cmds{"Upload Error"}));
    EXPECT_FALSE(g.Connected);
    EXPECT_FALSE(core::frmDunax().btnDownload.enabled());
    EXPECT_FALSE(loadingUp());
    EXPECT_FALSE(w().txtZScale(0).enabled());

    // The next complete upload makes the window whole and editable again.
    unit->faults().replies.clear();
    core::frmDunax().btnConnect_Click();
    EXPECT_TRUE(g.Connected);
    EXPECT_TRUE(core::frmDunax().btnDownload.enabled());
    EXPECT_TRUE(w().shown());
    EXPECT_EQ(w().lblV_Unit->caption(), "KWH4");
    EXPECT_EQ(w().lblZBase_Unit(0).caption(), "mA");
    EXPECT_TRUE(w().txtZScale(0).enabled());
    EXPECT_EQ(w().txtFScale(3).text(), "10000");
}

// --- Layout ---

using dunax::testing::expectTidy;

TEST_F(KW4Test, LayoutKeepsControlsApartInsideAndNamed) {
    start({"J6P-KWH4", 4, " 1.05", "DI", {0}});
    w().frmKW4_Init();  // module code, extension caption and header filled in
    EXPECT_FALSE(w().lblExtIndex(0).caption().empty());
    expectTidy(w());
    EXPECT_EQ(w().find("txtBias", 1)->accessibleName(), "CH 1 Bias");
    EXPECT_EQ(w().find("cmbUserRange", 0)->accessibleName(), "CH 0 Range");
    EXPECT_EQ(w().find("txtParData", 3)->accessibleName(), "CH 3 Value");
}

// The frame lays out the other analog windows' shapes as tidily: two channels on one page with
// the hold beside them, eight channels on two pages with their ranges under the grids, one
// page with a long range heading, a model without a gain item.
TEST(AnalogFrameLayout, CarriesTheOtherWindowShapes) {
    platform::ScriptedHost host;
    struct Sketch : modules::AnalogWindow {
        using AnalogWindow::AnalogWindow;
        void Init() override {}
        void Download() override {}
    };
    using modules::AnalogDesign;
    using modules::ParamEdit;
    std::vector<AnalogDesign> designs(4);
    designs[0].formName = "twoChannelsOnePage";
    designs[0].modelNum = 4;
    designs[0].channels = 2;
    designs[0].pages = 1;
    designs[0].fixedUnit = "mA";
    designs[0].rangeCode = modules::RangeCodeUse::None;

    const std::string dashes(13, '-');
    designs[1].formName = "eightChannelsTwoPages";
    designs[1].modelNum = 18;
    designs[1].channels = 8;
    designs[1].pageCaptions = {"CH 0 to CH 3", "CH 4 to CH 7"};
    designs[1].hints = {"", "", "-320.00 to 320.00", "-3.2000 to 3.2000", "", ""};
    designs[1].edit = {ParamEdit::Fixed,    ParamEdit::Fixed, ParamEdit::Editable,
                       ParamEdit::Editable, ParamEdit::Fixed, ParamEdit::Fixed};
    designs[1].rangeRows = {"-10V to 10V", "-5V to 5V", dashes,
                            "0V to 10V",   "0V to 5V",  "1V to 5V"};
    designs[1].rangeHeading = "Range ( Corvane setting. SW1-3:ON  SW1-4:ON  SW1-5:ON  SW1-6:ON )";
    designs[1].hold = false;
    designs[1].extension = false;
    designs[1].monitorItems = 0;

    designs[2] = designs[1];
    designs[2].formName = "fourChannelsOnePage";
    designs[2].modelNum = 19;
    designs[2].channels = 4;
    designs[2].pages = 1;
    designs[2].extension = true;

    designs[3].formName = "noGain";
    designs[3].modelNum = 7;  // items 20, 21, 34, -, 32, 33
    designs[3].rowTitles[2] = "Percent";
    designs[3].rangeCode = modules::RangeCodeUse::None;

    for (const AnalogDesign& d : designs) {
        SCOPED_TRACE(d.formName);
        Sketch win(d);
        expectTidy(win);
        EXPECT_EQ(win.txtZScale.indices().size(), static_cast<std::size_t>(d.channels));
        EXPECT_EQ(win.cmbUserRange.indices().size(),
                  d.rangeRows.empty() ? 0u : static_cast<std::size_t>(d.channels));
    }
    Sketch noGain(designs[3]);
    EXPECT_FALSE(noGain.txtGain.has(0));
    core::g.ChCount = 4;
    noGain.txt_able(false);  // a model without the parameter has no box to switch
    EXPECT_FALSE(noGain.txtBias(3).enabled());
}

}  // namespace
}  // namespace dunax
