#include "sim/profile_ux4.h"

#include <cstdint>
#include <cstdlib>

#include "sim/shared_items.h"

namespace dunax::sim {

namespace {

constexpr std::int64_t kPeriodMs = 40000;

// The percent of channel k, 0.00..100.00.
LiveValue percentOf(int k) {
    return wandering(k, 0.0, 100.0, 2, kPeriodMs);
}

}  // namespace

Profile makeUX4Unit(const UX4Unit& u) {
    Profile p = makeProfile({u.modelName, u.channels, u.version, u.extModule});
    if (offersOutputHold(p)) addOutputHold(p, "ON");
    addChannelValues(p, 4, [](int k) -> LiveValue {
        // The scaled value at zero scale 0 and full scale 10000: the percent without its point.
        return [percent = percentOf(k)](std::int64_t nowMs) {
            const double v = std::strtod(percent(nowMs).c_str(), nullptr);
            return std::to_string(static_cast<long>(v * 100.0 + 0.5));
        };
    });
    addExtensionPoints(p, u.extModule);

    for (int ch = 1; ch <= u.channels; ++ch) {
        const std::string g = std::to_string(ch);
        p.set(g, "20", "ZS", "0").onWrite = numberWithin(-32000, 32000, true);
        p.set(g, "21", "FS", "10000").onWrite = numberWithin(-32000, 32000, true);
        p.set(g, "32", "ZB", "0").onWrite = numberWithin(0, 10000, true);
        p.set(g, "33", "FB", "10000").onWrite = numberWithin(0, 10000, true);
        p.setLive(g, "34", "PERCENT", percentOf(ch - 1));
    }
    return p;
}

std::vector<std::pair<std::string, UX4Unit>> ux4Units() {
    return {
        {"J6P-UX4", {"J6P-UX4", 4, " 1.05", "VQ"}},
        {"J6S-UX4+DI", {"J6S-UX4", 4, " 1.03", "DI"}},
        {"J6YR-UX4", {"J6YR-UX4", 4, " 1.05", "VQ"}},
    };
}

}  // namespace dunax::sim
