#include "sim/profile_kw4.h"

#include <cmath>
#include <numbers>

#include "sim/shared_items.h"

namespace dunax::sim {

namespace {

// The monitored value of a channel: a slow sine wave around mid scale, two decimals.
LiveValue monitored(int k) {
    return [k](std::int64_t nowMs) {
        return fixed(50.0 + 45.0 * std::sin(2.0 * std::numbers::pi * phase(nowMs, 30000, k * 2500)),
                     2);
    };
}

}  // namespace

Profile makeKW4Unit(const KW4Unit& u) {
    Profile p = makeProfile({u.modelName, u.channels, u.version, u.extModule});
    const std::string rangeCode = moduleRangeCode(u.ranges, u.channels);

    p.setReadOnly("00", p.network == "HLS" ? "08" : "09", "RANGE", rangeCode);
    if (offersOutputHold(p)) addOutputHold(p);
    addChannelValues(p, 4, monitored);
    addExtensionPoints(p, u.extModule);

    const std::vector<std::string> rangeCodes = codesBelow(12);
    for (int ch = 1; ch <= u.channels; ++ch) {
        const int range = rangeOf(u.ranges, ch - 1);
        const auto [zb, fb] = voltageRangeBases(range);
        addChannelRange(p, ch, range, rangeCodes);
        addScaling(p, ch, plainScaling(zb, fb));
    }
    p.description += ", ranges " + rangeCode;
    return p;
}

std::vector<std::pair<std::string, KW4Unit>> kw4Units() {
    return {
        {"J6P-KW4", {"J6P-KW4", 4, " 1.05", "VQ", {0}}},
        {"J6P-KW4+DI", {"J6P-KW4", 4, " 1.05", "DI", {0}}},
        {"J6S-KWH4", {"J6S-KWH4", 4, " 1.02", "VQ", {0, 1, 3, 5}}},
        {"J6S-KWH4+DO", {"J6S-KWH4", 4, " 1.06", "DO", {10}}},
        {"J6XN-KW4", {"J6XN-KW4", 4, "1.02", "VQ", {0, 9, 3, 11}}},
        {"J6XN-KWH4+DI", {"J6XN-KWH4", 4, " 1.05", "DI", {3}}},
        {"J6YR-KWH4", {"J6YR-KWH4", 4, " 1.05", "VQ", {10}}},
        {"J6YR-KW4+DO", {"J6YR-KW4", 4, " 1.02", "DO", {0, 0, 9, 9}}},
        // One unit on each of the other networks, to try their settings windows.
        {"J6Q-KW4", {"J6Q-KW4", 4, " 1.05", "VQ", {0}}},
        {"J6SK-KW4", {"J6SK-KW4", 4, " 1.05", "VQ", {3}}},
        {"J6U-KW4", {"J6U-KW4", 4, " 1.05", "VQ", {0}}},
        {"J6WB-KW4", {"J6WB-KW4", 4, " 1.05", "VQ", {5}}},
    };
}

}  // namespace dunax::sim
