// The network-interface items of a simulated unit on CC-Link (model names "J6P-...").
#pragma once

#include "sim/profile.h"

namespace dunax::sim {

// The CC-Link interface's network time-out (item 51 of group "00", in 0.1 s; 2.0 s as
// delivered): it takes a whole number 0..32767 and keeps it without leading zeros, and
// refuses anything else.
void addCCLinkItems(Profile& p);

}  // namespace dunax::sim
