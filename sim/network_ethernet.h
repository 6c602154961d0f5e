// The network-interface items of a simulated unit on Ethernet (model names "J6U-...").
#pragma once

#include "sim/profile.h"

namespace dunax::sim {

// IP address (item 29), subnet mask (30) and, on firmware that has one, default gateway (48) as
// dotted texts; the two halves of the MAC address (27, 28, read only); the ports of the four TCP
// sockets (31..34, 1..65535); their linger timers (41..44, in 0.1 s, replies "LINGER:n:value");
// the network time-out (51, in 0.1 s). Firmware whose version begins "0." or "1." has no
// gateway item.
void addEthernetItems(Profile& p);

}  // namespace dunax::sim
