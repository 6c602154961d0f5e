#include "sim/network_rules.h"

#include <optional>
#include <utility>

namespace dunax::sim {

namespace {

// The value of a text of 1..9 plain digits; nothing for any other text.
std::optional<long> plainNumber(const std::string& text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    long v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

}  // namespace

WriteRule wholeNumberWithin(long lo, long hi) {
    return [lo, hi](const std::string& data) -> std::optional<std::string> {
        const auto v = plainNumber(data);
        if (!v || *v < lo || *v > hi) return std::nullopt;
        return std::to_string(*v);
    };
}

WriteRule namedCode(std::vector<std::string> names) {
    return [names = std::move(names)](const std::string& data) -> std::optional<std::string> {
        const auto v = plainNumber(data);
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
        const auto v = plainNumber(number);
        if (!v || number.size() > 3 || *v > 255) return false;
        start = dot + 1;
    }
    return true;
}

}  // namespace dunax::sim
