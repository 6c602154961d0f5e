#include "sim/analog_rules.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <optional>

namespace dunax::sim {

WriteRule numberWithin(double lo, double hi, bool whole) {
    return [=](const std::string& data) -> std::optional<std::string> {
        std::size_t i = (!data.empty() && (data[0] == '-' || data[0] == '+')) ? 1 : 0;
        bool digits = false, point = false;
        for (; i < data.size(); ++i) {
            if (data[i] >= '0' && data[i] <= '9') {
                digits = true;
            } else if (data[i] == '.' && !point && !whole) {
                point = true;
            } else {
                return std::nullopt;
            }
        }
        if (!digits) return std::nullopt;
        const double v = std::strtod(data.c_str(), nullptr);
        if (v < lo || v > hi) return std::nullopt;
        return data;
    };
}

void addOutputHold(Profile& p, const std::string& initial) {
    p.set("00", "14", "HOLD", initial).onWrite =
        [](const std::string& data) -> std::optional<std::string> {
        if (data == "0") return "ON";
        if (data == "1") return "OFF";
        return std::nullopt;
    };
}

LiveValue wandering(int k, double lo, double hi, int decimals, std::int64_t periodMs) {
    return [=](std::int64_t nowMs) {
        const double span = hi - lo;
        const double t = static_cast<double>((nowMs + k * periodMs / 5) % periodMs) /
                         static_cast<double>(periodMs);
        const double ripple = std::sin(2.0 * std::numbers::pi * t * 7.0);
        double v = lo + span * (0.5 + 0.42 * std::sin(2.0 * std::numbers::pi * t) + 0.05 * ripple);
        v = std::fmin(hi, std::fmax(lo, v));
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
        return std::string(buf);
    };
}

std::string walkingExtensionPoints(std::int64_t nowMs) {
    const unsigned shift = static_cast<unsigned>((nowMs / 2000) % 16);
    const unsigned bits = ((0x000Fu << shift) | (0x000Fu >> (16 - shift))) & 0xFFFFu;
    char buf[8];
    std::snprintf(buf, sizeof buf, "x%04X", bits);
    return buf;
}

}  // namespace dunax::sim
