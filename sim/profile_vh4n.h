// Simulated units of the four-channel current input model VH4N (4 to 20 mA) on the field
// networks.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "sim/profile.h"
#include "sim/scaled_items.h"

namespace dunax::sim {

// The unit: group 00 with the module-wide range code (item 09, one code for the whole module,
// on every network), output hold (14; not on HLS and FLEX NETWORK), monitored values 21..24
// that change over time, extension points (12, walking when a module is fitted); per channel
// zero scale, full scale, bias, gain, zero base and full base (20..25, bases 4.000 to 20.000
// mA). Writes outside what the unit takes are refused ("CNG"). The ranges of u are not used.
Profile makeVH4NUnit(const ScaledUnit& u);

// Ready-made units by name: on CC-Link, Modbus, HLS and FLEX NETWORK, with and without an
// extension module.
NamedProfiles vh4nUnits();

}  // namespace dunax::sim
