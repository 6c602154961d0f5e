// The network-interface items of a simulated unit on Modbus (model names "J6S-...").
#pragma once

#include "sim/profile.h"

namespace dunax::sim {

// The serial frame of the Modbus port: mode (item 54, "RTU"/"ASCII", written as 0/1), data bits
// (55, read only), parity (56, "NONE"/"ODD"/"EVEN", written as 0/1/2), stop bits (57, read
// only), and the network time-out (51, in 0.1 s, 0..32767).
void addModbusItems(Profile& p);

}  // namespace dunax::sim
