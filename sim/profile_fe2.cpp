#include "sim/profile_fe2.h"

#include <array>
#include <cmath>
#include <memory>
#include <numbers>
#include <optional>

#include "sim/shared_items.h"

namespace dunax::sim {

namespace {

// One encoder channel: the encoder turns at a speed (percent of the frequency range) that
// swings slowly around a mean; the counter counts its pulses from the last reset and wraps
// within minimum..maximum.
struct Counter {
    double meanPercent = 50;
    double swingPercent = 40;
    double periodS = 20;
    double countsPerSecondAtFull = 2000;

    double min = 0, max = 1000000, resetValue = 0;
    // The count stood at base when the clock read baseMs.
    double base = 0;
    std::int64_t baseMs = 0;

    std::string latchPos = "0", latchSpeed = "0.00", resetPos = "0";

    double speed(std::int64_t ms) const {
        const double t = static_cast<double>(ms) / 1000.0;
        return meanPercent + swingPercent * std::sin(2 * std::numbers::pi * t / periodS);
    }
    // Pulses counted from time 0 to ms.
    double pulses(std::int64_t ms) const {
        const double t = static_cast<double>(ms) / 1000.0;
        const double w = 2 * std::numbers::pi / periodS;
        const double percentSeconds = meanPercent * t - swingPercent / w * (std::cos(w * t) - 1);
        return countsPerSecondAtFull * percentSeconds / 100.0;
    }
    long long position(std::int64_t ms) const {
        const auto raw = static_cast<long long>(std::llround(base + pulses(ms) - pulses(baseMs)));
        const auto lo = static_cast<long long>(std::llround(min));
        const auto span = static_cast<long long>(std::llround(max)) - lo + 1;
        if (span <= 0) return lo;
        long long off = (raw - lo) % span;
        if (off < 0) off += span;
        return lo + off;
    }
    // Counting goes on from the present position (before the limits change).
    void rebase(std::int64_t ms) {
        base = static_cast<double>(position(ms));
        baseMs = ms;
    }
};

// What both channels share with the items. The unit's clock as last seen by a read: a request
// is always written right after its item was selected, so it acts at that moment.
struct EncoderState {
    std::int64_t clockMs = 0;
    std::array<Counter, 2> ch;
};

using StatePtr = std::shared_ptr<EncoderState>;

void addMonitorItems(Profile& p, const StatePtr& s) {
    for (int k = 0; k < 2; ++k) {
        const std::string n = std::to_string(k);
        auto live = [&p, s, k](int item, const std::string& label, auto value) {
            p.setLive("00", std::to_string(item), label, [s, k, value](std::int64_t now) {
                s->clockMs = now;
                return value(s->ch[static_cast<std::size_t>(k)], now);
            });
        };
        live(20 + k, "CPOS" + n,
             [](const Counter& c, std::int64_t now) { return std::to_string(c.position(now)); });
        live(22 + k, "CSPD" + n,
             [](const Counter& c, std::int64_t now) { return fixed(c.speed(now), 2); });
        live(24 + k, "LPOS" + n, [](const Counter& c, std::int64_t) { return c.latchPos; });
        live(26 + k, "LSPD" + n, [](const Counter& c, std::int64_t) { return c.latchSpeed; });
        live(28 + k, "RPOS" + n, [](const Counter& c, std::int64_t) { return c.resetPos; });
    }
}

// Reset value, minimum and maximum: each write is checked against the other two as they
// stand, and moves the counter onto the new limits from where it is.
void addLimitItems(Profile& p, const StatePtr& s, int k, const Counter& c) {
    const std::string n = std::to_string(k);
    auto limit = [&](int item, const std::string& label, double value, auto accept) {
        p.set("1", std::to_string(item), label, std::to_string(std::llround(value))).onWrite =
            [s, k, accept](const std::string& data) -> std::optional<std::string> {
            const auto v = plainDecimal(data, false);
            Counter& cnt = s->ch[static_cast<std::size_t>(k)];
            cnt.rebase(s->clockMs);
            if (!v || !accept(cnt, *v)) return std::nullopt;
            return data;
        };
    };
    limit(14 + k, "RESET" + n, c.resetValue, [](Counter& cnt, double v) {
        if (v < cnt.min || v > cnt.max) return false;
        cnt.resetValue = v;
        return true;
    });
    limit(16 + k, "MIN" + n, c.min, [](Counter& cnt, double v) {
        if (v < -2100000000 || v > 2099999999 || v >= cnt.max) return false;
        cnt.min = v;
        return true;
    });
    limit(18 + k, "MAX" + n, c.max, [](Counter& cnt, double v) {
        if (v < -2099999999 || v > 2100000000 || v <= cnt.min) return false;
        cnt.max = v;
        return true;
    });
}

// Requests: "1" carries the request out; the item reads "0" again at once.
void addRequestItems(Profile& p, const StatePtr& s) {
    using Action = void (*)(Counter&, std::int64_t);
    const std::array<std::pair<const char*, Action>, 4> requests{{
        {"LATCH",
         [](Counter& c, std::int64_t now) {
             c.latchPos = std::to_string(c.position(now));
             c.latchSpeed = fixed(c.speed(now), 2);
         }},
        {"RESET",
         [](Counter& c, std::int64_t now) {
             c.resetPos = std::to_string(c.position(now));
             c.base = c.resetValue;
             c.baseMs = now;
         }},
        {"LCLR",
         [](Counter& c, std::int64_t) {
             c.latchPos = "0";
             c.latchSpeed = "0.00";
         }},
        {"RCLR", [](Counter& c, std::int64_t) { c.resetPos = "0"; }},
    }};
    for (std::size_t r = 0; r < requests.size(); ++r) {
        for (int k = 0; k < 2; ++k) {
            const int item = 78 + static_cast<int>(r) * 2 + k;
            Item& it = p.setLive("1", std::to_string(item), requests[r].first + std::to_string(k),
                                 [s](std::int64_t now) {
                                     s->clockMs = now;
                                     return std::string("0");
                                 });
            it.writable = true;
            const Action act = requests[r].second;
            it.onWrite = [s, k, act](const std::string& data) -> std::optional<std::string> {
                if (data != "1") return std::nullopt;
                act(s->ch[static_cast<std::size_t>(k)], s->clockMs);
                return "0";
            };
        }
    }
}

}  // namespace

Profile makeFE2Unit(const FE2Unit& u) {
    Profile p = makeProfile({u.modelName, u.channels, u.version, "VQ"});
    auto s = std::make_shared<EncoderState>();
    // CH 0 runs forward around half speed; CH 1 slower, swinging through standstill.
    s->ch[0].min = 0;
    s->ch[0].max = 999999;
    s->ch[1] = Counter{30, 35, 13, 1000};
    s->ch[1].min = -500000;
    s->ch[1].max = 500000;
    s->ch[1].resetValue = 0;

    addMonitorItems(p, s);

    // The settings group, answered as "01" and as "1".
    addMaintenanceSwitch(p, "1");
    const std::array<std::pair<const char*, const char*>, 3> timers{
        {{"ALMPON", "0.0"}, {"ALMON", "1.0"}, {"ALMHOLD", "0.5"}}};
    for (std::size_t i = 0; i < timers.size(); ++i) {
        p.set("1", "0" + std::to_string(6 + i), timers[i].first, timers[i].second).onWrite =
            numberWithin(0, 60, false);
    }
    p.setReadOnly("1", "28", "MODE", u.countMode);
    p.setReadOnly("1", "29", "FREQ", "50000");
    p.setReadOnly("1", "30", "PMODE", "0");

    const std::vector<std::string> onOff{"0", "1"};
    for (int k = 0; k < 2; ++k) {
        const std::string n = std::to_string(k);
        const Counter& c = s->ch[static_cast<std::size_t>(k)];
        p.set("1", std::to_string(10 + k), "DO" + n, "1.00").onWrite = numberWithin(0.1, 50, false);
        addLimitItems(p, s, k, c);
        p.set("1", std::to_string(34 + 2 * k), "BIAS" + n, "0.00").onWrite =
            numberWithin(-320, 320, false);
        p.set("1", std::to_string(35 + 2 * k), "GAIN" + n, "1.0000").onWrite =
            numberWithin(-3.2, 3.2, false);
        p.set("1", std::to_string(38 + 2 * k), "ZS" + n, "0").onWrite =
            numberWithin(-32000, 32000, false);
        p.set("1", std::to_string(39 + 2 * k), "FS" + n, "10000").onWrite =
            numberWithin(-32000, 32000, false);
        p.set("1", std::to_string(42 + k), "HLSCMD" + n, "0");
        p.acceptOnly("1", std::to_string(42 + k), onOff);

        // Alarm A watches for overspeed, alarm B for a low position.
        const int a = 44 + 10 * k;
        const std::array<std::array<std::string, 2>, 10> alarm{{
            {"A1TYPE", "1"},
            {"A1SM", "90.00"},
            {"A1SH", "2.00"},
            {"A1PM", std::to_string(std::llround(c.max * 0.9))},
            {"A1PH", "100"},
            {"A2TYPE", "4"},
            {"A2SM", "10.00"},
            {"A2SH", "2.00"},
            {"A2PM", std::to_string(std::llround(c.min + (c.max - c.min) * 0.1))},
            {"A2PH", "50"},
        }};
        for (int i = 0; i < 10; ++i) {
            const auto& [label, value] = alarm[static_cast<std::size_t>(i)];
            Item& it = p.set("1", std::to_string(a + i), label + n, value);
            switch (i % 5) {
                case 0:
                    p.acceptOnly("1", std::to_string(a + i), {"0", "1", "2", "3", "4"});
                    break;
                case 1:
                    it.onWrite = numberWithin(-15, 115, false);
                    break;
                case 2:
                    it.onWrite = numberWithin(0, 115, false);
                    break;
                default:
                    it.onWrite = numberWithin(-2100000000, 2100000000, false);
                    break;
            }
        }
        // External latch on, the rest off.
        const std::array<const char*, 7> flags{"EXTL", "HLSL",   "EXTR",  "HLSR",
                                               "ZR",   "HLSLDC", "HLSRDC"};
        for (int f = 0; f < 7; ++f) {
            const std::string item = std::to_string(64 + 2 * f + k);
            p.set("1", item, flags[static_cast<std::size_t>(f)] + n, f == 0 ? "1" : "0");
            p.acceptOnly("1", item, onOff);
        }
    }
    addRequestItems(p, s);
    p.description += ", counting " + std::string(u.countMode == "SPE" ? "speed" : "position");
    return p;
}

std::vector<std::pair<std::string, FE2Unit>> fe2Units() {
    return {
        {"J6P-FE2", {"J6P-FE2", " 1.05", "POS", 2}},
        {"J6S-FE2", {"J6S-FE2", " 1.02", "SPE", 2}},
        {"J6XN-FE2", {"J6XN-FE2", "1.04", "POS", 2}},
    };
}

}  // namespace dunax::sim
