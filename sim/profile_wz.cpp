#include "sim/profile_wz.h"

namespace dunax::sim {

Profile makeWZUnit(const ScaledUnit& u) {
    Profile p = makeProfile({u.modelName, u.channels, u.version, u.extModule});
    if (offersOutputHold(p)) addOutputHold(p);
    // The module reports a value per channel of its design, whatever the channels in use.
    addMonitoredValues(p, modelCode(u.modelName).rfind("WZ4", 0) == 0 ? 4 : 2);
    addExtensionPoints(p, u.extModule);
    for (int ch = 1; ch <= u.channels; ++ch) {
        const bool fromZero = ch % 3 == 0;
        addScaling(p, ch, typicalScaling(ch - 1, fromZero ? "0.000" : "4.000", "20.000"));
    }
    return p;
}

std::vector<std::pair<std::string, ScaledUnit>> wzUnits() {
    return {
        {"J6P-WZ2", {"J6P-WZ2", 2, " 1.05", "VQ", {}}},
        {"J6Q-WZ2+DO", {"J6Q-WZ2", 2, " 1.03", "DO", {}}},
        {"J6YR-WZ2", {"J6YR-WZ2", 2, " 1.05", "VQ", {}}},
        {"J6P-WZ4", {"J6P-WZ4", 4, " 1.05", "VQ", {}}},
        {"J6U-WZ4+DI", {"J6U-WZ4", 4, " 1.06", "DI", {}}},
        {"J6XN-WZ4", {"J6XN-WZ4", 4, " 1.02", "VQ", {}}},
    };
}

}  // namespace dunax::sim
