// Simulated units of the four-channel AC current input model (GF4E) on the field networks.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "sim/profile.h"

namespace dunax::sim {

struct GF4AUnit {
    std::string modelName = "J6P-GF4E";  // prefix names the network
    int channels = 4;                    // item 03; every channel group gets its items
    std::string version = " 1.05";       // item 06 as the unit sends it
    std::string extModule = "VQ";        // item 10: "DI", "DO", or "VQ" for none
    // Range code of each channel (0..5: 600, 400, 200, 100, 50, 5 A); channels beyond the list
    // repeat the last entry.
    std::vector<int> ranges{0};
};

// The unit: group 00 with the module-wide range code (09: the common range as one hex digit,
// "F" when the channels differ), output hold (14, not on HLS and FLEX NETWORK), monitored values
// 21..24 (load currents in per cent of the scale, two decimals) and extension points (12);
// group 01 item 11 the startup timer (x 0.1 s, 0..600); per channel the range (09), the drop out
// (12, x 0.1 %, 5..50) and zero scale, full scale, bias, gain, zero base and full base (20..25;
// scales 0..60000, bases by the range). Writes outside what the unit takes are refused ("CNG").
Profile makeGF4AUnit(const GF4AUnit& u);

// Zero base and full base texts of a range code.
std::pair<std::string, std::string> gf4aBases(int range);

// Ready-made units by name: on CC-Link, Ethernet with an extension module, and HLS with mixed
// ranges.
std::vector<std::pair<std::string, GF4AUnit>> gf4aUnits();

}  // namespace dunax::sim
