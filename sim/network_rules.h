// Write rules shared by the simulated network interfaces: whole numbers in a range, and codes
// that select a named setting.
#pragma once

#include <string>
#include <vector>

#include "sim/profile.h"

namespace dunax::sim {

// Takes a whole number lo..hi in plain decimal digits and keeps it without leading zeros;
// refuses anything else (a sign, blanks, a point, an empty text).
WriteRule wholeNumberWithin(long lo, long hi);

// Takes the code "0".."n-1" and keeps the name of that row of names; refuses anything else.
WriteRule namedCode(std::vector<std::string> names);

// A dotted address of four numbers 0..255 ("192.168.0.10"); nothing else.
bool isDottedAddress(const std::string& text);

}  // namespace dunax::sim
