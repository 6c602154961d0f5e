#include "sim/scaled_items.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <optional>

#include "sim/profile_lq.h"
#include "sim/profile_tlq2.h"
#include "sim/profile_wz.h"

namespace dunax::sim {

namespace {

// A plain decimal number (sign, digits, one optional point) within lo..hi.
WriteRule numberWithin(double lo, double hi, bool whole) {
    return [=](const std::string& data) -> std::optional<std::string> {
        std::size_t i = (!data.empty() && (data[0] == '-' || data[0] == '+')) ? 1 : 0;
        bool digits = false, point = false;
        for (; i < data.size(); ++i) {
            if (data[i] >= '0' && data[i] <= '9') {
                digits = true;
            } else if (data[i] == '.' && !point && !whole) {
                point = true;
            } else {
                return std::nullopt;
            }
        }
        if (!digits) return std::nullopt;
        const double v = std::strtod(data.c_str(), nullptr);
        if (v < lo || v > hi) return std::nullopt;
        return data;
    };
}

std::string twoDecimals(double v) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return buf;
}

// Where in its period the clock stands, 0..1.
double phase(std::int64_t nowMs, std::int64_t periodMs, std::int64_t offsetMs) {
    return static_cast<double>((nowMs + offsetMs) % periodMs) / static_cast<double>(periodMs);
}

LiveValue monitored(int k) {
    constexpr double kTwoPi = 2.0 * std::numbers::pi;
    switch (k % 4) {
        case 0:  // a slow wave around mid scale
            return [k](std::int64_t now) {
                return twoDecimals(50.0 + 45.0 * std::sin(kTwoPi * phase(now, 30000, k * 1000)));
            };
        case 1:  // a ramp from 0 to 100 every 20 s
            return [](std::int64_t now) { return twoDecimals(100.0 * phase(now, 20000, 0)); };
        case 2:  // a level drifting slowly, with a little ripple
            return [](std::int64_t now) {
                return twoDecimals(20.0 + 5.0 * std::sin(kTwoPi * phase(now, 120000, 0)) +
                                   0.25 * std::sin(kTwoPi * phase(now, 700, 0)));
            };
        default:  // a step between 25 and 75 every 10 s
            return
                [](std::int64_t now) { return twoDecimals((now / 10000) % 2 == 0 ? 25.0 : 75.0); };
    }
}

// Four set points walking one place every two seconds.
std::string walkingPoints(std::int64_t nowMs) {
    const unsigned shift = static_cast<unsigned>((nowMs / 2000) % 16);
    const unsigned bits = ((0x000Fu << shift) | (0x000Fu >> (16 - shift))) & 0xFFFFu;
    char buf[8];
    std::snprintf(buf, sizeof buf, "x%04X", bits);
    return buf;
}

}  // namespace

std::string modelCode(const std::string& modelName) {
    const auto dash = modelName.find('-');
    return dash == std::string::npos ? modelName : modelName.substr(dash + 1);
}

int rangeOf(const std::vector<int>& ranges, int k) {
    if (ranges.empty()) return 0;
    const auto i = static_cast<std::size_t>(k);
    return i < ranges.size() ? ranges[i] : ranges.back();
}

std::string moduleRangeCode(const std::vector<int>& ranges, int channels) {
    const int first = rangeOf(ranges, 0);
    for (int k = 1; k < channels; ++k) {
        if (rangeOf(ranges, k) != first) return "F";
    }
    static const char* const kHex = "0123456789ABCDEF";
    return std::string(1, kHex[first & 0xF]);
}

ChannelScaling typicalScaling(int k, std::string zeroBase, std::string fullBase) {
    static const char* const kFull[] = {"10000", "4000", "10000", "20000"};
    static const char* const kBias[] = {"0.00", "-0.25", "0.00", "1.50"};
    static const char* const kGain[] = {"1.0000", "0.9985", "1.0000", "1.0020"};
    const auto i = static_cast<std::size_t>(k % 4);
    return {"0", kFull[i], kBias[i], kGain[i], std::move(zeroBase), std::move(fullBase)};
}

void addScaling(Profile& p, int ch, const ChannelScaling& s) {
    const std::string g = std::to_string(ch);
    p.set(g, "20", "ZS", s.zeroScale).onWrite = numberWithin(-32000, 32000, true);
    p.set(g, "21", "FS", s.fullScale).onWrite = numberWithin(-32000, 32000, true);
    p.set(g, "22", "BIAS", s.bias).onWrite = numberWithin(-320, 320, false);
    p.set(g, "23", "GAIN", s.gain).onWrite = numberWithin(-3.2, 3.2, false);
    p.set(g, "24", "ZB", s.zeroBase).onWrite = numberWithin(-32000, 32000, false);
    p.set(g, "25", "FB", s.fullBase).onWrite = numberWithin(-32000, 32000, false);
}

void addOutputHold(Profile& p) {
    if (p.network == "HLS" || p.network == "FLEX NETWORK") return;
    p.set("00", "14", "HOLD", "OFF").onWrite =
        [](const std::string& data) -> std::optional<std::string> {
        if (data == "0") return "ON";
        if (data == "1") return "OFF";
        return std::nullopt;
    };
}

void addMonitoredValues(Profile& p, int channels) {
    for (int k = 0; k < channels; ++k) {
        p.setLive("00", std::to_string(21 + k), "CH" + std::to_string(k), monitored(k));
    }
}

void addExtensionPoints(Profile& p, const std::string& extModule) {
    if (extModule != "VQ") p.setLive("00", "12", "EXTDATA", walkingPoints);
}

std::vector<std::pair<std::string, std::function<Profile()>>> scaledAnalogUnits() {
    std::vector<std::pair<std::string, std::function<Profile()>>> all;
    for (auto& [name, unit] : lqUnits()) {
        all.emplace_back(name, [unit = unit] { return makeLQUnit(unit); });
    }
    for (auto& [name, unit] : tlq2Units()) {
        all.emplace_back(name, [unit = unit] { return makeTLQH2Unit(unit); });
    }
    for (auto& [name, unit] : wzUnits()) {
        all.emplace_back(name, [unit = unit] { return makeWZUnit(unit); });
    }
    return all;
}

}  // namespace dunax::sim
