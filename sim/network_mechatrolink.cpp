#include "sim/network_mechatrolink.h"

#include "sim/network_rules.h"

namespace dunax::sim {

void addMechatrolinkItems(Profile& p) {
    p.setReadOnly("00", "08", "MODE", "M-II/32Byte");
    p.setReadOnly("00", "07", "ADDRESS", "61");
    addNetworkTimeout(p, "20");
}

}  // namespace dunax::sim
