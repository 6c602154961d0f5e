#include "sim/network_devicenet.h"

#include <optional>
#include <string>

#include "sim/network_rules.h"

namespace dunax::sim {

void addDeviceNetItems(Profile& p) {
    p.set("00", "68", "STATUS", "ON").onWrite = namedCode({"OFF", "ON"});
    p.set("00", "50", "SERIAL", "00A3F1C2").onWrite =
        [](const std::string& data) -> std::optional<std::string> {
        if (data.empty() || data.size() > 8) return std::nullopt;
        for (char c : data) {
            if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return std::nullopt;
        }
        return data;
    };
    addNetworkTimeout(p, "20");
}

}  // namespace dunax::sim
