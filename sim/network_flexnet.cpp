#include "sim/network_flexnet.h"

#include <string>

#include "sim/network_rules.h"

namespace dunax::sim {

void addFlexnetItems(Profile& p) {
    p.set("00", "51", "TIMEOUT", "10").onWrite = wholeNumberWithin(0, 32767);
    const std::string& name = p.identity.modelName;
    const auto hyphen = name.find('-');
    const std::string code = hyphen == std::string::npos ? name : name.substr(hyphen + 1);
    if (code == "KW4") {
        p.set("00", "52", "CONV", "1").onWrite = wholeNumberWithin(0, 3);
    } else if (code == "BJ4" || code == "QN4") {
        p.set("00", "52", "CONV", "0").onWrite = wholeNumberWithin(0, 1);
    } else if (code == "KWH4") {
        p.set("00", "52", "AVE", "2").onWrite = wholeNumberWithin(0, 5);
    }
}

}  // namespace dunax::sim
