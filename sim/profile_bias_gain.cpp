#include "sim/profile_bias_gain.h"

namespace dunax::sim {

bool biasGainRangeTaken(int code) {
    return code == 0 || code == 1 || (code >= 3 && code <= 5);
}

Profile makeBiasGainUnit(const ScaledUnit& u) {
    Profile p = makeProfile({u.modelName, u.channels, u.version, u.extModule});
    const bool current = u.modelName.find("-WZ4L") != std::string::npos;
    p.setReadOnly("00", "09", "RANGE", current ? "A" : moduleRangeCode(u.ranges, u.channels));
    addMonitoredValues(p, u.channels);
    addExtensionPoints(p, u.extModule);

    std::vector<std::string> taken;
    for (int code = 0; code <= 15; ++code) {
        if (biasGainRangeTaken(code)) taken.push_back(std::to_string(code));
    }
    for (int ch = 1; ch <= u.channels; ++ch) {
        const int range = rangeOf(u.ranges, ch - 1);
        const auto [zb, fb] = current ? std::pair<std::string, std::string>{"4.000", "20.000"}
                                      : voltageRangeBases(range);
        addScaling(p, ch, typicalScaling(ch - 1, zb, fb));
        if (!current) addChannelRange(p, ch, range, taken);
    }
    p.description += current ? ", 4 to 20 mA" : ", ranges " + moduleRangeCode(u.ranges, u.channels);
    return p;
}

NamedProfiles biasGainUnits() {
    const std::vector<std::pair<std::string, ScaledUnit>> units{
        {"J6P-KWH8", {"J6P-KWH8", 8, " 1.05", "VQ", {0}}},
        {"J6S-KWH8", {"J6S-KWH8", 8, " 1.02", "VQ", {0, 1, 3, 4, 5, 0, 3, 5}}},
        {"J6U-LQ4L+DI", {"J6U-LQ4L", 4, " 1.05", "DI", {3}}},
        {"J6Q-LQ4L", {"J6Q-LQ4L", 4, " 1.06", "VQ", {0, 1, 4, 5}}},
        {"J6P-WZ4L", {"J6P-WZ4L", 4, " 1.05", "VQ", {}}},
        {"J6XN-WZ4L+DO", {"J6XN-WZ4L", 4, " 1.05", "DO", {}}},
    };
    return namedUnits(units, makeBiasGainUnit);
}

}  // namespace dunax::sim
