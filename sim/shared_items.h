// What the simulated units share: the write rules of their number items, value texts, values
// that change over time, the per-channel lists of a unit, and the items that many models carry
// alike (maintenance switch, Output Hold/Clear, extension points, monitored values, range and
// scaling items of an analog channel).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "sim/profile.h"

namespace dunax::sim {

// --- Write rules

// The value of a plain decimal number: optional sign, digits, one point unless whole; nothing
// for any other text.
std::optional<double> plainDecimal(const std::string& data, bool whole);
// Takes a plain decimal number within lo..hi, stored as sent; refuses anything else.
WriteRule numberWithin(double lo, double hi, bool whole);

// The value of a text of 1..maxDigits plain digits; nothing for any other text.
std::optional<long> plainWhole(const std::string& text, std::size_t maxDigits = 9);
// Takes a whole number lo..hi of 1..maxDigits plain digits and keeps it without leading zeros;
// refuses anything else (a sign, blanks, a point, an empty text).
WriteRule wholeNumberWithin(long lo, long hi, std::size_t maxDigits = 9);

// --- Value texts

// v with the given number of decimals ("%.2f").
std::string fixed(double v, int decimals);
// "x" and four upper-case hex digits of the low 16 bits.
std::string hex4(unsigned bits);

// --- Values over time

// Where in its period the clock stands, 0..1.
double phase(std::int64_t nowMs, std::int64_t periodMs, std::int64_t offsetMs);

// A value wandering slowly between lo and hi with the given number of decimals: a sine wave of
// period periodMs with a slower ripple on it, phase-shifted per channel k.
LiveValue wandering(int k, double lo, double hi, int decimals, std::int64_t periodMs);

// Extension points: four set points walking one place every two seconds ("x000F" ...).
std::string walkingExtensionPoints(std::int64_t nowMs);

// --- Per-channel lists

// Entry k of a per-channel list; channels beyond the list repeat its last entry, fallback for
// an empty list.
template <class T>
T perChannel(const std::vector<T>& v, int k, T fallback) {
    if (v.empty()) return fallback;
    const auto i = static_cast<std::size_t>(k);
    return i < v.size() ? v[i] : v.back();
}

// The range row of channel k (0-based), 0 for an empty list.
int rangeOf(const std::vector<int>& ranges, int k);
// The module-wide range code: the common range of all channels as one hex digit, "F" when
// they differ.
std::string moduleRangeCode(const std::vector<int>& ranges, int channels);
// The codes "0" .. count-1.
std::vector<std::string> codesBelow(int count);

// --- Items many models carry alike

// Item 01 of group: the maintenance switch, "1" as delivered, written "F" or "1".
void addMaintenanceSwitch(Profile& p, const std::string& group);

// Whether the unit's network offers Output Hold/Clear (not HLS, not FLEX NETWORK).
bool offersOutputHold(const Profile& p);
// Item 14 of group 00: read "ON" (hold) or "OFF" (clear), written "0" (hold) or "1" (clear).
void addOutputHold(Profile& p, const std::string& initial = "OFF");

// Item 12 of group 00: the points of the extension module, when one is fitted.
void addExtensionPoints(Profile& p, const std::string& extModule,
                        LiveValue points = walkingExtensionPoints);

// Items 21.. of group 00, labelled "CH0", "CH1", ...: the monitored value of each of count
// channels, valueOf(k) for channel k.
void addChannelValues(Profile& p, int count, const std::function<LiveValue(int)>& valueOf);

// --- Analog channel items

struct ChannelScaling {
    std::string zeroScale, fullScale, bias, gain, zeroBase, fullBase;
};

// Zero scale 0, full scale 10000, bias 0.00, gain 1.0000 and the given bases.
ChannelScaling plainScaling(std::string zeroBase, std::string fullBase);

// What the scaling items of a model take and how it labels its bases. Bias always takes
// -320..320, gain -3.2..3.2.
struct ScalingLimits {
    double scaleLo = -32000, scaleHi = 32000;
    bool wholeScales = true;
    double baseLo = -32000, baseHi = 32000;
    std::string zeroBaseLabel = "ZB", fullBaseLabel = "FB";
};

// Items 20..25 of channel group ch: zero scale, full scale, bias, gain, zero base and full
// base; anything outside limits is refused ("CNG").
void addScaling(Profile& p, int ch, const ChannelScaling& s, const ScalingLimits& limits = {});

// Item 09 of channel group ch: the range row, taking only the codes in taken.
void addChannelRange(Profile& p, int ch, int range, const std::vector<std::string>& taken);

// Zero base and full base texts of a row of the voltage/current range list the analog input
// models share ("0.000", "0.000" for a row that is no range): 0 -10..10 V, 1 -5..5 V,
// 2 -1..1 V, 3 0..10 V, 4 0..5 V, 5 1..5 V, 6 0..1 V, 7 -0.5..0.5 V, 9 -20..20 mA,
// 10 4..20 mA, 11 0..20 mA.
std::pair<std::string, std::string> voltageRangeBases(int row);

// --- Ready-made units

// Every ready-made unit of a kind, by name, each made by make when it is asked for.
template <class Unit>
NamedProfiles namedUnits(const std::vector<std::pair<std::string, Unit>>& units,
                         Profile (*make)(const Unit&)) {
    NamedProfiles all;
    for (const auto& [name, unit] : units) {
        all.emplace_back(name, [unit = unit, make] { return make(unit); });
    }
    return all;
}

}  // namespace dunax::sim
