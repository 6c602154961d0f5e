#include "sim/profile_tlq2.h"

namespace dunax::sim {

Profile makeTLQH2Unit(const ScaledUnit& u) {
    Profile p = makeProfile({u.modelName, u.channels, u.version, u.extModule});
    p.setReadOnly("00", "09", "RANGE", "0");
    addMonitoredValues(p, 2);
    addExtensionPoints(p, u.extModule);
    for (int ch = 1; ch <= u.channels; ++ch) {
        const bool bipolar = ch == 1;
        addScaling(p, ch, typicalScaling(ch - 1, bipolar ? "-10.000" : "0.000", "10.000"));
    }
    return p;
}

std::vector<std::pair<std::string, ScaledUnit>> tlq2Units() {
    return {
        {"J6P-TLQH2", {"J6P-TLQH2", 2, " 1.05", "VQ", {}}},
        {"J6U-TLQH2+DI", {"J6U-TLQH2", 2, " 1.06", "DI", {}}},
        {"J6XN-TLQH2", {"J6XN-TLQH2", 2, " 1.02", "VQ", {}}},
    };
}

}  // namespace dunax::sim
