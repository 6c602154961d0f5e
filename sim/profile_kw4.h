// Simulated units of the four-channel voltage/current input model (KW4, and KWH4, which the
// program treats alike) on the field networks, with realistic settings per range.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "sim/profile.h"

namespace dunax::sim {

struct KW4Unit {
    std::string modelName = "J6P-KW4";  // prefix names the network, code KW4 or KWH4
    int channels = 4;                   // item 03; every channel group gets its items
    std::string version = " 1.05";      // item 06 as the unit sends it
    std::string extModule = "VQ";       // item 10: "DI", "DO", or "VQ" for none
    // Range code of each channel (0..11, the rows of the range list voltageRangeBases names);
    // channels beyond the list repeat the last entry.
    std::vector<int> ranges{0};
};

// The unit: group 00 with the module-wide range code (item 09; on HLS item 08, with no 09),
// output hold (14, "ON"/"OFF", written "0"/"1"; not on HLS and FLEX NETWORK), monitored values
// 21..24 (slow sine waves, two decimals), extension points (12, a walking pattern when a module
// is fitted); per channel the range (09) and zero scale, full scale, bias, gain, zero base and
// full base (20..25). Writes outside what the unit takes are refused ("CNG").
Profile makeKW4Unit(const KW4Unit& u);

// Ready-made units by name: KW4 and KWH4 on CC-Link, Modbus, HLS and FLEX NETWORK, with and
// without an extension module, old and new firmware.
std::vector<std::pair<std::string, KW4Unit>> kw4Units();

}  // namespace dunax::sim
