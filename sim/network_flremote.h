// The network-interface items of a simulated unit on FL-Remote (model names "J6WB...").
#pragma once

#include "sim/profile.h"

namespace dunax::sim {

// The token watchdog timer (item 51, in 100 us, 0..32767) and the allowable minimum frame
// interval (52, in 1 ms, 0..50).
void addFLRemoteItems(Profile& p);

}  // namespace dunax::sim
