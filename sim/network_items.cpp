#include "sim/network_items.h"

#include "sim/network_cclink.h"

namespace dunax::sim {

void addNetworkItems(Profile& p) {
    if (p.network == "CC-Link") addCCLinkItems(p);
}

}  // namespace dunax::sim
