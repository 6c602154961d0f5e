// The network-interface items of a simulated unit on DeviceNet (model names "J6Q-...").
#pragma once

#include "sim/profile.h"

namespace dunax::sim {

// Status (item 68, "ON"/"OFF", written as the codes 0/1), the serial ID (item 50, up to eight
// upper-case hexadecimal digits) and the network time-out (item 51, in 0.1 s, 0..32767).
void addDeviceNetItems(Profile& p);

}  // namespace dunax::sim
