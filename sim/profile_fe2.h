// Simulated units of the two-channel encoder counter model (FE2): an encoder on each channel
// turning at a varying speed, so that positions count and speeds change over time; counter
// settings, two alarms per channel, latch/reset flags, and the latch, reset and data clear
// requests carried out on the running counters.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "sim/profile.h"

namespace dunax::sim {

struct FE2Unit {
    std::string modelName = "J6P-FE2";  // prefix names the network
    std::string version = " 1.05";      // item 06 as the unit sends it
    std::string countMode = "POS";      // item 28 of group 01: "POS" or "SPE"
    int channels = 2;                   // item 03
};

// The unit. Group 00: current position, current speed, latched position, latched speed and
// reset position of CH 0 / CH 1 (items 20..29; positions as whole counts, speeds in percent
// with two decimals). Group 01 (the settings, also answered as group 1): maintenance switch
// 01, alarm timers 06..08, drop out 10/11, reset value 14/15, minimum 16/17, maximum 18/19,
// count mode 28, frequency range 29, position count mode 30 (read only), bias, gain, zero and
// full scale 34..41, HLS command 42/43, alarms A and B 44..63, latch/reset flags 64..77, and
// the requests 78..85 (write "1": latch, reset, latch data clear, reset data clear of CH 0 and
// CH 1). Writes outside what the unit takes are refused ("CNG"): numbers out of range, a
// minimum not below the maximum, a reset value outside minimum..maximum.
Profile makeFE2Unit(const FE2Unit& u);

// Ready-made units by name: on CC-Link counting position, on Modbus counting speed (old
// firmware), on HLS.
std::vector<std::pair<std::string, FE2Unit>> fe2Units();

}  // namespace dunax::sim
