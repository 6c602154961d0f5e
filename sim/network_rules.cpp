#include "sim/network_rules.h"

#include <optional>
#include <utility>

namespace dunax::sim {

WriteRule namedCode(std::vector<std::string> names) {
    return [names = std::move(names)](const std::string& data) -> std::optional<std::string> {
        const auto v = plainWhole(data);
        if (!v || data.size() != 1 || static_cast<std::size_t>(*v) >= names.size()) {
            return std::nullopt;
        }
        return names[static_cast<std::size_t>(*v)];
    };
}

bool isDottedAddress(const std::string& text) {
    std::size_t start = 0;
    for (int part = 0; part < 4; ++part) {
        const std::size_t dot = text.find('.', start);
        const bool last = part == 3;
        if (last != (dot == std::string::npos)) return false;
        const std::string number = text.substr(start, last ? std::string::npos : dot - start);
        const auto v = plainWhole(number);
        if (!v || number.size() > 3 || *v > 255) return false;
        start = dot + 1;
    }
    return true;
}

void addNetworkTimeout(Profile& p, const std::string& initial, std::size_t maxDigits) {
    p.set("00", "51", "TIMEOUT", initial).onWrite = wholeNumberWithin(0, 32767, maxDigits);
}

}  // namespace dunax::sim
