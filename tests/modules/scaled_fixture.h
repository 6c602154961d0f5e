// What the tests of the scaled voltage and current windows share: the five windows as a table
// (model, accessor, the unit that serves them) and a fixture that connects to a simulated unit
// and leaves the globals as identification would.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/globals.h"
#include "modules/analog_frame.h"
#include "modules/scaled_analog/frm_lq2.h"
#include "modules/scaled_analog/frm_lq4.h"
#include "modules/scaled_analog/frm_tlq2.h"
#include "modules/scaled_analog/frm_wz2.h"
#include "modules/scaled_analog/frm_wz4.h"
#include "sim/profile_lq.h"
#include "sim/profile_tlq2.h"
#include "sim/profile_wz.h"
#include "support/layout_check.h"
#include "support/unit_fixture.h"

namespace dunax::testing {

struct ScaledWin {
    std::string code;  // model code after the "-"
    int modelNum;
    int channels;
    bool rangeCode;  // item 09 of group 00 is read
    bool rangeList;  // per channel range list and item 09
    bool hold;
    bool pages;  // page buttons
    std::string unit;
    std::function<modules::AnalogWindow&()> get;
    std::function<void()> reset;
    std::function<sim::Profile(const sim::ScaledUnit&)> make;
};

inline const std::vector<ScaledWin>& scaledWindows() {
    static const std::vector<ScaledWin> all{
        {"LQ2", 3, 2, true, true, true, true, "V",
         []() -> modules::AnalogWindow& { return modules::frmLQ2(); },
         [] { modules::frmLQ2.reset(); }, sim::makeLQUnit},
        {"LQ4", 12, 4, true, true, true, true, "V",
         []() -> modules::AnalogWindow& { return modules::frmLQ4(); },
         [] { modules::frmLQ4.reset(); }, sim::makeLQUnit},
        {"TLQH2", 15, 2, true, false, false, false, "",
         []() -> modules::AnalogWindow& { return modules::frmTLQ2(); },
         [] { modules::frmTLQ2.reset(); }, sim::makeTLQH2Unit},
        {"WZ2", 4, 2, false, false, true, false, "mA",
         []() -> modules::AnalogWindow& { return modules::frmWZ2(); },
         [] { modules::frmWZ2.reset(); }, sim::makeWZUnit},
        {"WZ4", 13, 4, false, false, true, true, "mA",
         []() -> modules::AnalogWindow& { return modules::frmWZ4(); },
         [] { modules::frmWZ4.reset(); }, sim::makeWZUnit},
    };
    return all;
}

inline const ScaledWin& scaledWindow(const std::string& code) {
    for (const auto& w : scaledWindows()) {
        if (w.code == code) return w;
    }
    throw std::out_of_range(code);
}

// The commands one upload sends, from what the window reads: extension points, the module's
// range code and hold, then per channel its six parameters and (with a list) its range.
inline Cmds expectedUpload(const ScaledWin& w, int channels, bool holdRead, bool ext) {
    Cmds c;
    if (ext) c.insert(c.end(), {"G00", "I12"});
    if (w.rangeCode) c.insert(c.end(), {"G00", "I09"});
    if (holdRead) c.insert(c.end(), {"G00", "I14"});
    for (int ch = 1; ch <= channels; ++ch) {
        c.push_back("G" + std::to_string(ch));
        for (const char* i : {"I20", "I21", "I22", "I23", "I24", "I25"}) c.push_back(i);
        if (w.rangeList) c.push_back("I09");
    }
    return c;
}

// A row of the hold tables: the window, the network its prefix names, how the unit answers the
// hold, whether the window shows the hold and whether Keep is on.
struct HoldCase {
    std::string code, prefix, holdReply;
    bool shown, hold;
};

class ScaledTest : public UnitFixture {
  protected:
    // Connects to a simulated unit of window w on the network that prefix names ("J6P-" ...).
    void start(const ScaledWin& w, const std::string& prefix = "J6P-", std::string ext = "VQ",
               std::vector<int> ranges = {0}, int channels = -1) {
        win = &w;
        sim::ScaledUnit u{prefix + w.code, channels < 0 ? w.channels : channels, " 1.05", ext,
                          std::move(ranges)};
        useProfile(w.make(u));
        connectAs(u.modelName, u.channels, ext);
        ASSERT_EQ(core::g.ModelNum, w.modelNum);
    }

    void TearDown() override {
        for (const auto& w : scaledWindows()) w.reset();
        UnitFixture::TearDown();
    }

    modules::AnalogWindow& w() { return win->get(); }

    // Connects as the row says, the unit answering the hold as given, and uploads.
    void uploadWithHold(const HoldCase& c) {
        start(scaledWindow(c.code), c.prefix);
        if (c.shown) unit->faults().replies["I14"] = "0HOLD:" + c.holdReply;
        w().Init();
    }

    // A download with plain replies writes the hold only where the window shows it, Clear
    // as "1".
    void expectHoldDownload(bool shown, bool hold) {
        unit->faults().replies.clear();
        unit->clearLog();
        w().Download();
        const Cmds cmds = sent();
        EXPECT_EQ(countOf(cmds, "I14"), shown ? 1 : 0);
        if (shown) {
            EXPECT_EQ(cmds.back(), hold ? "D0" : "D1");
        }
    }

    const ScaledWin* win = nullptr;
};

}  // namespace dunax::testing
