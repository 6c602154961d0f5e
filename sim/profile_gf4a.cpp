#include "sim/profile_gf4a.h"

#include "sim/shared_items.h"

namespace dunax::sim {

std::pair<std::string, std::string> gf4aBases(int range) {
    switch (range) {
        case 0:
            return {"0.0", "600.0"};
        case 1:
            return {"0.0", "400.0"};
        case 2:
            return {"0.0", "200.0"};
        case 3:
            return {"0.0", "100.0"};
        case 4:
            return {"0.00", "50.00"};
        case 5:
            return {"0.000", "5.000"};
        default:
            return {"0.0", "0.0"};
    }
}

Profile makeGF4AUnit(const GF4AUnit& u) {
    Profile p = makeProfile({u.modelName, u.channels, u.version, u.extModule});
    const std::string rangeCode = moduleRangeCode(u.ranges, u.channels);
    p.setReadOnly("00", "09", "RANGE", rangeCode);
    if (offersOutputHold(p)) addOutputHold(p);
    // Motor loads: each channel swings between light and heavy load on its own phase.
    addChannelValues(p, 4, [](int k) { return wandering(k, 8.0, 92.0, 2, 25000 + k * 3000); });
    addExtensionPoints(p, u.extModule);
    p.set("01", "11", "STARTUP", "50").onWrite = numberWithin(0, 600, true);

    // Scales 0..60000 with decimals, bases 0..600.
    ScalingLimits limits;
    limits.scaleLo = 0;
    limits.scaleHi = 60000;
    limits.wholeScales = false;
    limits.baseLo = 0;
    limits.baseHi = 600;
    const std::vector<std::string> rangeCodes = codesBelow(6);
    for (int ch = 1; ch <= u.channels; ++ch) {
        const int range = rangeOf(u.ranges, ch - 1);
        const auto [zb, fb] = gf4aBases(range);
        addChannelRange(p, ch, range, rangeCodes);
        p.set(std::to_string(ch), "12", "DROPOUT", "10").onWrite = numberWithin(5, 50, false);
        addScaling(p, ch, plainScaling(zb, fb), limits);
    }
    p.description += ", ranges " + rangeCode;
    return p;
}

std::vector<std::pair<std::string, GF4AUnit>> gf4aUnits() {
    return {
        {"J6P-GF4E", {"J6P-GF4E", 4, " 1.05", "VQ", {0}}},
        {"J6U-GF4E+DO", {"J6U-GF4E", 4, " 1.06", "DO", {3}}},
        {"J6XN-GF4E", {"J6XN-GF4E", 4, " 1.05", "VQ", {0, 2, 4, 5}}},
    };
}

}  // namespace dunax::sim
