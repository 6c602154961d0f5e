// What the five scaled voltage and current windows do alike, window by window: the upload's
// commands and what it shows, the download, the entry check, monitoring, channel counts the
// window has no controls for, the road through the main window, the layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/main_window.h"
#include "core/module_window.h"
#include "modules/register.h"
#include "platform/color.h"
#include "scaled_fixture.h"
#include "sim/profile.h"

namespace dunax::testing {
namespace {

using core::g;

TEST_F(ScaledTest, UploadReadsInOrderAndShowsTheUnitsSettings) {
    for (const ScaledWin& sw : scaledWindows()) {
        SCOPED_TRACE(sw.code);
        start(sw, "J6P-", "DI", {3});
        w().Init();
        EXPECT_EQ(sent(), expectedUpload(sw, sw.channels, sw.hold, true));

        EXPECT_EQ(w().lblV_Unit->caption(), sw.code);
        EXPECT_EQ(w().lblV_Ext->caption(), "PY16");
        for (int k = 0; k < sw.channels; ++k) {
            const auto s = sim::typicalScaling(k, "", "");
            const std::string grp = std::to_string(k + 1);
            EXPECT_EQ(w().txtZScale(k).text(), s.zeroScale);
            EXPECT_EQ(w().txtFScale(k).text(), s.fullScale);
            EXPECT_EQ(w().txtBias(k).text(), s.bias);
            EXPECT_EQ(w().txtGain(k).text(), s.gain);
            EXPECT_EQ(w().txtZBase(k).text(), unit->profile().value(grp, "24"));
            EXPECT_EQ(w().txtFBase(k).text(), unit->profile().value(grp, "25"));
            EXPECT_EQ(w().lblZBase_Unit(k).caption(), sw.unit);
            EXPECT_EQ(w().lblFBase_Unit(k).caption(), sw.unit);
            // Scales, bias and gain editable; the bases shown on the info background, never
            // editable.
            EXPECT_TRUE(w().txtGain(k).enabled());
            EXPECT_FALSE(w().txtZBase(k).enabled());
            EXPECT_FALSE(w().txtFBase(k).enabled());
            EXPECT_EQ(w().txtFBase(k).backColor(), platform::color::InfoBackground);
            if (sw.rangeList) {
                EXPECT_EQ(w().cmbUserRange(k).listIndex(), 3);
            }
        }
        EXPECT_EQ(w().cmbUserRange.indices().size(), sw.rangeList ? sw.channels : 0u);
        EXPECT_EQ(w().Frame2 != nullptr, sw.hold);
        if (sw.hold) {
            EXPECT_TRUE(w().Frame2->visible());
            EXPECT_TRUE(w().optKeepOff->value());
            EXPECT_TRUE(w().optKeepOn->enabled());
        }
        EXPECT_EQ(w().cmdSet1 != nullptr, sw.pages);
        if (sw.pages) {
            EXPECT_FALSE(w().cmdSet1->enabled());
            EXPECT_TRUE(w().cmdSet2->enabled());
            EXPECT_TRUE(w().frmSet1->visible());
            EXPECT_FALSE(w().frmSet2->visible());
        }
        EXPECT_FALSE(loadingUp());
        EXPECT_TRUE(host.messages.empty());
        restart();
    }
}

TEST_F(ScaledTest, DownloadWritesTheBoxesAsTheyStandChannelByChannelThenTheHold) {
    for (const ScaledWin& sw : scaledWindows()) {
        SCOPED_TRACE(sw.code);
        start(sw);
        w().Init();
        const int last = sw.channels - 1;
        w().txtFScale(last).setText("12000");
        w().txtBias(last).setText("-1.50");
        if (sw.rangeList) w().cmbUserRange(last).setListIndex(4);
        if (sw.hold) w().optKeepOn->setValue(true);
        unit->clearLog();

        w().Download();

        Cmds want;
        for (int ch = 1; ch <= sw.channels; ++ch) {
            const std::string grp = std::to_string(ch);
            const bool edited = ch == sw.channels;
            const std::vector<std::string> data{
                "0",
                edited ? "12000" : unit->profile().value(grp, "21"),
                edited ? "-1.50" : sim::typicalScaling(ch - 1, "", "").bias,
                sim::typicalScaling(ch - 1, "", "").gain,
                w().txtZBase(ch - 1).text(),
                w().txtFBase(ch - 1).text()};
            want.push_back("G" + grp);
            for (int p = 0; p < 6; ++p) {
                want.push_back("I" + std::to_string(20 + p));
                want.push_back("D" + data[static_cast<std::size_t>(p)]);
            }
            if (sw.rangeList) want.insert(want.end(), {"I09", edited ? "D4" : "D0"});
        }
        if (sw.hold) want.insert(want.end(), {"G00", "I14", "D0"});
        EXPECT_EQ(sent(), want);
        EXPECT_EQ(unit->profile().value(std::to_string(sw.channels), "21"), "12000");
        if (sw.hold) {
            EXPECT_EQ(unit->profile().value("00", "14"), "ON");
        }

        // Edits (and page buttons) stay off until the read-back upload.
        EXPECT_FALSE(w().txtBias(0).enabled());
        if (sw.pages) {
            EXPECT_FALSE(w().cmdSet1->enabled() || w().cmdSet2->enabled());
        }
        EXPECT_FALSE(loadingUp());
        EXPECT_TRUE(host.messages.empty());
        restart();
    }
}

TEST_F(ScaledTest, CheckBoundsAndRounding) {
    struct Case {
        std::string zs, fs, bias, gain;
        bool ok;
        std::string zsAfter, fsAfter;
    };
    const std::vector<Case> cases{
        {"0", "100.6", "0", "1", true, "0", "101"},
        {"2.5", "3.5", "0", "1", true, "2", "4"},
        {"100.5", "101.5", "0", "1", true, "100", "102"},
        {"-32000", "32000", "-320", "-3.2", true, "-32000", "32000"},
        {"0", "31999.7", "320", "3.2", true, "0", "32000"},
        {"0", "32000.4", "0", "1", false, "0", "32000.4"},  // bounds before rounding
        {"-32000.5", "0", "0", "1", false, "-32000.5", "0"},
        {"0.5", "0", "320.01", "1", false, "0.5", "0"},
        {"0.5", "0", "0", "-3.2001", false, "0.5", "0"},
        {"0.5", "0", "CNG", "1", false, "0.5", "0"},  // a refusal uploaded as a value
        {"0.5", "NEEDLESS", "0", "1", false, "0.5", "NEEDLESS"},
        {"0.5", "0", "0", "", false, "0.5", "0"},
    };
    for (const ScaledWin& sw : scaledWindows()) {
        SCOPED_TRACE(sw.code);
        start(sw);
        w().Init();
        const int k = sw.channels - 1;
        for (const Case& c : cases) {
            SCOPED_TRACE(c.zs + " " + c.fs + " " + c.bias + " " + c.gain);
            w().txtZScale(k).setText(c.zs);
            w().txtFScale(k).setText(c.fs);
            w().txtBias(k).setText(c.bias);
            w().txtGain(k).setText(c.gain);
            EXPECT_EQ(w().CheckData(), c.ok);
            EXPECT_EQ(w().txtZScale(k).text(), c.zsAfter);
            EXPECT_EQ(w().txtFScale(k).text(), c.fsAfter);
        }
        // The bases are never checked.
        w().txtZScale(k).setText("0");
        w().txtFScale(k).setText("0");
        w().txtBias(k).setText("0");
        w().txtGain(k).setText("1");
        w().txtZBase(k).setText("CNG");
        EXPECT_TRUE(w().CheckData());
        // A failure on CH 1 after CH 0's scales were rewritten.
        w().txtFScale(0).setText("10.5");
        w().txtGain(1).setText("9");
        EXPECT_FALSE(w().CheckData());
        EXPECT_EQ(w().txtFScale(0).text(), "10");
        g.ChCount = 0;
        EXPECT_FALSE(w().CheckData());
        restart();
    }
}

TEST_F(ScaledTest, MonitoringReadsTheWindowsItemsAndShowsNumbersWithoutTheirPoint) {
    for (const ScaledWin& sw : scaledWindows()) {
        SCOPED_TRACE(sw.code);
        start(sw, "J6P-", "DO", {0}, 1);  // one channel in use: the items stay the window's
        w().Init();
        for (int k = 0; k < sw.channels; ++k) w().txtParData(k).setText("old");
        unit->faults().replies["I21"] = "0CH0:1.25";
        unit->faults().replies["I22"] = "0CH1:--";
        unit->faults().replies["I12"] = "0EXTDATA:x00F0";
        unit->clearLog();

        w().ReadingData();

        Cmds want;
        for (int k = 0; k < sw.channels; ++k)
            want.insert(want.end(), {"G00", "I" + std::to_string(21 + k)});
        want.insert(want.end(), {"G00", "I12"});
        EXPECT_EQ(sent(), want);
        EXPECT_EQ(w().txtParData(0).text(), "125");
        EXPECT_EQ(w().txtParData(1).text(), "old");
        if (sw.channels == 4) {
            EXPECT_NE(w().txtParData(3).text(), "old");  // a live value
        }
        for (int i = 0; i < 16; ++i) {
            EXPECT_EQ(w().txtChData(i).backColor(),
                      i >= 4 && i < 8 ? platform::color::Green : platform::color::Red);
        }
        // A silent unit leaves the boxes as they are and says nothing.
        unit->faults().silent = true;
        w().ReadingData();
        EXPECT_EQ(w().txtParData(0).text(), "125");
        EXPECT_TRUE(host.messages.empty());
        EXPECT_TRUE(g.Connected);
        restart();
    }
}

TEST_F(ScaledTest, MonitoredValuesChangeOverTime) {
    start(scaledWindow("LQ4"));
    std::vector<std::string> seen;
    for (int pass = 0; pass < 3; ++pass) {
        w().ReadingData();
        std::string all;
        for (int k = 0; k < 4; ++k) {
            EXPECT_TRUE(core::IsNumeric(w().txtParData(k).text()));
            all += w().txtParData(k).text() + " ";
        }
        seen.push_back(all);
        host.advance(11000);
    }
    EXPECT_NE(seen[0], seen[1]);
    EXPECT_NE(seen[1], seen[2]);
}

TEST_F(ScaledTest, ChannelCountsWithoutControlsOrWithoutChannels) {
    for (const ScaledWin& sw : scaledWindows()) {
        SCOPED_TRACE(sw.code);
        // No channel: only the module's items, then the window is usable; the download
        // writes only the hold; nothing to check.
        start(sw, "J6P-", "VQ", {0}, 0);
        w().Init();
        EXPECT_EQ(sent(), expectedUpload(sw, 0, sw.hold, false));
        EXPECT_FALSE(loadingUp());
        if (sw.pages) {
            EXPECT_TRUE(w().cmdSet2->enabled());
        }
        unit->clearLog();
        w().Download();
        EXPECT_EQ(sent(), sw.hold ? (Cmds{"G00", "I14", "D1"}) : Cmds());
        EXPECT_FALSE(w().CheckData());
        restart();

        // More channels than the window has controls for: only the window's channels.
        start(sw, "J6P-", "VQ", {0}, sw.channels * 2);
        w().Init();
        EXPECT_EQ(sent(), expectedUpload(sw, sw.channels, sw.hold, false));
        EXPECT_TRUE(w().CheckData());
        w().txt_able(false);
        w().txt_able(true);
        unit->clearLog();
        w().Download();
        const Cmds cmds = sent();
        const std::string beyond = "G" + std::to_string(sw.channels + 1);
        EXPECT_EQ(std::count(cmds.begin(), cmds.end(), beyond), 0);
        EXPECT_TRUE(host.messages.empty());
        restart();
    }
}

// Identification reaches the window registered for each model; Download through the main
// window checks, writes and reads back.
TEST_F(ScaledTest, MainWindowDispatchesToTheRegisteredWindow) {
    modules::RegisterModuleWindows();
    for (const char* name : {"J6P-LQ2", "J6S-LQ4+DO", "J6U-TLQH2+DI", "J6Q-WZ2+DO", "J6XN-WZ4"}) {
        SCOPED_TRACE(name);
        auto profile = sim::profileFor(name);
        ASSERT_TRUE(profile.has_value());
        useProfile(*profile);
        if (profile->identity.extModule != "VQ") whenModalClick("frmExtSelect", "Command1");
        core::frmDunax().btnConnect_Click();
        ASSERT_TRUE(g.Connected);
        const std::string code = core::AfterHyphen(profile->identity.modelName);
        const ScaledWin& sw = scaledWindow(code);
        EXPECT_EQ(core::ModuleWindowFor(sw.modelNum), &sw.get());
        EXPECT_TRUE(sw.get().shown());
        EXPECT_EQ(sw.get().lblV_Unit->caption(), code);
        EXPECT_TRUE(host.messages.empty());

        sw.get().txtGain(0).setText("1.0100");
        unit->clearLog();
        core::frmDunax().btnDownload_Click();
        EXPECT_EQ(unit->profile().value("1", "23"), "1.0100");
        EXPECT_EQ(sw.get().txtGain(0).text(), "1.0100");  // read back
        EXPECT_TRUE(sw.get().txtGain(0).enabled());
        EXPECT_TRUE(host.messages.empty());
        restart();
        modules::RegisterModuleWindows();
    }
}

TEST_F(ScaledTest, LayoutKeepsControlsApartInsideAndNamed) {
    for (const ScaledWin& sw : scaledWindows()) {
        SCOPED_TRACE(sw.code);
        start(sw, "J6P-", "DI");
        w().Init();
        expectTidy(w());
        EXPECT_EQ(w().find("txtBias", 1)->accessibleName(), "CH 1 Bias");
        EXPECT_EQ(w().find("txtParData", 0)->accessibleName(), "CH 0 Value");
        EXPECT_EQ(w().find("Label2")->caption(), "CH 1");
        restart();
    }
}

}  // namespace
}  // namespace dunax::testing
