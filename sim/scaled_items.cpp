#include "sim/scaled_items.h"

#include <cmath>
#include <numbers>

#include "sim/profile_lq.h"
#include "sim/profile_tlq2.h"
#include "sim/profile_wz.h"

namespace dunax::sim {

namespace {

LiveValue monitored(int k) {
    constexpr double kTwoPi = 2.0 * std::numbers::pi;
    switch (k % 4) {
        case 0:  // a slow wave around mid scale
            return [k](std::int64_t now) {
                return fixed(50.0 + 45.0 * std::sin(kTwoPi * phase(now, 30000, k * 1000)), 2);
            };
        case 1:  // a ramp from 0 to 100 every 20 s
            return [](std::int64_t now) { return fixed(100.0 * phase(now, 20000, 0), 2); };
        case 2:  // a level drifting slowly, with a little ripple
            return [](std::int64_t now) {
                return fixed(20.0 + 5.0 * std::sin(kTwoPi * phase(now, 120000, 0)) +
                                 0.25 * std::sin(kTwoPi * phase(now, 700, 0)),
                             2);
            };
        default:  // a step between 25 and 75 every 10 s
            return [](std::int64_t now) { return fixed((now / 10000) % 2 == 0 ? 25.0 : 75.0, 2); };
    }
}

}  // namespace

ChannelScaling typicalScaling(int k, std::string zeroBase, std::string fullBase) {
    static const char* const kFull[] = {"10000", "4000", "10000", "20000"};
    static const char* const kBias[] = {"0.00", "-0.25", "0.00", "1.50"};
    static const char* const kGain[] = {"1.0000", "0.9985", "1.0000", "1.0020"};
    const auto i = static_cast<std::size_t>(k % 4);
    return {"0", kFull[i], kBias[i], kGain[i], std::move(zeroBase), std::move(fullBase)};
}

void addMonitoredValues(Profile& p, int channels) {
    addChannelValues(p, channels, monitored);
}

NamedProfiles scaledAnalogUnits() {
    auto all = namedUnits(lqUnits(), makeLQUnit);
    for (auto& unit : namedUnits(tlq2Units(), makeTLQH2Unit)) all.push_back(std::move(unit));
    for (auto& unit : namedUnits(wzUnits(), makeWZUnit)) all.push_back(std::move(unit));
    return all;
}

}  // namespace dunax::sim
