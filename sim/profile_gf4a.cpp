#include "sim/profile_gf4a.h"

#include "sim/analog_rules.h"

namespace dunax::sim {

namespace {

int rangeOf(const GF4AUnit& u, int k) {
    if (u.ranges.empty()) return 0;
    const auto i = static_cast<std::size_t>(k);
    return i < u.ranges.size() ? u.ranges[i] : u.ranges.back();
}

std::string moduleRangeCode(const GF4AUnit& u) {
    const int first = rangeOf(u, 0);
    for (int k = 1; k < u.channels; ++k) {
        if (rangeOf(u, k) != first) return "F";
    }
    static const char* const kHex = "0123456789ABCDEF";
    return std::string(1, kHex[first & 0xF]);
}

}  // namespace

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
    p.setReadOnly("00", "09", "RANGE", moduleRangeCode(u));
    if (p.network != "HLS" && p.network != "FLEX NETWORK") addOutputHold(p, "OFF");
    // Motor loads: each channel swings between light and heavy load on its own phase.
    for (int k = 0; k < 4; ++k) {
        p.setLive("00", std::to_string(21 + k), "CH" + std::to_string(k),
                  wandering(k, 8.0, 92.0, 2, 25000 + k * 3000));
    }
    if (u.extModule != "VQ") p.setLive("00", "12", "EXTDATA", walkingExtensionPoints);
    p.set("01", "11", "STARTUP", "50").onWrite = numberWithin(0, 600, true);

    std::vector<std::string> rangeCodes;
    for (int r = 0; r <= 5; ++r) rangeCodes.push_back(std::to_string(r));
    for (int ch = 1; ch <= u.channels; ++ch) {
        const std::string g = std::to_string(ch);
        const int range = rangeOf(u, ch - 1);
        const auto [zb, fb] = gf4aBases(range);
        p.set(g, "09", "RANGE", std::to_string(range));
        p.acceptOnly(g, "09", rangeCodes);
        p.set(g, "12", "DROPOUT", "10").onWrite = numberWithin(5, 50, false);
        p.set(g, "20", "ZS", "0").onWrite = numberWithin(0, 60000, false);
        p.set(g, "21", "FS", "10000").onWrite = numberWithin(0, 60000, false);
        p.set(g, "22", "BIAS", "0.00").onWrite = numberWithin(-320, 320, false);
        p.set(g, "23", "GAIN", "1.0000").onWrite = numberWithin(-3.2, 3.2, false);
        p.set(g, "24", "ZB", zb).onWrite = numberWithin(0, 600, false);
        p.set(g, "25", "FB", fb).onWrite = numberWithin(0, 600, false);
    }
    p.description += ", ranges " + moduleRangeCode(u);
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
