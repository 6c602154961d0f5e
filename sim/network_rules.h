// Write rules and items shared by the simulated network interfaces: codes that select a named
// setting, dotted addresses and the network time-out. Whole numbers in a range are taken by
// wholeNumberWithin (sim/shared_items.h).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "sim/profile.h"
#include "sim/shared_items.h"

namespace dunax::sim {

// Takes the code "0".."n-1" and keeps the name of that row of names; refuses anything else.
WriteRule namedCode(std::vector<std::string> names);

// A dotted address of four numbers 0..255 ("192.168.0.10"); nothing else.
bool isDottedAddress(const std::string& text);

// Item 51 of group "00": the network time-out in 0.1 s, initial as delivered; it takes a whole
// number 0..32767 of up to maxDigits digits and keeps it without leading zeros.
void addNetworkTimeout(Profile& p, const std::string& initial, std::size_t maxDigits = 9);

}  // namespace dunax::sim
