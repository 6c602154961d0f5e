// Simulated units of the voltage range models: the two-channel LQ2 (eight ranges) and the
// four-channel LQ4 (five ranges), with realistic settings per range.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "sim/profile.h"
#include "sim/scaled_items.h"

namespace dunax::sim {

// Zero base and full base texts of a range row ("0.000", "0.000" for a row the model lacks).
std::pair<std::string, std::string> lq2Bases(int range);
std::pair<std::string, std::string> lq4Bases(int range);

// The unit: group 00 with the module-wide range code (item 09, on every network), output hold
// (14, not on HLS and FLEX NETWORK), one monitored value per channel of the model (21..) and
// extension points (12); per channel the range row (09, only the model's rows are taken) and the
// six scaling parameters (20..25). The model code after the "-" (LQ2 or LQ4) sets the ranges.
Profile makeLQUnit(const ScaledUnit& u);

// Ready-made units by name: LQ2 and LQ4 on several networks, with and without an extension
// module, with one range for all channels and with mixed ranges.
std::vector<std::pair<std::string, ScaledUnit>> lqUnits();

}  // namespace dunax::sim
