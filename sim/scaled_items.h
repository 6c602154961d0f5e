// Items the simulated scaled voltage and current modules share: the six scaling parameters of
// a channel, Output Hold/Clear, monitored values that change over time, extension points and
// the module-wide range code; and the list of every ready-made scaled unit.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "sim/profile.h"

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

struct ChannelScaling {
    std::string zeroScale, fullScale, bias, gain, zeroBase, fullBase;
};

// The model code of a model name: the part after the first "-" ("J6P-LQ4" gives "LQ4").
std::string modelCode(const std::string& modelName);

// The range row of channel k (0-based).
int rangeOf(const std::vector<int>& ranges, int k);
// The module-wide range code: the common range of all channels as one hex digit, "F" when
// they differ.
std::string moduleRangeCode(const std::vector<int>& ranges, int channels);

// A channel's scaling as it leaves the factory, with a little trim on some channels.
ChannelScaling typicalScaling(int k, std::string zeroBase, std::string fullBase);

// Items 20..25 of channel group ch. Scales take whole numbers within -32000..32000, bias
// -320..320, gain -3.2..3.2, bases -32000..32000; anything else is refused ("CNG").
void addScaling(Profile& p, int ch, const ChannelScaling& s);
// Item 14 of group 00 ("ON"/"OFF", written "0" hold / "1" clear) on the networks that offer
// it (not HLS, not FLEX NETWORK).
void addOutputHold(Profile& p);
// Items 21.. of group 00: one monitored value per channel, two decimals, each channel with its
// own signal (a slow wave, a ramp, a drifting level, a step).
void addMonitoredValues(Profile& p, int channels);
// Item 12 of group 00: a walking pattern when an extension module is fitted.
void addExtensionPoints(Profile& p, const std::string& extModule);

// Every ready-made scaled voltage and current unit, by name.
std::vector<std::pair<std::string, std::function<Profile()>>> scaledAnalogUnits();

}  // namespace dunax::sim
