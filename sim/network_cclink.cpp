#include "sim/network_cclink.h"

#include <optional>
#include <string>

namespace dunax::sim {

namespace {

// A whole number 0..32767 in decimal digits, as the unit stores it; nothing for any other text.
std::optional<std::string> wholeNumber16(const std::string& data) {
    if (data.empty() || data.size() > 16) return std::nullopt;
    long v = 0;
    for (char c : data) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    if (v > 32767) return std::nullopt;
    return std::to_string(v);
}

}  // namespace

void addCCLinkItems(Profile& p) {
    p.set("00", "51", "TIMEOUT", "20").onWrite = wholeNumber16;
}

}  // namespace dunax::sim
