#include "sim/network_flremote.h"

#include "sim/network_rules.h"

namespace dunax::sim {

void addFLRemoteItems(Profile& p) {
    p.set("00", "51", "TWDT", "500").onWrite = wholeNumberWithin(0, 32767);
    p.set("00", "52", "FRAME", "2").onWrite = wholeNumberWithin(0, 50);
}

}  // namespace dunax::sim
