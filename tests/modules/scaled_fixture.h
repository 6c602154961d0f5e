// What the tests of the scaled voltage and current windows share: the five windows as a table
// (model, accessor, the unit that serves them), a fixture that connects to a simulated unit
// and leaves the globals as identification would, and a layout check.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/connection.h"
#include "core/dispatch.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/text.h"
#include "modules/analog_frame.h"
#include "modules/scaled_analog/frm_lq2.h"
#include "modules/scaled_analog/frm_lq4.h"
#include "modules/scaled_analog/frm_tlq2.h"
#include "modules/scaled_analog/frm_wz2.h"
#include "modules/scaled_analog/frm_wz4.h"
#include "sim/profile_lq.h"
#include "sim/profile_tlq2.h"
#include "sim/profile_wz.h"
#include "support/unit_fixture.h"

namespace dunax::testing {

using Cmds = std::vector<std::string>;

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

class ScaledTest : public UnitFixture {
  protected:
    // Connects to a simulated unit of window w on the network that prefix names ("J6P-" ...).
    void start(const ScaledWin& w, const std::string& prefix = "J6P-", std::string ext = "VQ",
               std::vector<int> ranges = {0}, int channels = -1) {
        win = &w;
        sim::ScaledUnit u{prefix + w.code, channels < 0 ? w.channels : channels, " 1.05", ext,
                          std::move(ranges)};
        useProfile(w.make(u));
        core::OpenPort();
        ASSERT_TRUE(core::MSComm1().portOpen());
        core::g.Connected = true;
        core::g.ModelName = u.modelName;
        core::SetModelNum(core::AfterHyphen(core::g.ModelName));
        core::SetNetType(core::g.ModelName);
        ASSERT_EQ(core::g.ModelNum, w.modelNum);
        core::g.UploadModelNum = core::g.ModelNum;
        core::g.ChCount = u.channels;
        core::g.ExtName = ext == "VQ" ? "NONE" : ext;
        core::g.ExtChCount = ext == "VQ" ? 0 : 16;
        core::g.ExtCaption = ext == "VQ" ? "" : "PY16";
        unit->clearLog();
    }

    void TearDown() override {
        for (const auto& w : scaledWindows()) w.reset();
        UnitFixture::TearDown();
    }

    modules::AnalogWindow& w() { return win->get(); }
    Cmds sent() const { return unit->commands(); }
    bool loadingUp() { return core::frmLoading.loaded() && core::frmLoading().shown(); }

    const ScaledWin* win = nullptr;
};

// Every control lies inside its container, no two controls of one container overlap, captions
// fit (8.25 pt sans, roughly), every box has a name for screen readers.
inline void expectReadableLayout(const platform::Form& form) {
    using platform::Control;
    using platform::Kind;
    const auto captionWidth = [](const Control& c) {
        int w = 0;
        for (char ch : c.caption()) w += ch == ' ' ? 45 : 105;
        return static_cast<int>(w * (c.fontSize() / 8.25) * (c.fontBold() ? 1.1 : 1.0));
    };
    const auto& all = form.controls();
    for (const auto& c : all) {
        SCOPED_TRACE(form.name() + "." + c->designName());
        const Control* box = c->container();
        EXPECT_GE(c->left(), 0);
        EXPECT_GE(c->top(), 0);
        EXPECT_LE(c->left() + c->width(), box ? box->width() : 9650 - 120);
        EXPECT_LE(c->top() + c->height(), box ? box->height() : 7400 - 500);
        if (c->kind() == Kind::TextBox || c->kind() == Kind::ComboBox) {
            EXPECT_FALSE(c->accessibleName().empty());
        }
        if (c->kind() == Kind::Label || c->kind() == Kind::CommandButton) {
            EXPECT_LE(captionWidth(*c), c->width());
        }
        if (c->kind() == Kind::OptionButton || c->kind() == Kind::Frame) {
            EXPECT_LE(captionWidth(*c) + 240, c->width());
        }
    }
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (std::size_t j = i + 1; j < all.size(); ++j) {
            const Control& a = *all[i];
            const Control& b = *all[j];
            if (a.container() != b.container() || a.kind() == Kind::Frame ||
                b.kind() == Kind::Frame)
                continue;
            const bool apart = a.left() + a.width() <= b.left() ||
                               b.left() + b.width() <= a.left() ||
                               a.top() + a.height() <= b.top() || b.top() + b.height() <= a.top();
            EXPECT_TRUE(apart) << form.name() << ": " << a.designName() << " / " << b.designName();
        }
    }
}

}  // namespace dunax::testing
