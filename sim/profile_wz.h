// Simulated units of the current models: the two-channel WZ2 and the four-channel WZ4.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "sim/profile.h"
#include "sim/scaled_items.h"

namespace dunax::sim {

// The unit: group 00 with output hold (14, not on HLS and FLEX NETWORK), one monitored value
// per channel of the model (21, 22 on WZ2; 21..24 on WZ4) and extension points (12); no range code;
// per channel the six scaling parameters (20..25), bases 4..20 mA (0..20 mA on every third
// channel).
Profile makeWZUnit(const ScaledUnit& u);

// Ready-made units by name: WZ2 and WZ4 on several networks, with and without an extension
// module.
std::vector<std::pair<std::string, ScaledUnit>> wzUnits();

}  // namespace dunax::sim
