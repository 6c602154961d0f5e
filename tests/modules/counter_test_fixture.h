// Shared ground of the pulse counter window tests: a connected simulated counter unit, the
// three windows by model number, and the channel addressing that each window's item map implies.
#pragma once

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
#include "modules/discrete_counter/frm_fe16.h"
#include "modules/discrete_counter/frm_fe8.h"
#include "modules/discrete_counter/frm_j6ufe8.h"
#include "modules/register.h"
#include "sim/profile_counter.h"
#include "support/unit_fixture.h"

namespace dunax::testing {

// One of the three windows, with the unit it serves.
struct CounterKind {
    const char* name;
    int modelNum;
    std::string modelName;
    int channels;
};

inline const std::vector<CounterKind>& counterKinds() {
    static const std::vector<CounterKind> kinds{
        {"FE16", 10, "J6P-FE16", 16}, {"FE8", 14, "J6P-FE8", 8}, {"J6UFE8", 23, "J6U-FE8", 8}};
    return kinds;
}

// Group, Carry item and Max item of channel ch (1..) as the window reads or writes them:
// FE16 reads the plain group ("1") and writes the two-digit one ("01").
struct ChannelItems {
    std::string group, carry, max;
};

inline ChannelItems channelItems(int modelNum, int ch, bool writing) {
    const std::string two = (ch < 10 ? "0" : "") + std::to_string(ch);
    if (modelNum == 14) {
        return {"00", std::to_string(30 + 2 * (ch - 1)), std::to_string(31 + 2 * (ch - 1))};
    }
    return {modelNum == 10 && !writing ? std::to_string(ch) : two, "13", "14"};
}

// The commands of a complete upload without an extension module.
inline Cmds uploadCommands(int modelNum, int channels) {
    Cmds c{"G00", "I14"};
    for (int ch = 1; ch <= channels; ++ch) {
        const auto it = channelItems(modelNum, ch, false);
        c.insert(c.end(), {"G" + it.group, "I" + it.carry, "G" + it.group, "I" + it.max});
    }
    return c;
}

class CounterTest : public UnitFixture {
  protected:
    // Connects to a simulated counter unit and leaves the globals as its identification would.
    void start(const sim::CounterUnit& u) {
        useProfile(sim::makeCounterUnit(u));
        connectAs(u.modelName, u.channels, u.extModule);
        if (u.modelName == "J6U-FE8") {  // matched by its full name
            core::g.ModelNum = 23;
            core::g.UploadModelNum = 23;
        }
    }

    void start(const CounterKind& k, const std::string& ext = "VQ") {
        start({k.modelName, k.channels, " 1.05", ext});
    }

    void TearDown() override {
        modules::frmFE16.reset();
        modules::frmFE8.reset();
        modules::frmJ6UFE8.reset();
        UnitFixture::TearDown();
    }

    static modules::CounterWindow& window(int modelNum) {
        if (modelNum == 10) return modules::frmFE16();
        if (modelNum == 14) return modules::frmFE8();
        return modules::frmJ6UFE8();
    }
};

}  // namespace dunax::testing
