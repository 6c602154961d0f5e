#include "sim/profile_kw4.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <optional>

namespace dunax::sim {

namespace {

int rangeOf(const KW4Unit& u, int k) {
    if (u.ranges.empty()) return 0;
    const auto i = static_cast<std::size_t>(k);
    return i < u.ranges.size() ? u.ranges[i] : u.ranges.back();
}

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

// The monitored value of a channel: a slow sine wave around mid scale, two decimals.
LiveValue monitored(int k) {
    return [k](std::int64_t nowMs) {
        constexpr std::int64_t kPeriodMs = 30000;
        const double t = static_cast<double>((nowMs + k * 2500) % kPeriodMs) / kPeriodMs;
        const double v = 50.0 + 45.0 * std::sin(2.0 * std::numbers::pi * t);
        char buf[16];
        std::snprintf(buf, sizeof buf, "%.2f", v);
        return std::string(buf);
    };
}

// Extension points: four set points walking one place every two seconds.
std::string walkingPoints(std::int64_t nowMs) {
    const unsigned shift = static_cast<unsigned>((nowMs / 2000) % 16);
    const unsigned bits = ((0x000Fu << shift) | (0x000Fu >> (16 - shift))) & 0xFFFFu;
    char buf[8];
    std::snprintf(buf, sizeof buf, "x%04X", bits);
    return buf;
}

}  // namespace

std::string kw4ModuleRangeCode(const std::vector<int>& ranges, int channels) {
    KW4Unit u;
    u.ranges = ranges;
    const int first = rangeOf(u, 0);
    for (int k = 1; k < channels; ++k) {
        if (rangeOf(u, k) != first) return "F";
    }
    static const char* const kHex = "0123456789ABCDEF";
    return std::string(1, kHex[first & 0xF]);
}

std::pair<std::string, std::string> kw4Bases(int range) {
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
        case 9:
            return {"-20.000", "20.000"};
        case 10:
            return {"4.000", "20.000"};
        case 11:
            return {"0.000", "20.000"};
        default:
            return {"0.000", "0.000"};
    }
}

Profile makeKW4Unit(const KW4Unit& u) {
    Profile p = makeProfile({u.modelName, u.channels, u.version, u.extModule});
    const bool hls = p.network == "HLS";
    const bool holdOffered = !hls && p.network != "FLEX NETWORK";

    p.setReadOnly("00", hls ? "08" : "09", "RANGE", kw4ModuleRangeCode(u.ranges, u.channels));
    if (holdOffered) {
        p.set("00", "14", "HOLD", "OFF").onWrite =
            [](const std::string& data) -> std::optional<std::string> {
            if (data == "0") return "ON";
            if (data == "1") return "OFF";
            return std::nullopt;
        };
    }
    for (int k = 0; k < 4; ++k) {
        p.setLive("00", std::to_string(21 + k), "CH" + std::to_string(k), monitored(k));
    }
    if (u.extModule != "VQ") p.setLive("00", "12", "EXTDATA", walkingPoints);

    std::vector<std::string> rangeCodes;
    for (int r = 0; r <= 11; ++r) rangeCodes.push_back(std::to_string(r));
    for (int ch = 1; ch <= u.channels; ++ch) {
        const std::string g = std::to_string(ch);
        const int range = rangeOf(u, ch - 1);
        const auto [zb, fb] = kw4Bases(range);
        p.set(g, "09", "RANGE", std::to_string(range));
        p.acceptOnly(g, "09", rangeCodes);
        p.set(g, "20", "ZS", "0").onWrite = numberWithin(-32000, 32000, true);
        p.set(g, "21", "FS", "10000").onWrite = numberWithin(-32000, 32000, true);
        p.set(g, "22", "BIAS", "0.00").onWrite = numberWithin(-320, 320, false);
        p.set(g, "23", "GAIN", "1.0000").onWrite = numberWithin(-3.2, 3.2, false);
        p.set(g, "24", "ZB", zb).onWrite = numberWithin(-32000, 32000, false);
        p.set(g, "25", "FB", fb).onWrite = numberWithin(-32000, 32000, false);
    }
    p.description += ", ranges " + kw4ModuleRangeCode(u.ranges, u.channels);
    return p;
}

std::vector<std::pair<std::string, KW4Unit>> kw4Units() {
    return {
        {"J6P-KW4", {"J6P-KW4", 4, " 1.05", "VQ", {0}}},
        {"J6P-KW4+DI", {"J6P-KW4", 4, " 1.05", "DI", {0}}},
        {"J6S-KWH4", {"J6S-KWH4", 4, " 1.02", "VQ", {0, 1, 3, 5}}},
        {"J6S-KWH4+DO", {"J6S-KWH4", 4, " 1.06", "DO", {10}}},
        {"J6XN-KW4", {"J6XN-KW4", 4, "1.02", "VQ", {0, 9, 3, 11}}},
        {"J6XN-KWH4+DI", {"J6XN-KWH4", 4, " 1.05", "DI", {3}}},
        {"J6YR-KWH4", {"J6YR-KWH4", 4, " 1.05", "VQ", {10}}},
        {"J6YR-KW4+DO", {"J6YR-KW4", 4, " 1.02", "DO", {0, 0, 9, 9}}},
        // One unit on each of the other networks, to try their settings windows.
        {"J6Q-KW4", {"J6Q-KW4", 4, " 1.05", "VQ", {0}}},
        {"J6SK-KW4", {"J6SK-KW4", 4, " 1.05", "VQ", {3}}},
        {"J6U-KW4", {"J6U-KW4", 4, " 1.05", "VQ", {0}}},
        {"J6WB-KW4", {"J6WB-KW4", 4, " 1.05", "VQ", {5}}},
    };
}

}  // namespace dunax::sim
