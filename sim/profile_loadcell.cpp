#include "sim/profile_loadcell.h"

#include <array>
#include <cmath>
#include <memory>
#include <numbers>
#include <optional>

#include "sim/shared_items.h"

namespace dunax::sim {

namespace {

// A setting as the unit keeps it: the text it was given and its value.
struct Setting {
    std::string text;
    double v = 0;
};

// One load cell with what lies on it and how the channel scales it.
struct Cell {
    double capacityKg = 1000;
    double (*load)(double seconds) = nullptr;  // kg on the cell at a time

    double offsetKg = 0;  // zero point set by Zero / Auto Zero
    double span = 1;      // span calibration factor
    Setting zs{"0", 0}, fs{"10000", 10000}, bias{"0.00", 0}, gain{"1.0000", 1},
        ratio{"100.00", 100};
    std::string monitorValue = "0";     // item 38
    std::optional<std::string> forced;  // item 42: a value forced on the monitor output
    int gainStep = 0;                   // item 40, -100..100

    double netKg(std::int64_t ms) const {
        return load(static_cast<double>(ms) / 1000.0) - offsetKg;
    }
    // Fraction of the channel's scale that the present load fills.
    double fraction(std::int64_t ms) const {
        return netKg(ms) * span / (capacityKg * ratio.v / 100.0);
    }
    double reading(std::int64_t ms) const {
        return (zs.v + (fs.v - zs.v) * fraction(ms)) * gain.v + bias.v;
    }
};

// CH 0: a platform scale with a light load rocking on it (35..85 kg of 1000 kg).
double platformLoad(double t) {
    return 60 + 25 * std::sin(2 * std::numbers::pi * t / 17) + 1.5 * std::sin(t * 5.3);
}

// CH 1: a hopper filled from 5 to 400 kg in 35 s and emptied in 10 s (of 500 kg).
double hopperLoad(double t) {
    const double c = std::fmod(t, 45.0);
    return c < 35 ? 5 + 395 * c / 35 : 400 - 395 * (c - 35) / 10;
}

// The unit's clock as last seen by a read: an action is always written right after its item
// was selected, so it acts at that moment.
struct State {
    std::int64_t clockMs = 0;
    std::array<Cell, 2> ch;
};
using StatePtr = std::shared_ptr<State>;

// An item read from the state (so that the actions show in it) and written through rule.
Item& stateItem(Profile& p, const std::string& group, const std::string& item,
                const std::string& label, const StatePtr& s,
                std::function<std::string(State&)> read) {
    Item& it = p.setLive(group, item, label, [s, read](std::int64_t now) {
        s->clockMs = now;
        return read(*s);
    });
    it.writable = true;
    return it;
}

void addSetting(Profile& p, const StatePtr& s, int k, const std::string& item,
                const std::string& label, Setting Cell::*member, double lo, double hi, bool whole) {
    stateItem(p, std::to_string(k + 1), item, label + std::to_string(k), s,
              [k, member](State& st) { return (st.ch[static_cast<std::size_t>(k)].*member).text; })
        .onWrite = [s, k, member, check = numberWithin(lo, hi, whole)](
                       const std::string& data) -> std::optional<std::string> {
        if (!check(data)) return std::nullopt;
        s->ch[static_cast<std::size_t>(k)].*member =
            Setting{data, std::strtod(data.c_str(), nullptr)};
        return data;
    };
}

// An action item: reads "0"; a write of the accepted data carries the action out, which may
// refuse (false).
void addAction(Profile& p, const StatePtr& s, int k, const std::string& item,
               const std::string& label, const std::string& accepted,
               std::function<bool(Cell&, std::int64_t)> act) {
    stateItem(p, std::to_string(k + 1), item, label + std::to_string(k), s, [](State&) {
        return std::string("0");
    }).onWrite = [s, k, accepted, act](const std::string& data) -> std::optional<std::string> {
        if (data != accepted) return std::nullopt;
        if (!act(s->ch[static_cast<std::size_t>(k)], s->clockMs)) return std::nullopt;
        return "0";
    };
}

void addChannel(Profile& p, const StatePtr& s, int k, const std::string& filterMode) {
    const std::string g = std::to_string(k + 1);
    const std::string n = std::to_string(k);
    auto cell = [s, k]() -> Cell& { return s->ch[static_cast<std::size_t>(k)]; };

    addMaintenanceSwitch(p, g);
    p.setReadOnly(g, "09", "FILTER" + n, filterMode);
    addSetting(p, s, k, "20", "ZS", &Cell::zs, -32000, 32000, true);
    addSetting(p, s, k, "21", "FS", &Cell::fs, -32000, 32000, true);
    addSetting(p, s, k, "22", "BIAS", &Cell::bias, -320, 320, false);
    addSetting(p, s, k, "23", "GAIN", &Cell::gain, -3.2, 3.2, false);
    addSetting(p, s, k, "28", "RATIO", &Cell::ratio, 10, 100, false);

    addAction(p, s, k, "30", "ZERO", "", [](Cell& c, std::int64_t now) {
        c.offsetKg += c.netKg(now);
        return true;
    });
    addAction(p, s, k, "31", "SPAN", "", [](Cell& c, std::int64_t now) {
        const double net = c.netKg(now);
        if (net < c.capacityKg / 20) return false;
        c.span = c.capacityKg * c.ratio.v / 100.0 / net;
        return true;
    });
    addAction(p, s, k, "32", "AZERO", "", [](Cell& c, std::int64_t now) {
        const double net = c.netKg(now);
        if (std::fabs(net) > c.capacityKg / 10) return false;
        c.offsetKg += net;
        return true;
    });
    addAction(p, s, k, "33", "OFSCLR", "0", [](Cell& c, std::int64_t) {
        c.offsetKg = 0;
        return true;
    });

    stateItem(p, g, "38", "MONOUT" + n, s, [cell](State&) { return cell().monitorValue; }).onWrite =
        [cell, rule = numberWithin(-32000, 32000, false)](
            const std::string& data) -> std::optional<std::string> {
        if (!rule(data)) return std::nullopt;
        cell().monitorValue = data;
        return data;
    };
    // Auto Scale: the full scale that makes the present load read the monitor output value.
    addAction(p, s, k, "39", "ASCALE", "", [](Cell& c, std::int64_t now) {
        const double f = c.fraction(now);
        const double target = std::strtod(c.monitorValue.c_str(), nullptr);
        if (std::fabs(f) < 1e-6 || std::fabs(c.gain.v) < 1e-9) return false;
        const double fs = std::round(c.zs.v + ((target - c.bias.v) / c.gain.v - c.zs.v) / f);
        if (fs < -32000 || fs > 32000) return false;
        c.fs = Setting{std::to_string(static_cast<int>(fs)), fs};
        return true;
    });
    stateItem(p, g, "40", "GADJ" + n, s, [cell](State&) {
        return std::to_string(cell().gainStep);
    }).onWrite = [cell](const std::string& data) -> std::optional<std::string> {
        Cell& c = cell();
        int next = c.gainStep;
        if (data == "U") {
            ++next;
        } else if (data == "D") {
            --next;
        } else if (numberWithin(-100, 100, true)(data)) {
            next = std::atoi(data.c_str());
        } else {
            return std::nullopt;
        }
        if (next < -100 || next > 100) return std::nullopt;
        c.gainStep = next;
        return data;
    };
    stateItem(p, g, "42", "OUTPUT" + n, s, [cell](State&) { return cell().forced.value_or("0"); })
        .onWrite = [cell, rule = numberWithin(-32000, 32000, false)](
                       const std::string& data) -> std::optional<std::string> {
        if (!rule(data)) return std::nullopt;
        cell().forced = data;
        return data;
    };
    addAction(p, s, k, "43", "CANCEL", "1", [](Cell& c, std::int64_t) {
        c.forced.reset();
        return true;
    });
    p.setLive(g, "44", "GSTEP" + n,
              [cell](std::int64_t) { return std::to_string(cell().gainStep); });
}

}  // namespace

Profile makeLoadCellUnit(const LoadCellUnit& u) {
    Profile p = makeProfile({u.modelName, u.channels, u.version, u.extModule});
    auto s = std::make_shared<State>();
    s->ch[0].capacityKg = 1000;
    s->ch[0].load = platformLoad;
    s->ch[1].capacityKg = 500;
    s->ch[1].load = hopperLoad;

    for (int k = 0; k < 2; ++k) {
        p.setLive("00", std::to_string(21 + k), "WEIGHT" + std::to_string(k),
                  [s, k](std::int64_t now) {
                      s->clockMs = now;
                      return fixed(s->ch[static_cast<std::size_t>(k)].reading(now), 1);
                  });
    }
    addExtensionPoints(p, u.extModule);
    if (offersOutputHold(p) && !p.network.empty()) addOutputHold(p);
    for (int k = 0; k < u.channels && k < 2; ++k) addChannel(p, s, k, u.filterMode);
    return p;
}

NamedProfiles loadCellUnits() {
    const std::vector<std::pair<std::string, LoadCellUnit>> units{
        {"J6P-SD2", {"J6P-SD2", " 1.05", 2, "1", "VQ"}},
        {"J6U-SD2+DI", {"J6U-SD2", " 1.06", 2, "0", "DI"}},
        {"J6S-SD2", {"J6S-SD2", " 1.03", 2, "1", "VQ"}},
        {"J6YR-SD2", {"J6YR-SD2", " 1.05", 2, "0", "VQ"}},
        {"J6YR-SD2-1.01", {"J6YR-SD2", "1.01", 2, "1", "VQ"}},
        {"J6XN-SD2", {"J6XN-SD2", "1.00", 2, "1", "VQ"}},
    };
    return namedUnits(units, makeLoadCellUnit);
}

}  // namespace dunax::sim
