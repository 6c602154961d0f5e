#include "sim/profile_vh4n.h"

namespace dunax::sim {

Profile makeVH4NUnit(const ScaledUnit& u) {
    Profile p = makeProfile({u.modelName, u.channels, u.version, u.extModule});
    p.setReadOnly("00", "09", "RANGE", "0");
    if (offersOutputHold(p)) addOutputHold(p);
    addMonitoredValues(p, 4);
    addExtensionPoints(p, u.extModule);
    for (int ch = 1; ch <= u.channels; ++ch) {
        addScaling(p, ch, typicalScaling(ch - 1, "4.000", "20.000"));
    }
    p.description += ", 4 to 20 mA";
    return p;
}

NamedProfiles vh4nUnits() {
    const std::vector<std::pair<std::string, ScaledUnit>> units{
        {"J6P-VH4N", {"J6P-VH4N", 4, " 1.05", "VQ", {}}},
        {"J6S-VH4N+DI", {"J6S-VH4N", 4, " 1.06", "DI", {}}},
        {"J6XN-VH4N", {"J6XN-VH4N", 4, " 1.05", "VQ", {}}},
        {"J6YR-VH4N+DO", {"J6YR-VH4N", 4, " 1.02", "DO", {}}},
    };
    return namedUnits(units, makeVH4NUnit);
}

}  // namespace dunax::sim
