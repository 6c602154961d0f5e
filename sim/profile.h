// What a simulated J6 unit knows: its identification and the item store of every group.
// A profile is built in code: makeProfile() gives a unit with the identification items of
// group "00" and one empty group per channel; a small function per module model adds that
// model's items (makeKW4Unit in sim/profile_kw4.h), and the registry names the ready-made
// units.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace dunax::sim {

// The value of an item that changes by itself (a monitored input), from the unit's clock.
using LiveValue = std::function<std::string(std::int64_t nowMs)>;
// What a "D" command stores: the new value, or nothing to refuse the data ("CNG").
using WriteRule = std::function<std::optional<std::string>(const std::string& data)>;

struct Item {
    std::string label;
    std::string value;
    bool writable = true;
    bool refused = false;  // "I" answers "CNG"
    LiveValue live;        // when set, reads answer live(now) instead of value
    WriteRule onWrite;     // when set, decides what a write stores; else the data as sent
};

using Group = std::map<std::string, Item>;  // by two-digit item number

// "01".."09" name the same channel group as "1".."9"; "00" is the unit itself.
std::string normaliseGroup(const std::string& group);
// A one-digit item number stands for its two-digit form ("1" is "01").
std::string normaliseItem(const std::string& item);

struct Identity {
    std::string modelName;          // item 02, e.g. "J6P-KW4"
    int channelCount = 4;           // item 03, "4CHs"
    std::string version = " 1.05";  // item 06, the blank included as the unit sends it
    std::string extModule = "VQ";   // item 10 type: "DI", "DO", "VQ" (none)
};

class Profile {
  public:
    Identity identity;    // what the profile was built from; the unit answers from the items
    std::string network;  // field network named by the model's prefix, "" when unknown
    std::string description;

    bool hasGroup(const std::string& group) const;
    Profile& addGroup(const std::string& group);

    Item* find(const std::string& group, const std::string& item);
    const Item* find(const std::string& group, const std::string& item) const;
    // The stored value of an item, "" when the item does not exist.
    std::string value(const std::string& group, const std::string& item) const;

    // Builders; a group that does not exist yet is added. Each returns the item for further
    // touches (item.writable = false, item.onWrite = ...).
    Item& set(const std::string& group, const std::string& item, std::string label,
              std::string value);
    Item& setReadOnly(const std::string& group, const std::string& item, std::string label,
                      std::string value);
    Item& setLive(const std::string& group, const std::string& item, std::string label,
                  LiveValue live);
    // Writes of anything but one of values are refused.
    Item& acceptOnly(const std::string& group, const std::string& item,
                     std::vector<std::string> values);
    Profile& refuse(const std::string& group, const std::string& item);
    Profile& remove(const std::string& group, const std::string& item);

    const std::map<std::string, Group>& groups() const { return groups_; }

  private:
    std::map<std::string, Group> groups_;  // by normalised group
};

// The field network that a model name's first four characters name ("CC-Link", "HLS", ...).
std::string networkOf(const std::string& modelName);

// The model code of a model name: the part after the first "-" ("J6P-LQ4" gives "LQ4").
std::string modelCode(const std::string& modelName);

// A unit with group "00" holding the identification items (01 maintenance switch, 02 model
// name, 03 channel count, 06 version, 10 extension module, 12 extension points) and the
// channel groups "1".."channelCount" without items.
Profile makeProfile(const Identity& id);

// Ready-made units by name, each made when it is asked for.
using NamedProfiles = std::vector<std::pair<std::string, std::function<Profile()>>>;

// The ready-made units, by name.
std::vector<std::string> listProfiles();
std::optional<Profile> profileFor(const std::string& name);

}  // namespace dunax::sim
