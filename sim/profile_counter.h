// Simulated units of the three pulse counter models: the 16-channel FE16, the 8-channel FE8 and
// the 8-channel unit of the Ethernet series, "J6U-FE8". Every channel counts pulses at its own
// rate from the moment the unit is made; a preset starts the channel again from the value
// written.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "sim/profile.h"

namespace dunax::sim {

struct CounterUnit {
    std::string modelName = "J6P-FE16";  // "J6U-FE8" is the Ethernet unit; else code FE16 or FE8
    int channels = 16;                   // item 03; the unit's settings cover these channels
    std::string version = " 1.05";       // item 06 as the unit sends it
    std::string extModule = "VQ";        // item 10: "DI", "DO", or "VQ" for none
};

// The unit. Group 00: output hold (14, "ON"/"OFF", written "0"/"1"), extension points (12), the
// bit image (20; 16 on "J6U-FE8") with bit k set once channel k has passed its Max, and the
// counts of every channel of the model (21..; 17.. on "J6U-FE8").
// FE16: Carry (13), Max (14) and the preset (11) in the channel's group. FE8: Carry and Max of
// CH k as items 30 + 2k and 31 + 2k of group 00, the preset written to the count item 21 + k.
// "J6U-FE8": Carry (13), Max (14) and preset (11) in the channel's group.
// A count runs from 0 to Max; past Max it starts again from 0 when Carry is on, else it stays
// at Max. Writes of whole numbers only: Max 0..1000000000 (FE16) or 1000..4294967295, Carry
// 0..1000000000 (FE16) or "0"/"1", a preset 0..Max; anything else is refused ("CNG").
Profile makeCounterUnit(const CounterUnit& u);

// The count of a channel that has counted ratePerSecond pulses a second, taken in once a
// second, for elapsedMs from start, run against its Max: past Max it starts again from 0 with
// carry, else it stays at Max. overflowed tells whether it has passed Max.
unsigned long long counterValue(unsigned long long start, unsigned long long ratePerSecond,
                                long long elapsedMs, unsigned long long max, bool carry,
                                bool& overflowed);

// Ready-made units by name: FE16 and FE8 on several networks, "J6U-FE8", with and without an
// extension module.
std::vector<std::pair<std::string, CounterUnit>> counterUnits();

}  // namespace dunax::sim
