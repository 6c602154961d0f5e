#include "sim/network_flexnet.h"

#include <string>

#include "sim/network_rules.h"

namespace dunax::sim {

void addFlexnetItems(Profile& p) {
    addNetworkTimeout(p, "10");
    const std::string code = modelCode(p.identity.modelName);
    if (code == "KW4") {
        p.set("00", "52", "CONV", "1").onWrite = wholeNumberWithin(0, 3);
    } else if (code == "BJ4" || code == "QN4") {
        p.set("00", "52", "CONV", "0").onWrite = wholeNumberWithin(0, 1);
    } else if (code == "KWH4") {
        p.set("00", "52", "AVE", "2").onWrite = wholeNumberWithin(0, 5);
    }
}

}  // namespace dunax::sim
