// What the simulated scaled voltage and current modules share beyond the items many models carry
// alike (sim/shared_items.h): the description of a unit, the factory scaling of a channel and
// the monitored values that change over time; and the list of every ready-made scaled unit.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "sim/profile.h"
#include "sim/shared_items.h"

namespace dunax::sim {

struct ScaledUnit {
    std::string modelName = "J6P-LQ2";  // prefix names the network, the part after "-" the model
    int channels = 2;                   // item 03; every channel group gets its items
    std::string version = " 1.05";      // item 06 as the unit sends it
    std::string extModule = "VQ";       // item 10: "DI", "DO", or "VQ" for none
    // Range row of each channel (voltage range models only); channels beyond the list repeat
    // the last entry.
    std::vector<int> ranges{0};
};

// A channel's scaling as it leaves the factory, with a little trim on some channels.
ChannelScaling typicalScaling(int k, std::string zeroBase, std::string fullBase);

// Items 21.. of group 00: one monitored value per channel, two decimals, each channel with its
// own signal (a slow wave, a ramp, a drifting level, a step).
void addMonitoredValues(Profile& p, int channels);

// Every ready-made scaled voltage and current unit, by name.
NamedProfiles scaledAnalogUnits();

}  // namespace dunax::sim
