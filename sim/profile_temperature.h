// Simulated units of the four-channel temperature input models: thermocouple (BJ4), RTD (QN4)
// and thermistor (ZP4), on the field networks.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "sim/profile.h"

namespace dunax::sim {

struct TemperatureUnit {
    std::string modelName = "J6P-BJ4";  // prefix names the network, code BJ4, QN4 or ZP4
    int channels = 4;                   // item 03; every channel group gets its items
    std::string version = " 1.05";      // item 06 as the unit sends it
    std::string extModule = "VQ";       // item 10: "DI", "DO", or "VQ" for none
    // Sensor type code of each channel (rows of the model's type list) and its temperature
    // unit ('C', 'F' or 'K'); channels beyond a list repeat its last entry.
    std::vector<int> types{0};
    std::vector<char> units{'C'};
    std::string burnout = "UP";  // burnout direction, "UP" or "DOWN"
    // A channel (0..3) whose sensor opens now and then: its status bit is set for ten seconds
    // out of every twenty, and its value then sits at the end of the span the burnout
    // direction names. -1: every sensor is sound.
    int brokenChannel = -1;
};

// The unit: group 00 with the module-wide sensor type (09, or 08 for BJ4 and QN4 on HLS: the
// common type as one hex digit, "F" when the channels differ), output hold (14, not on HLS and
// FLEX NETWORK), the status bits (04: six digits, the sixth one bit per channel for an open
// sensor), the temperatures (21..24, one decimal, in each channel's unit) and the extension
// points (12); group 01 item 05 the burnout direction. Per channel: the unit (04, read "C",
// "F", "K", written "0", "1", "2"), the type (09, written as its list row; the separator rows
// of the RTD list are refused), the type text (03, following the type), zero scale, full scale,
// bias, gain, zero temp and full temp (20..25; the temperatures start at the type's span).
// Writes outside what the unit takes are refused ("CNG").
Profile makeTemperatureUnit(const TemperatureUnit& u);

// The span of a sensor type of a model code ("BJ4", "QN4", "ZP4") in a unit ('C', 'F', 'K'):
// lowest and highest temperature; 0 to 0 for a type the model does not have.
std::pair<int, int> temperatureSpan(const std::string& code, int type, char unit);

// Ready-made units by name: each model on CC-Link and on one or two other networks, with
// mixed types and units, an extension module, and a channel whose sensor opens now and then.
std::vector<std::pair<std::string, TemperatureUnit>> temperatureUnits();

}  // namespace dunax::sim
