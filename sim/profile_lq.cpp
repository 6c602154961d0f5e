#include "sim/profile_lq.h"

namespace dunax::sim {

namespace {

const std::pair<std::string, std::string> kNoRange{"0.000", "0.000"};

}  // namespace

std::pair<std::string, std::string> lq2Bases(int range) {
    // The eight rows of the range list from -10..10 V to -0.5..0.5 V.
    return range >= 0 && range < 8 ? voltageRangeBases(range) : kNoRange;
}

std::pair<std::string, std::string> lq4Bases(int range) {
    // -10..10 V, -5..5 V, 0..10 V, 0..5 V, 1..5 V.
    static const int kRows[] = {0, 1, 3, 4, 5};
    return range >= 0 && range < 5 ? voltageRangeBases(kRows[range]) : kNoRange;
}

Profile makeLQUnit(const ScaledUnit& u) {
    Profile p = makeProfile({u.modelName, u.channels, u.version, u.extModule});
    const bool four = modelCode(u.modelName).rfind("LQ4", 0) == 0;
    const int rows = four ? 5 : 8;

    p.setReadOnly("00", "09", "RANGE", moduleRangeCode(u.ranges, u.channels));
    if (offersOutputHold(p)) addOutputHold(p);
    addMonitoredValues(p, four ? 4 : 2);
    addExtensionPoints(p, u.extModule);

    const std::vector<std::string> rangeCodes = codesBelow(rows);
    for (int ch = 1; ch <= u.channels; ++ch) {
        const int range = rangeOf(u.ranges, ch - 1);
        auto [zb, fb] = four ? lq4Bases(range) : lq2Bases(range);
        addChannelRange(p, ch, range, rangeCodes);
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
