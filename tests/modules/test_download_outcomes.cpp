// Downloads through the main window, one row per family of module windows: a write the unit
// refuses is named after the rest is written and read back, and the link is kept; a write
// left without any answer ends the download and the link; a list that shows no selection
// because the unit reported a code it does not hold is left out and passes the check.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "core/globals.h"
#include "core/main_window.h"
#include "core/module_window.h"
#include "modules/analog_frame.h"
#include "modules/discrete_counter/frm_fe16.h"
#include "modules/discrete_counter/frm_mx16.h"
#include "modules/encoder_loadcell/frm_fe2.h"
#include "modules/encoder_loadcell/frm_sd2.h"
#include "modules/register.h"
#include "sim/profile_bias_gain.h"
#include "sim/profile_counter.h"
#include "sim/profile_discrete.h"
#include "sim/profile_fe2.h"
#include "sim/profile_gf4a.h"
#include "sim/profile_kw4.h"
#include "sim/profile_loadcell.h"
#include "sim/profile_lq.h"
#include "sim/profile_temperature.h"
#include "support/unit_fixture.h"

namespace dunax::testing {
namespace {

using core::g;
using platform::Control;

// A window family: the unit, and the box whose write goes wrong with the name the message
// must give it (nullptr: the Output Hold/Clear write, item 14 of group 00).
struct Family {
    const char* name;
    std::function<sim::Profile()> unit;
    std::function<Control*(core::ModuleWindow&)> box;
    const char* value;  // typed into the box; its "D" command is the one that goes wrong
    const char* named;  // the line of the message
};

template <class W>
std::function<Control*(core::ModuleWindow&)> boxOf(platform::ControlArray W::*arr, int k) {
    return [arr, k](core::ModuleWindow& w) { return &(dynamic_cast<W&>(w).*arr)(k); };
}

std::vector<Family> families() {
    using modules::AnalogWindow;
    return {
        {"analog frame (KW4)", [] { return sim::makeKW4Unit({}); },
         boxOf(&AnalogWindow::txtFScale, 0), "12345", "CH 0 Full scale"},
        {"temperature (BJ4)", [] { return sim::makeTemperatureUnit({}); },
         boxOf(&AnalogWindow::txtBias, 1), "12.5", "CH 1 Bias"},
        {"AC current (GF4A)", [] { return sim::makeGF4AUnit({}); },
         boxOf(&AnalogWindow::txtGain, 2), "1.25", "CH 2 Gain"},
        {"voltage range (LQ4)",
         [] {
             return sim::makeLQUnit({"J6P-LQ4", 4});
         },
         boxOf(&AnalogWindow::txtZScale, 3), "123", "CH 3 Zero scale"},
        {"bias and gain (KWH8)",
         [] {
             return sim::makeBiasGainUnit({"J6P-KWH8", 8});
         },
         boxOf(&AnalogWindow::txtBias, 6), "12.5", "CH 6 Bias"},
        {"counter (FE16)", [] { return sim::makeCounterUnit({}); },
         boxOf(&modules::FE16Window::txtFScale, 1), "12345", "CH 1 Max"},
        {"discrete (MX16)", [] { return sim::makeDiscreteUnit({}); }, nullptr, "",
         "Output Hold/Clear"},
        {"load cell (SD2)", [] { return sim::makeLoadCellUnit({}); },
         boxOf(&modules::SD2Window::txtFScale, 1), "12345", "CH 1 Full scale"},
        {"encoder (FE2)", [] { return sim::makeFE2Unit({}); }, boxOf(&modules::FE2Window::txtDO, 0),
         "12.5", "CH 0 Drop Out"},
    };
}

class DownloadOutcomeTest : public UnitFixture {
  protected:
    // Connects to the family's unit through the main window (identification, upload).
    core::ModuleWindow& connectTo(const Family& f) {
        useProfile(f.unit());
        modules::RegisterModuleWindows();
        core::frmDunax().btnConnect_Click();
        EXPECT_TRUE(g.Connected);
        return *core::ModuleWindowFor(g.UploadModelNum);
    }

    // The family's write goes wrong: refused ("CNG") or left without any answer.
    void spoil(const Family& f, core::ModuleWindow& w, bool silent) {
        if (f.box) {
            f.box(w)->setText(f.value);
            unit->faults().replies[std::string("D") + f.value] = silent ? "" : "CNG";
        } else if (silent) {
            unit->faults().replies["I14"] = "";
        } else {
            unit->profile().find("00", "14")->writable = false;
        }
    }

