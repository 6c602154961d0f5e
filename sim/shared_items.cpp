#include "sim/shared_items.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

namespace dunax::sim {

std::optional<double> plainDecimal(const std::string& data, bool whole) {
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
    return std::strtod(data.c_str(), nullptr);
}

WriteRule numberWithin(double lo, double hi, bool whole) {
    return [=](const std::string& data) -> std::optional<std::string> {
        const auto v = plainDecimal(data, whole);
        if (!v || *v < lo || *v > hi) return std::nullopt;
        return data;
    };
}

std::optional<long> plainWhole(const std::string& text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits) return std::nullopt;
    long v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

WriteRule wholeNumberWithin(long lo, long hi, std::size_t maxDigits) {
    return [lo, hi, maxDigits](const std::string& data) -> std::optional<std::string> {
        const auto v = plainWhole(data, maxDigits);
        if (!v || *v < lo || *v > hi) return std::nullopt;
        return std::to_string(*v);
    };
}

std::string fixed(double v, int decimals) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

std::string hex4(unsigned bits) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "x%04X", bits & 0xFFFFu);
    return buf;
}

double phase(std::int64_t nowMs, std::int64_t periodMs, std::int64_t offsetMs) {
    return static_cast<double>((nowMs + offsetMs) % periodMs) / static_cast<double>(periodMs);
}

LiveValue wandering(int k, double lo, double hi, int decimals, std::int64_t periodMs) {
    return [=](std::int64_t nowMs) {
        const double span = hi - lo;
        const double t = phase(nowMs, periodMs, k * periodMs / 5);
        const double ripple = std::sin(2.0 * std::numbers::pi * t * 7.0);
        double v = lo + span * (0.5 + 0.42 * std::sin(2.0 * std::numbers::pi * t) + 0.05 * ripple);
        v = std::fmin(hi, std::fmax(lo, v));
        return fixed(v, decimals);
    };
}

std::string walkingExtensionPoints(std::int64_t nowMs) {
    const unsigned shift = static_cast<unsigned>((nowMs / 2000) % 16);
    return hex4((0x000Fu << shift) | (0x000Fu >> (16 - shift)));
}

int rangeOf(const std::vector<int>& ranges, int k) {
    return perChannel(ranges, k, 0);
}

std::string moduleRangeCode(const std::vector<int>& ranges, int channels) {
    const int first = rangeOf(ranges, 0);
    for (int k = 1; k < channels; ++k) {
        if (rangeOf(ranges, k) != first) return "F";
    }
    static const char* const kHex = "0123456789ABCDEF";
    return std::string(1, kHex[first & 0xF]);
}

std::vector<std::string> codesBelow(int count) {
    std::vector<std::string> codes;
    for (int c = 0; c < count; ++c) codes.push_back(std::to_string(c));
    return codes;
}

void addMaintenanceSwitch(Profile& p, const std::string& group) {
    p.set(group, "01", "MNTSW", "1");
    p.acceptOnly(group, "01", {"F", "1"});
}

bool offersOutputHold(const Profile& p) {
    return p.network != "HLS" && p.network != "FLEX NETWORK";
}

void addOutputHold(Profile& p, const std::string& initial) {
    p.set("00", "14", "HOLD", initial).onWrite =
        [](const std::string& data) -> std::optional<std::string> {
        if (data == "0") return "ON";
        if (data == "1") return "OFF";
        return std::nullopt;
    };
}

void addExtensionPoints(Profile& p, const std::string& extModule, LiveValue points) {
    if (extModule != "VQ") p.setLive("00", "12", "EXTDATA", std::move(points));
}

void addChannelValues(Profile& p, int count, const std::function<LiveValue(int)>& valueOf) {
    for (int k = 0; k < count; ++k) {
        p.setLive("00", std::to_string(21 + k), "CH" + std::to_string(k), valueOf(k));
    }
}

ChannelScaling plainScaling(std::string zeroBase, std::string fullBase) {
    return {"0", "10000", "0.00", "1.0000", std::move(zeroBase), std::move(fullBase)};
}

void addScaling(Profile& p, int ch, const ChannelScaling& s, const ScalingLimits& limits) {
    const std::string g = std::to_string(ch);
    const auto scale = numberWithin(limits.scaleLo, limits.scaleHi, limits.wholeScales);
    const auto base = numberWithin(limits.baseLo, limits.baseHi, false);
    p.set(g, "20", "ZS", s.zeroScale).onWrite = scale;
    p.set(g, "21", "FS", s.fullScale).onWrite = scale;
    p.set(g, "22", "BIAS", s.bias).onWrite = numberWithin(-320, 320, false);
    p.set(g, "23", "GAIN", s.gain).onWrite = numberWithin(-3.2, 3.2, false);
    p.set(g, "24", limits.zeroBaseLabel, s.zeroBase).onWrite = base;
    p.set(g, "25", limits.fullBaseLabel, s.fullBase).onWrite = base;
}

void addChannelRange(Profile& p, int ch, int range, const std::vector<std::string>& taken) {
    const std::string g = std::to_string(ch);
    p.set(g, "09", "RANGE", std::to_string(range));
    p.acceptOnly(g, "09", taken);
}

std::pair<std::string, std::string> voltageRangeBases(int row) {
    switch (row) {
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

}  // namespace dunax::sim
