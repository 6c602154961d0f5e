// The network-interface items of a simulated unit on MECHATROLINK (model names "J6SK...").
#pragma once

#include "sim/profile.h"

namespace dunax::sim {

// The generation and transfer size as the mode switch sets them (item 08, "MODE:M-II/32Byte"),
// the station address (07, two hexadecimal digits), both read only, and the network time-out
// (51, in 0.1 s, 0..32767).
void addMechatrolinkItems(Profile& p);

}  // namespace dunax::sim