    static std::string mainRow() {
        std::string s;
        auto& m = core::frmDunax();
        for (Control* b : {&m.btnConnect, &m.btnDisconnect, &m.btnUpload, &m.btnDownload})
            s += b->enabled() ? '1' : '0';
        return s;
    }
};

TEST_F(DownloadOutcomeTest, ARefusedWriteIsNamedAfterTheRestIsWrittenAndReadBack) {
    std::size_t sentAtMessage = 0;
    for (const Family& f : families()) {
        SCOPED_TRACE(f.name);
        core::ModuleWindow& w = connectTo(f);
        const std::string held = f.box ? f.box(w)->text() : "";
        spoil(f, w, /*silent=*/false);
        unit->clearLog();
        host.onMessage = [&](const platform::MessageRecord&) { sentAtMessage = sent().size(); };
        core::frmDunax().btnDownload_Click();

        expectOnlyMessage(std::string("Downloading incomplete\r\n") + f.named, "Downloading");
        EXPECT_TRUE(g.Connected);
        EXPECT_EQ(mainRow(), "0111");
        // Read back before the message: identification ran again, and nothing came after.
        EXPECT_EQ(sentCount("I02"), 1);
        EXPECT_EQ(sentAtMessage, sent().size());
        if (f.box) {
            EXPECT_EQ(f.box(w)->text(), held);  // what the unit holds
            EXPECT_TRUE(f.box(w)->enabled());
            // The download went on past the refusal: the read-back starts "G00 I01 DF I02".
            const Cmds all = sent();
            const auto i02 = std::find(all.begin(), all.end(), "I02");
            ASSERT_GE(i02 - all.begin(), 4);
            EXPECT_NE(*(i02 - 4), std::string("D") + f.value);
        }
        EXPECT_FALSE(loadingUp());
        restart();
    }
}

TEST_F(DownloadOutcomeTest, AnUnansweredWriteEndsTheDownloadAndTheLink) {
    for (const Family& f : families()) {
        SCOPED_TRACE(f.name);
        core::ModuleWindow& w = connectTo(f);
        spoil(f, w, /*silent=*/true);
        unit->clearLog();
        core::frmDunax().btnDownload_Click();

        expectOnlyMessage("Downloading incomplete", "Downloading");
        EXPECT_FALSE(g.Connected);
        EXPECT_EQ(mainRow(), "1000");
        if (f.box) {
            EXPECT_TRUE(f.box(w)->enabled());  // the entries open again, as they stand
        }
        // Nothing was sent after the write that got no answer.
        const std::string last = f.box ? std::string("D") + f.value : "I14";
        EXPECT_EQ(sent().back(), last);
        EXPECT_EQ(sentCount(last), 4);
        EXPECT_FALSE(loadingUp());
        restart();
    }
}

// A refused maintenance switch is named for the one it is. The main window's: the window's
// download is not called. The encoder counter window's own two: its download goes on.
TEST_F(DownloadOutcomeTest, ARefusedMaintenanceSwitchIsNamedForItsGroupAndReadBack) {
    const std::vector<Family> all = families();
    const Family& kw4 = all.front();
    const Family& fe2 = all.back();
    auto refuseSwitch = [this](const char* group, int from, int to) {
        return [this, group, from, to] { refuseWrites(group, "01", from, to); };
    };
    const struct {
        const Family& family;
        std::function<void()> refuse;
        const char* line;
        long boxWrites;  // writes of the box's value: whether the window's download ran
    } cases[] = {
        {kw4, refuseSwitch("00", 1, 4), "Maintenance switch (nothing was written)", 0},
        // The main window's switch is taken; the window's own, in four attempts, is not.
        {fe2, refuseSwitch("00", 2, 5), "Maintenance switch of the monitored values", 1},
        {fe2, refuseSwitch("01", 1, 4), "Maintenance switch of the settings", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        core::ModuleWindow& w = connectTo(c.family);
        const std::string held = c.family.box(w)->text();
        c.family.box(w)->setText(c.family.value);
        c.refuse();
        unit->clearLog();
        core::frmDunax().btnDownload_Click();

        expectOnlyMessage(std::string("Downloading incomplete\r\n") + c.line, "Downloading");
        EXPECT_EQ(sentCount(std::string("D") + c.family.value), c.boxWrites);
        EXPECT_EQ(sentCount("I02"), 1);                                           // read back
        EXPECT_EQ(c.family.box(w)->text(), c.boxWrites ? c.family.value : held);  // the unit's
        EXPECT_TRUE(g.Connected);
        restart();
    }
}

// Lists that show no selection because the unit reported a code they do not hold: the
// download runs through (read-back included) and the unit keeps its codes.
TEST_F(DownloadOutcomeTest, AListWithAnUnknownCodeIsLeftOutAndPassesTheCheck) {
    const struct {
        const char* name;
        std::function<sim::Profile()> unit;
        std::vector<std::pair<std::string, std::string>> kept;  // {group, code}
    } cases[] = {
        {"KW4 code 12",
         [] {
             return sim::makeKW4Unit({"J6P-KW4", 4, " 1.05", "VQ", {0, 12}});
         },
         {{"2", "12"}}},
        {"KWH8 codes 9 and A on the other page",
         [] {
             return sim::makeBiasGainUnit({"J6P-KWH8", 8, " 1.05", "VQ", {0, 0, 0, 0, 0, 9, 10}});
         },
         {{"6", "9"}, {"7", "10"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        useProfile(c.unit());
        modules::RegisterModuleWindows();
        core::frmDunax().btnConnect_Click();
        ASSERT_TRUE(g.Connected);
        unit->clearLog();
        core::frmDunax().btnDownload_Click();
        EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
        EXPECT_GT(sentCount("I02"), 0);  // read back
        for (const auto& [group, code] : c.kept)
            EXPECT_EQ(unit->profile().value(group, "09"), code);
        EXPECT_TRUE(g.Connected);
        restart();
    }
}

}  // namespace
}  // namespace dunax::testing
