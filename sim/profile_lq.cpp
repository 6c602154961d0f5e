#include "sim/profile_lq.h"

namespace dunax::sim {

std::pair<std::string, std::string> lq2Bases(int range) {
    switch (range) {
        case 0:
            return {"-10.000", "10.000"};
        case 1:
            return {"-5.000", "5.000"};
        case 2:
            return {"-1.000", "1.000"};
        case 3:
            return {"0.000", "10.000"};
        case 4:
            return {"0.000", "5.000"};
        case 5:
            return {"1.000", "5.000"};
        case 6:
            return {"0.000", "1.000"};
        case 7:
            return {"-0.500", "0.500"};
        default:
            return {"0.000", "0.000"};
    }
}

std::pair<std::string, std::string> lq4Bases(int range) {
    switch (range) {
        case 0:
            return {"-10.000", "10.000"};
        case 1:
            return {"-5.000", "5.000"};
        case 2:
            return {"0.000", "10.000"};
        case 3:
            return {"0.000", "5.000"};
        case 4:
            return {"1.000", "5.000"};
        default:
            return {"0.000", "0.000"};
    }
}

Profile makeLQUnit(const ScaledUnit& u) {
    Profile p = makeProfile({u.modelName, u.channels, u.version, u.extModule});
    const bool four = modelCode(u.modelName).rfind("LQ4", 0) == 0;
    const int rows = four ? 5 : 8;

    p.setReadOnly("00", "09", "RANGE", moduleRangeCode(u.ranges, u.channels));
    addOutputHold(p);
    addMonitoredValues(p, four ? 4 : 2);
    addExtensionPoints(p, u.extModule);

    std::vector<std::string> rangeCodes;
    for (int r = 0; r < rows; ++r) rangeCodes.push_back(std::to_string(r));
    for (int ch = 1; ch <= u.channels; ++ch) {
        const std::string g = std::to_string(ch);
        const int range = rangeOf(u.ranges, ch - 1);
        auto [zb, fb] = four ? lq4Bases(range) : lq2Bases(range);
        p.set(g, "09", "RANGE", std::to_string(range));
        p.acceptOnly(g, "09", rangeCodes);
        addScaling(p, ch, typicalScaling(ch - 1, std::move(zb), std::move(fb)));
    }
    p.description += ", ranges " + moduleRangeCode(u.ranges, u.channels);
    return p;
}

std::vector<std::pair<std::string, ScaledUnit>> lqUnits() {
    return {
        {"J6P-LQ2", {"J6P-LQ2", 2, " 1.05", "VQ", {0}}},
        {"J6Q-LQ2+DI", {"J6Q-LQ2", 2, " 1.03", "DI", {3, 7}}},
        {"J6XN-LQ2", {"J6XN-LQ2", 2, " 1.05", "VQ", {5}}},
        {"J6P-LQ4", {"J6P-LQ4", 4, " 1.05", "VQ", {0, 2, 3, 4}}},
        {"J6S-LQ4+DO", {"J6S-LQ4", 4, " 1.06", "DO", {2}}},
        {"J6YR-LQ4", {"J6YR-LQ4", 4, " 1.02", "VQ", {1}}},
    };
}

}  // namespace dunax::sim
