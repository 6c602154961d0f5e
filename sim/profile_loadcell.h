// Simulated units of the two-channel load-cell model (SD2): a platform scale on CH 0 with a
// light load moving on it and a hopper on CH 1 that fills and empties, so that the weights
// change over time. The calibration actions (Zero, Span, Auto Zero, Offset Clear), the monitor
// output with Auto Scale, Output and Canncel, and the gain adjustment act on the running
// channels.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "sim/profile.h"

namespace dunax::sim {

struct LoadCellUnit {
    std::string modelName = "J6P-SD2";  // prefix names the network; "J6XN-SD2" is the HLS model
    std::string version = " 1.05";      // item 06 as the unit sends it
    int channels = 2;                   // item 03
    std::string filterMode = "1";       // item 09 of both channels: "1" first order lag
    std::string extModule = "VQ";       // item 10: "DI", "DO", "VQ" (none)
};

// Group 00: live weights of CH 0 / CH 1 (items 21, 22, one decimal), Output Hold/Clear (14) on
// the networks that have it. Channel groups "1"/"01" and "2"/"02": maintenance switch 01,
// filter mode 09 (read only), zero scale 20, full scale 21 (whole numbers -32000..32000),
// bias 22 (-320..320), gain 23 (-3.2..3.2), load ratio 28 (10..100); the actions 30 Zero,
// 31 Span, 32 Auto Zero (all with empty data), 33 Offset Clear ("0"); monitor output value 38
// (-32000..32000), Auto Scale 39 (empty data: full scale set so that the present load shows
// the monitor output value), gain adjustment 40 ("U", "D" or -100..100), Output 42 (a value
// forced on the monitor output), Canncel 43 ("1" ends it), and 44 the gain adjustment step
// as the HLS model reports it. Actions the load does not allow are refused ("CNG"): Auto Zero
// with more than a tenth of the capacity on the cell, Span with less than a twentieth.
Profile makeLoadCellUnit(const LoadCellUnit& u);

// Ready-made units by name: new firmware on CC-Link and on FLEX NETWORK, old firmware on
// Modbus and on FLEX NETWORK, and the HLS model with old firmware.
NamedProfiles loadCellUnits();

}  // namespace dunax::sim
