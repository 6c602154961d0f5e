// Simulated units of the discrete input and output models: 16-point outputs (MX16, MX16H with
// its reply delay timer, JR16), 8-point outputs (JR8Y), 8- and 4-point inputs (JR8U, JR4T),
// 8-channel relay outputs with read-back (BV8) and 8 inputs / 8 outputs with output modes
// (MXJ16). Their points change over time.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "sim/profile.h"

namespace dunax::sim {

struct DiscreteUnit {
    std::string modelName = "J6P-MX16";  // prefix names the network, the code the model
    std::string version = " 1.05";       // item 06 as the unit sends it
    std::string extModule = "VQ";        // item 10: "DI", "DO", or "VQ" for none
};

// The unit. Group 00 holds, by model:
// - outputs MX16, JR16, JR8Y: hold (14, "ON"/"OFF", written "0"/"1"), the output points (21,
//   "x" and four hex digits; JR8Y uses the last two); MX16H also the reply delay (58, written
//   0 to 100);
// - inputs JR8U, JR4T: the input points (21, "x" and four hex digits, the unused ones 0);
// - BV8: hold; per channel 0..7 the states (21..28, "DO DI" as two characters "0"/"1", the
//   input following the output one step later, as a relay's contact does);
// - MXJ16: hold; the output mode of channel pairs 0/1..6/7 (16..19, "0" maintained, "1"
//   momentary); per channel 0..7 the states (21..28, "DI;DO").
// An extension module's points (12) walk when one is fitted. Writes outside what the unit
// takes are refused ("CNG").
Profile makeDiscreteUnit(const DiscreteUnit& u);

// The points of a discrete module at nowMs: a pattern that changes every half second.
std::uint16_t discretePoints(std::int64_t nowMs, int points);

// Ready-made units by name, on several networks, with and without an extension module.
NamedProfiles discreteUnits();

}  // namespace dunax::sim
