// A fixture for the discrete module windows against a simulated discrete unit.
#pragma once

#include <string>
#include <vector>

#include "core/connection.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/text.h"
#include "modules/discrete_counter/frm_bv8.h"
#include "modules/discrete_counter/frm_discrete_in.h"
#include "modules/discrete_counter/frm_jr16.h"
#include "modules/discrete_counter/frm_jr8y.h"
#include "modules/discrete_counter/frm_mx16.h"
#include "modules/discrete_counter/frm_mxj16.h"
#include "platform/color.h"
#include "sim/profile_discrete.h"
#include "support/unit_fixture.h"

namespace dunax::testing {

class DiscreteFixture : public UnitFixture {
  protected:
    // Connects to a simulated unit of modelName and leaves the globals as its identification
    // would; ext "DI"/"DO" fits a 16-point extension module. chCount -1: the unit's own.
    void start(const std::string& modelName, const std::string& ext = "VQ", int chCount = -1) {
        useProfile(sim::makeDiscreteUnit({modelName, " 1.05", ext}));
        connectAs(modelName, chCount >= 0 ? chCount : unit->profile().identity.channelCount, ext,
                  16, ext == "DI" ? "PY16" : "PG16");
    }

    void TearDown() override {
        modules::frmMX16.reset();
        modules::frmJR16.reset();
        modules::frmJR8U.reset();
        modules::frmJR4T.reset();
        modules::frmJR8Y.reset();
        modules::frmBV8.reset();
        modules::frmMXJ16.reset();
        UnitFixture::TearDown();
    }

    // A fixed reply value for an item of group 00 (replacing a live one).
    void setItem(const std::string& item, const std::string& value) {
        unit->profile().set("00", item, "DATA", value);
    }
};

// Lamp colours, box 0 first: "G" green, "R" red, "." anything else (untouched).
inline std::string lamps(const platform::ControlArray& boxes) {
    std::string s;
    for (int n : boxes.indices()) {
        const auto c = boxes(n).backColor();
        s += c == platform::color::Green ? 'G' : c == platform::color::Red ? 'R' : '.';
    }
    return s;
}

// Paints every lamp with a colour no bit gives, so that untouched lamps show as ".".
inline void blank(const platform::ControlArray& boxes) {
    for (int n : boxes.indices()) boxes(n).setBackColor(platform::color::Black);
}

}  // namespace dunax::testing
