#include "sim/profile.h"

#include <functional>
#include <utility>

#include "sim/network_items.h"
#include "sim/profile_bias_gain.h"
#include "sim/profile_counter.h"
#include "sim/profile_discrete.h"
#include "sim/profile_fe2.h"
#include "sim/profile_gf4a.h"
#include "sim/profile_kw4.h"
#include "sim/profile_loadcell.h"
#include "sim/profile_temperature.h"
#include "sim/profile_ux4.h"
#include "sim/profile_vh4n.h"
#include "sim/scaled_items.h"
#include "sim/shared_items.h"

namespace dunax::sim {

std::string normaliseGroup(const std::string& group) {
    if (group.size() == 2 && group[0] == '0' && group[1] >= '1' && group[1] <= '9') {
        return group.substr(1);
    }
    return group;
}

std::string normaliseItem(const std::string& item) {
    if (item.size() == 1 && item[0] >= '0' && item[0] <= '9') return "0" + item;
    return item;
}

bool Profile::hasGroup(const std::string& group) const {
    return groups_.count(normaliseGroup(group)) != 0;
}

Profile& Profile::addGroup(const std::string& group) {
    groups_[normaliseGroup(group)];
    return *this;
}

Item* Profile::find(const std::string& group, const std::string& item) {
    auto g = groups_.find(normaliseGroup(group));
    if (g == groups_.end()) return nullptr;
    auto i = g->second.find(normaliseItem(item));
    return i == g->second.end() ? nullptr : &i->second;
}

const Item* Profile::find(const std::string& group, const std::string& item) const {
    return const_cast<Profile*>(this)->find(group, item);
}

std::string Profile::value(const std::string& group, const std::string& item) const {
    const Item* it = find(group, item);
    return it ? it->value : std::string();
}

Item& Profile::set(const std::string& group, const std::string& item, std::string label,
                   std::string value) {
    Item& it = groups_[normaliseGroup(group)][normaliseItem(item)];
    it = Item{};
    it.label = std::move(label);
    it.value = std::move(value);
    return it;
}

Item& Profile::setReadOnly(const std::string& group, const std::string& item, std::string label,
                           std::string value) {
    Item& it = set(group, item, std::move(label), std::move(value));
    it.writable = false;
    return it;
}

Item& Profile::setLive(const std::string& group, const std::string& item, std::string label,
                       LiveValue live) {
    Item& it = setReadOnly(group, item, std::move(label), {});
    it.live = std::move(live);
    return it;
}

Item& Profile::acceptOnly(const std::string& group, const std::string& item,
                          std::vector<std::string> values) {
    Item& it = groups_[normaliseGroup(group)][normaliseItem(item)];
    it.onWrite = [values = std::move(values)](const std::string& data) {
        for (const auto& v : values) {
            if (v == data) return std::optional<std::string>(data);
        }
        return std::optional<std::string>();
    };
    return it;
}

Profile& Profile::refuse(const std::string& group, const std::string& item) {
    groups_[normaliseGroup(group)][normaliseItem(item)].refused = true;
    return *this;
}

Profile& Profile::remove(const std::string& group, const std::string& item) {
    auto g = groups_.find(normaliseGroup(group));
    if (g != groups_.end()) g->second.erase(normaliseItem(item));
    return *this;
}

std::string networkOf(const std::string& modelName) {
    static const std::pair<const char*, const char*> prefixes[] = {
        {"J6P-", "CC-Link"},  {"J6Q-", "DeviceNet"}, {"J6S-", "Modbus"}, {"J6SK", "MECHATROLINK"},
        {"J6U-", "Ethernet"}, {"J6WB", "FL-Remote"}, {"J6XN", "HLS"},    {"J6YR", "FLEX NETWORK"}};
    const std::string head = modelName.substr(0, 4);
    for (const auto& [prefix, name] : prefixes) {
        if (head == prefix) return name;
    }
    return {};
}

std::string modelCode(const std::string& modelName) {
    const auto dash = modelName.find('-');
    return dash == std::string::npos ? modelName : modelName.substr(dash + 1);
}

Profile makeProfile(const Identity& id) {
    Profile p;
    p.identity = id;
    p.network = networkOf(id.modelName);
    p.description = id.modelName + (p.network.empty() ? "" : " on " + p.network) + ", " +
                    std::to_string(id.channelCount) + " channels";
    if (id.extModule != "VQ") p.description += ", extension " + id.extModule;

    addMaintenanceSwitch(p, "00");
    p.setReadOnly("00", "02", "TYPE", id.modelName);
    p.setReadOnly("00", "03", "CH", std::to_string(id.channelCount) + "CHs");
    p.setReadOnly("00", "06", "VER", id.version);
    p.setReadOnly("00", "10", "EXT", "J6-" + id.extModule);
    p.setReadOnly("00", "12", "EXTDATA", id.extModule == "VQ" ? "x0000" : "x00F0");
    for (int ch = 1; ch <= id.channelCount; ++ch) p.addGroup(std::to_string(ch));
    addNetworkItems(p);
    return p;
}

namespace {

// Every ready-made unit, by name.
NamedProfiles registry() {
    NamedProfiles all;
    const auto add = [&all](NamedProfiles units) {
        for (auto& unit : units) all.push_back(std::move(unit));
    };
    add(namedUnits(kw4Units(), makeKW4Unit));
    add(namedUnits(ux4Units(), makeUX4Unit));
    add(namedUnits(gf4aUnits(), makeGF4AUnit));
    add(scaledAnalogUnits());
    add(discreteUnits());
    add(vh4nUnits());
    add(biasGainUnits());
    add(namedUnits(temperatureUnits(), makeTemperatureUnit));
    add(namedUnits(counterUnits(), makeCounterUnit));
    add(namedUnits(fe2Units(), makeFE2Unit));
    add(loadCellUnits());
    // A model the program does not know: identification only.
    all.emplace_back("J6U-JR8", [] { return makeProfile({"J6U-JR8", 8, " 1.10", "VQ"}); });
    return all;
}

}  // namespace

std::vector<std::string> listProfiles() {
    std::vector<std::string> names;
    for (const auto& r : registry()) names.push_back(r.first);
    return names;
}

std::optional<Profile> profileFor(const std::string& name) {
    for (const auto& r : registry()) {
        if (r.first == name) return r.second();
    }
    return std::nullopt;
}

}  // namespace dunax::sim
