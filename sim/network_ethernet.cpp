#include "sim/network_ethernet.h"

#include <optional>
#include <string>

#include "sim/network_rules.h"

namespace dunax::sim {

namespace {

WriteRule dottedAddress() {
    return [](const std::string& data) -> std::optional<std::string> {
        if (!isDottedAddress(data)) return std::nullopt;
        return data;
    };
}

// The linger timer of socket k: the unit answers "LINGER:k:value".
WriteRule lingerOf(int k) {
    return [k, number = wholeNumberWithin(0, 32767)](
               const std::string& data) -> std::optional<std::string> {
        const auto v = number(data);
        if (!v) return std::nullopt;
        return std::to_string(k) + ":" + *v;
    };
}

}  // namespace

void addEthernetItems(Profile& p) {
    const std::string head = p.identity.version.substr(0, 2);
    const bool gateway = head != "0." && head != "1.";

    p.set("00", "29", "IP", "192.168.0.10").onWrite = dottedAddress();
    p.set("00", "30", "SNM", "255.255.255.0").onWrite = dottedAddress();
    if (gateway) p.set("00", "48", "DGW", "192.168.0.1").onWrite = dottedAddress();
    p.setReadOnly("00", "27", "MAC1", "00-90-E8");
    p.setReadOnly("00", "28", "MAC2", "4C-21-7A");
    for (int k = 1; k <= 4; ++k) {
        p.set("00", std::to_string(30 + k), "PORT" + std::to_string(k), std::to_string(7999 + k))
            .onWrite = wholeNumberWithin(1, 65535);
        p.set("00", std::to_string(40 + k), "LINGER", std::to_string(k) + ":50").onWrite =
            lingerOf(k);
    }
    addNetworkTimeout(p, "50");
}

}  // namespace dunax::sim
