#include "sim/profile_temperature.h"

#include <array>
#include <cmath>
#include <memory>
#include <optional>

#include "sim/shared_items.h"

namespace dunax::sim {

namespace {

struct SensorType {
    const char* text;  // the type text the unit reports (item 03)
    int minC, maxC;    // span in degrees Celsius; 0 to 0 for a separator row
};

constexpr std::array<SensorType, 13> kThermocouples{{{"K", -272, 1472},
                                                     {"E", -272, 1120},
                                                     {"J", -260, 1300},
                                                     {"T", -272, 500},
                                                     {"B", 24, 1920},
                                                     {"R", -100, 1860},
                                                     {"S", -100, 1860},
                                                     {"C", -52, 2416},
                                                     {"N", -272, 1400},
                                                     {"U", -252, 700},
                                                     {"L", -252, 1000},
                                                     {"P", -52, 1496},
                                                     {"PR", -52, 1860}}};
constexpr std::array<SensorType, 9> kRtds{{{"PT100-97", -240, 900},
                                           {"PT100-89", -240, 900},
                                           {"JPT100", -236, 560},
                                           {"PT50", -236, 700},
                                           {"NI100", -100, 252},
                                           {"CU10", -212, 312},
                                           {"", 0, 0},
                                           {"", 0, 0},
                                           {"CU50", -100, 200}}};
constexpr std::array<SensorType, 1> kThermistors{{{"502AT", -50, 110}}};

struct Types {
    const SensorType* rows;
    int count;
};

Types typesOf(const std::string& code) {
    if (code == "QN4") return {kRtds.data(), static_cast<int>(kRtds.size())};
    if (code == "ZP4") return {kThermistors.data(), static_cast<int>(kThermistors.size())};
    return {kThermocouples.data(), static_cast<int>(kThermocouples.size())};
}

bool separator(const Types& t, int type) {
    return type >= 0 && type < t.count && t.rows[type].text[0] == '\0';
}

char unitLetter(int index) {
    return "CFK"[index];
}

}  // namespace

std::pair<int, int> temperatureSpan(const std::string& code, int type, char unit) {
    const Types t = typesOf(code);
    if (type < 0 || type >= t.count || separator(t, type)) return {0, 0};
    const auto convert = [unit](int c) {
        if (unit == 'F') return static_cast<int>(std::lround(c * 1.8 + 32));
        if (unit == 'K') return static_cast<int>(std::lround(c + 273.15));
        return c;
    };
    return {convert(t.rows[type].minC), convert(t.rows[type].maxC)};
}

Profile makeTemperatureUnit(const TemperatureUnit& u) {
    Profile p = makeProfile({u.modelName, u.channels, u.version, u.extModule});
    const std::string code = modelCode(u.modelName);
    const Types types = typesOf(code);
    const bool hls = p.network == "HLS";
    // The thermocouple and RTD models are variants that report their type as item 08 on HLS.
    const bool variant = code == "BJ4" || code == "QN4";

    // Module-wide type: the common type of every channel, "F" when they differ.
    p.setReadOnly("00", hls && variant ? "08" : "09", "RANGE",
                  moduleRangeCode(u.types, u.channels));
    if (offersOutputHold(p)) addOutputHold(p);
    p.setReadOnly("01", "05", "BOUT", u.burnout);

    const int broken = u.brokenChannel;
    const auto open = [broken](int k, std::int64_t nowMs) {
        return k == broken && (nowMs / 10000) % 2 == 1;
    };
    p.setLive("00", "04", "STATUS", [open](std::int64_t nowMs) {
        int bits = 0;
        for (int k = 0; k < 4; ++k) bits |= open(k, nowMs) ? 1 << k : 0;
        return std::string("00000") + "0123456789ABCDEF"[bits];
    });
    addChannelValues(p, 4, [&](int k) -> LiveValue {
        const auto [lo, hi] =
            temperatureSpan(code, perChannel(u.types, k, 0), perChannel(u.units, k, 'C'));
        // Process temperatures in the lower part of the span; an open sensor reads as the end
        // of the span its burnout direction names.
        const double span = hi - lo;
        const LiveValue sound = wandering(k, lo + 0.15 * span, lo + 0.35 * span, 1, 40000);
        const std::string burnt = fixed(u.burnout == "DOWN" ? lo : hi, 1);
        return [=](std::int64_t nowMs) { return open(k, nowMs) ? burnt : sound(nowMs); };
    });
    addExtensionPoints(p, u.extModule);

    ScalingLimits limits;  // the bases are the zero and full temperatures
    limits.zeroBaseLabel = "ZT";
    limits.fullBaseLabel = "FT";

    for (int ch = 1; ch <= u.channels; ++ch) {
        const std::string g = std::to_string(ch);
        const int type = perChannel(u.types, ch - 1, 0);
        const char unit = perChannel(u.units, ch - 1, 'C');
        const auto [lo, hi] = temperatureSpan(code, type, unit);

        p.set(g, "04", "UNIT", std::string(1, unit)).onWrite =
            [](const std::string& data) -> std::optional<std::string> {
            if (data.size() == 1 && data[0] >= '0' && data[0] <= '2')
                return std::string(1, unitLetter(data[0] - '0'));
            return std::nullopt;
        };
        // The type text follows the type the unit holds, also after a write.
        auto current = std::make_shared<int>(type);
        p.set(g, "09", "TYPE", std::to_string(type)).onWrite =
            [current, types](const std::string& data) -> std::optional<std::string> {
            for (int t = 0; t < types.count; ++t) {
                if (data == std::to_string(t) && !separator(types, t)) {
                    *current = t;
                    return data;
                }
            }
            return std::nullopt;
        };
        p.setLive(g, "03", "SENSOR", [current, types](std::int64_t) {
            return std::string(
                types.rows[*current >= 0 && *current < types.count ? *current : 0].text);
        });
        addScaling(p, ch, plainScaling(fixed(lo, 1), fixed(hi, 1)), limits);
    }
    p.description += ", burnout " + u.burnout;
    if (broken >= 0) p.description += ", CH " + std::to_string(broken) + " sensor opens";
    return p;
}

std::vector<std::pair<std::string, TemperatureUnit>> temperatureUnits() {
    return {
        {"J6P-BJ4", {"J6P-BJ4", 4, " 1.05", "VQ", {0}, {'C'}, "UP", -1}},
        {"J6S-BJ4+DI", {"J6S-BJ4", 4, " 1.06", "DI", {0, 2, 3, 12}, {'C', 'C', 'F', 'K'}, "UP", 2}},
        {"J6XN-BJ4", {"J6XN-BJ4", 4, " 1.02", "VQ", {7}, {'C'}, "DOWN", -1}},
        {"J6P-QN4", {"J6P-QN4", 4, " 1.05", "VQ", {0}, {'C'}, "UP", -1}},
        {"J6U-QN4+DO", {"J6U-QN4", 4, " 1.05", "DO", {0, 5, 8, 2}, {'C', 'K', 'C', 'F'}, "UP", 3}},
        {"J6YR-QN4", {"J6YR-QN4", 4, " 1.02", "VQ", {1}, {'F'}, "DOWN", -1}},
        {"J6P-ZP4", {"J6P-ZP4", 4, " 1.05", "VQ", {0}, {'C', 'F', 'K', 'C'}, "UP", 1}},
        {"J6XN-ZP4+DI", {"J6XN-ZP4", 4, " 1.03", "DI", {0}, {'C'}, "DOWN", -1}},
    };
}

}  // namespace dunax::sim
