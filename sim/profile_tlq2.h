// Simulated units of the two-channel scaling model (TLQH2).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "sim/profile.h"
#include "sim/scaled_items.h"

namespace dunax::sim {

// The unit: group 00 with the range code item (09, always "0"), one monitored value per
// channel (21, 22) and extension points (12); no output hold on any network; per channel the
// six scaling parameters (20..25), bases -10..10 on the first channel and 0..10 on the others.
Profile makeTLQH2Unit(const ScaledUnit& u);

// Ready-made units by name: on CC-Link, Ethernet with an extension module, and HLS.
std::vector<std::pair<std::string, ScaledUnit>> tlq2Units();

}  // namespace dunax::sim
