// Simulated units of the scaled analog models on which only bias and gain (and the voltage
// range) are set: the eight-channel voltage model KWH8, the four-channel voltage model LQ4L and
// the four-channel current model WZ4L.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "sim/profile.h"
#include "sim/scaled_items.h"

namespace dunax::sim {

// The range codes the voltage models take: 0 -10..10 V, 1 -5..5 V, 3 0..10 V, 4 0..5 V,
// 5 1..5 V (code 2 is no range on them).
bool biasGainRangeTaken(int code);

// The unit, by the model code after the "-" of u.modelName (KWH8, LQ4L, WZ4L): group 00 with
// the module-wide range code (item 09: the common range of the channels, "F" when they differ;
// "A" on the current model), monitored values 21.. one per channel that change over time,
// extension points (12, walking when a module is fitted); per channel the range (09, voltage
// models only; a code without a range is refused) and zero scale, full scale, bias, gain, zero
// base and full base (20..25, bases by range, 4.000 to 20.000 mA on the current model). No
// output hold. Writes outside what the unit takes are refused ("CNG").
Profile makeBiasGainUnit(const ScaledUnit& u);

// Ready-made units by name: each model on a few networks, with equal and mixed ranges, with and
// without an extension module.
NamedProfiles biasGainUnits();

}  // namespace dunax::sim
