#include "sim/network_cclink.h"

#include "sim/network_rules.h"

namespace dunax::sim {

void addCCLinkItems(Profile& p) {
    // The CC-Link interface takes the time-out with up to 16 digits (leading zeros).
    addNetworkTimeout(p, "20", 16);
}

}  // namespace dunax::sim
