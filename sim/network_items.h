// The items of a simulated unit's network-interface part, by the field network its model name
// names. Each network's items live in a file of their own (network_cclink.cpp, ...).
#pragma once

#include "sim/profile.h"

namespace dunax::sim {

// Adds the network-interface items of p.network to group "00"; nothing for a network whose
// items are not simulated yet.
void addNetworkItems(Profile& p);

}  // namespace dunax::sim
