#include "sim/profile_counter.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <memory>
#include <optional>

#include "sim/shared_items.h"

namespace dunax::sim {

namespace {

enum class Layout {
    FE16,      // settings and preset in the channel groups, 16 channels
    FE8,       // everything in group 00
    Ethernet,  // "J6U-FE8": settings and preset in the channel groups, other items in 00
};

Layout layoutOf(const std::string& modelName) {
    if (modelName == "J6U-FE8") return Layout::Ethernet;
    return modelCode(modelName) == "FE8" ? Layout::FE8 : Layout::FE16;
}

struct Channel {
    unsigned long long start = 0;       // the count when it was last (pre)set
    std::optional<std::int64_t> since;  // when that was; the first read starts the channel
    unsigned long long rate = 1;        // pulses per second
    unsigned long long max = 0;
    bool carry = false;
    std::optional<unsigned long long> preset;  // written, taken at the reply's moment
};

struct Counters {
    std::vector<Channel> ch;

    unsigned long long count(std::size_t k, std::int64_t nowMs, bool& overflowed) {
        Channel& c = ch[k];
        if (c.preset) {
            c.start = *c.preset;
            c.since = nowMs;
            c.preset.reset();
        }
        if (!c.since) c.since = nowMs;
        return counterValue(c.start, c.rate, nowMs - *c.since, c.max, c.carry, overflowed);
    }

    std::string bits(std::int64_t nowMs, int digits) {
        unsigned v = 0;
        for (std::size_t k = 0; k < ch.size(); ++k) {
            bool over = false;
            count(k, nowMs, over);
            if (over) v |= 1u << k;
        }
        char buf[8];
        std::snprintf(buf, sizeof buf, digits == 4 ? "x%04X" : "x%02X", v & 0xFFFFu);
        return buf;
    }
};

// A whole number without sign or blanks within lo..hi.
std::optional<unsigned long long> wholeWithin(const std::string& data, unsigned long long lo,
                                              unsigned long long hi) {
    unsigned long long v = 0;
    const char* end = data.data() + data.size();
    auto [p, ec] = std::from_chars(data.data(), end, v);
    if (data.empty() || ec != std::errc() || p != end || v < lo || v > hi) return std::nullopt;
    return v;
}

constexpr unsigned long long kFE16MaxHigh = 1000000000ULL;
constexpr unsigned long long kMaxHigh = 4294967295ULL;

constexpr std::array<unsigned long long, 16> kRates{3,   7,   12,  20,  35,  50,  80,  120,
                                                    160, 200, 260, 330, 400, 500, 650, 800};

}  // namespace

unsigned long long counterValue(unsigned long long start, unsigned long long ratePerSecond,
                                long long elapsedMs, unsigned long long max, bool carry,
                                bool& overflowed) {
    const unsigned long long elapsed =
        elapsedMs > 0 ? static_cast<unsigned long long>(elapsedMs) : 0;
    // The unit takes in its pulses once a second.
    const unsigned long long raw = start + ratePerSecond * (elapsed / 1000);
    overflowed = raw > max;
    if (!overflowed) return raw;
    return carry ? raw % (max + 1) : max;
}

Profile makeCounterUnit(const CounterUnit& u) {
    Profile p = makeProfile({u.modelName, u.channels, u.version, u.extModule});
    const Layout layout = layoutOf(u.modelName);
    const int modelChannels = layout == Layout::FE16 ? 16 : 8;
    const int served = std::min(u.channels, modelChannels);
    const bool fe16 = layout == Layout::FE16;

    auto state = std::make_shared<Counters>();
    state->ch.resize(static_cast<std::size_t>(served));
    for (std::size_t k = 0; k < state->ch.size(); ++k) {
        Channel& c = state->ch[k];
        c.rate = kRates[k];
        c.max = k % 3 == 1 ? 2000 : 999999;
        c.carry = k % 2 == 0;
        c.start = 37 * k;
    }

    addOutputHold(p);
    // Two points a byte apart, walking one place every one and a half seconds.
    addExtensionPoints(p, u.extModule, [](std::int64_t nowMs) {
        return hex4(static_cast<unsigned>(0x0101u << ((nowMs / 1500) % 8)));
    });

    const int digits = fe16 ? 4 : 2;
    p.setLive("00", layout == Layout::Ethernet ? "16" : "20", "STATUS",
              [state, digits](std::int64_t nowMs) { return state->bits(nowMs, digits); });

    const int firstCount = layout == Layout::Ethernet ? 17 : 21;
    const unsigned long long maxLow = fe16 ? 0 : 1000;
    const unsigned long long maxHigh = fe16 ? kFE16MaxHigh : kMaxHigh;
    for (int k = 0; k < served; ++k) {
        const auto ku = static_cast<std::size_t>(k);
        Channel& c = state->ch[ku];
        const std::string n = std::to_string(k);
        auto liveCount = [state, ku](std::int64_t nowMs) {
            bool over = false;
            return std::to_string(state->count(ku, nowMs, over));
        };
        auto presetRule = [state, ku](const std::string& data) -> std::optional<std::string> {
            const auto v = wholeWithin(data, 0, state->ch[ku].max);
            if (!v) return std::nullopt;
            state->ch[ku].preset = *v;
            return data;
        };
        auto maxRule = [state, ku, maxLow,
                        maxHigh](const std::string& data) -> std::optional<std::string> {
            const auto v = wholeWithin(data, maxLow, maxHigh);
            if (!v) return std::nullopt;
            state->ch[ku].max = *v;
            return data;
        };
        auto carryRule = [state, ku, fe16](const std::string& data) -> std::optional<std::string> {
            const auto v = wholeWithin(data, 0, fe16 ? kFE16MaxHigh : 1);
            if (!v) return std::nullopt;
            state->ch[ku].carry = *v != 0;
            return data;
        };

        Item& count = p.setLive("00", std::to_string(firstCount + k), "CNT" + n, liveCount);
        const std::string carryText = c.carry ? "1" : "0";
        const std::string maxText = std::to_string(c.max);
        if (layout == Layout::FE8) {
            // The count item takes the preset.
            count.writable = true;
            count.onWrite = presetRule;
            p.set("00", std::to_string(30 + 2 * k), "CARRY" + n, carryText).onWrite = carryRule;
            p.set("00", std::to_string(31 + 2 * k), "MAX" + n, maxText).onWrite = maxRule;
        } else {
            const std::string g = std::to_string(k + 1);
            p.set(g, "13", "CARRY", carryText).onWrite = carryRule;
            p.set(g, "14", "MAX", maxText).onWrite = maxRule;
            Item& preset = p.setLive(g, "11", "PRESET", liveCount);
            preset.writable = true;
            preset.onWrite = presetRule;
        }
    }
    p.description += fe16 ? ", 16-channel counter" : ", 8-channel counter";
    return p;
}

std::vector<std::pair<std::string, CounterUnit>> counterUnits() {
    return {
        {"J6P-FE16", {"J6P-FE16", 16, " 1.05", "VQ"}},
        {"J6S-FE16+DI", {"J6S-FE16", 16, " 1.06", "DI"}},
        {"J6WB-FE16", {"J6WB-FE16", 16, " 1.02", "VQ"}},
        {"J6P-FE8", {"J6P-FE8", 8, " 1.05", "VQ"}},
        {"J6Q-FE8+DO", {"J6Q-FE8", 8, " 1.05", "DO"}},
        {"J6U-FE8", {"J6U-FE8", 8, " 1.10", "VQ"}},
        {"J6U-FE8+DI", {"J6U-FE8", 8, " 1.10", "DI"}},
    };
}

}  // namespace dunax::sim
