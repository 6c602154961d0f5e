// Simulated units of the four-channel percent input model (UX4) on the field networks.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "sim/profile.h"

namespace dunax::sim {

struct UX4Unit {
    std::string modelName = "J6P-UX4";  // prefix names the network
    int channels = 4;                   // item 03; every channel group gets its items
    std::string version = " 1.05";      // item 06 as the unit sends it
    std::string extModule = "VQ";       // item 10: "DI", "DO", or "VQ" for none
};

// The unit: group 00 with output hold (14, not on HLS and FLEX NETWORK), monitored values
// 21..24 (the scaled inputs, two decimals) and extension points (12); per channel zero scale
// and full scale (20, 21: whole numbers -32000..32000), zero base and full base (32, 33: whole
// numbers 0..10000) and the input in percent (34, two decimals, read only). The monitored
// value of a channel follows its percent over the default scaling 0..10000. Writes outside
// what the unit takes are refused ("CNG").
Profile makeUX4Unit(const UX4Unit& u);

// Ready-made units by name: on CC-Link, Modbus with an extension module, and FLEX NETWORK.
std::vector<std::pair<std::string, UX4Unit>> ux4Units();

}  // namespace dunax::sim
