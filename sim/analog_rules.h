// What the simulated analog input units share: the write rules of their number items, the
// Output Hold/Clear item and the live values of the monitored items.
#pragma once

#include <cstdint>
#include <string>

#include "sim/profile.h"

namespace dunax::sim {

// Takes a plain decimal number (optional sign, digits, one point unless whole) within lo..hi,
// stored as sent; refuses anything else.
WriteRule numberWithin(double lo, double hi, bool whole);

// Item 14 of group 00: read "ON" (hold) or "OFF" (clear), written "0" (hold) or "1" (clear).
void addOutputHold(Profile& p, const std::string& initial);

// A value wandering slowly between lo and hi with the given number of decimals: a sine wave of
// period periodMs with a slower ripple on it, phase-shifted per channel k.
LiveValue wandering(int k, double lo, double hi, int decimals, std::int64_t periodMs);

// Extension points: four set points walking one place every two seconds ("x000F" ...).
std::string walkingExtensionPoints(std::int64_t nowMs);

}  // namespace dunax::sim
