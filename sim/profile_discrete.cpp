#include "sim/profile_discrete.h"

#include <cstdio>
#include <optional>
#include <vector>

namespace dunax::sim {

namespace {

constexpr std::int64_t kStepMs = 500;

enum class Kind { Output16, Output8, Input8, Input4, Relay8, InOut8 };

// The model by its code, as the program matches it: the first code that begins the text
// after the hyphen.
Kind kindOf(const std::string& modelName) {
    const auto hyphen = modelName.find('-');
    const std::string code = hyphen == std::string::npos ? modelName : modelName.substr(hyphen + 1);
    auto begins = [&](const char* c) { return code.rfind(c, 0) == 0; };
    if (begins("JR8Y")) return Kind::Output8;
    if (begins("JR8U")) return Kind::Input8;
    if (begins("JR4T")) return Kind::Input4;
    if (begins("BV8")) return Kind::Relay8;
    if (begins("MXJ16")) return Kind::InOut8;
    return Kind::Output16;  // MX16, MX16H, JR16
}

int channelCount(Kind k) {
    switch (k) {
        case Kind::Output16:
        case Kind::InOut8:
            return 16;
        case Kind::Input4:
            return 4;
        default:
            return 8;
    }
}

std::string hex4(unsigned bits) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "x%04X", bits & 0xFFFFu);
    return buf;
}

bool bit(unsigned bits, int n) {
    return ((bits >> n) & 1u) != 0;
}

// Hold: "0" holds the outputs, "1" clears them.
void addHold(Profile& p) {
    p.set("00", "14", "HOLD", "OFF").onWrite =
        [](const std::string& data) -> std::optional<std::string> {
        if (data == "0") return "ON";
        if (data == "1") return "OFF";
        return std::nullopt;
    };
}

// A whole number of milliseconds, 0 to 100, digits only.
std::optional<std::string> replyDelay(const std::string& data) {
    if (data.empty() || data.size() > 3) return std::nullopt;
    for (char c : data) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    if (std::stoi(data) > 100) return std::nullopt;
    return std::to_string(std::stoi(data));
}

// Extension points: two set points walking one place a second.
std::string walkingPoints(std::int64_t nowMs) {
    const unsigned shift = static_cast<unsigned>((nowMs / 1000) % 16);
    return hex4((0x0003u << shift) | (0x0003u >> (16 - shift)));
}

}  // namespace

std::uint16_t discretePoints(std::int64_t nowMs, int points) {
    // A counter in the low byte and a walking point in the high byte: every lamp changes.
    const auto step = static_cast<unsigned>(nowMs / kStepMs);
    unsigned bits = (step & 0xFFu) | (0x100u << (step % 8));
    if (points < 16) bits &= (1u << points) - 1u;
    return static_cast<std::uint16_t>(bits);
}

Profile makeDiscreteUnit(const DiscreteUnit& u) {
    const Kind kind = kindOf(u.modelName);
    Profile p = makeProfile({u.modelName, channelCount(kind), u.version, u.extModule});
    if (u.extModule != "VQ") p.setLive("00", "12", "EXTDATA", walkingPoints);

    switch (kind) {
        case Kind::Output16:
        case Kind::Output8:
        case Kind::Input8:
        case Kind::Input4: {
            const int points = kind == Kind::Output16 ? 16 : kind == Kind::Input4 ? 4 : 8;
            if (kind == Kind::Output16 || kind == Kind::Output8) addHold(p);
            p.setLive("00", "21", "DATA",
                      [points](std::int64_t now) { return hex4(discretePoints(now, points)); });
            if (u.modelName.find("MX16H") != std::string::npos) {
                p.set("00", "58", "DELAY", "10").onWrite = replyDelay;
            }
            // JR16 takes a forced output: the channel number, in group 01.
            if (u.modelName.find("JR16") != std::string::npos) {
                std::vector<std::string> channels;
                for (int ch = 0; ch < 16; ++ch) channels.push_back(std::to_string(ch));
                p.set("01", "03", "FORCE", "");
                p.acceptOnly("01", "03", channels);
            }
            break;
        }
        case Kind::Relay8:
            addHold(p);
            for (int ch = 0; ch < 8; ++ch) {
                p.setLive("00", std::to_string(21 + ch), "CH" + std::to_string(ch),
                          [ch](std::int64_t now) {
                              const bool out = bit(discretePoints(now, 8), ch);
                              const bool in = bit(discretePoints(now - kStepMs, 8), ch);
                              return std::string{out ? '1' : '0', in ? '1' : '0'};
                          });
            }
            break;
        case Kind::InOut8:
            addHold(p);
            for (int pair = 0; pair < 4; ++pair) {
                const std::string item = std::to_string(16 + pair);
                p.set("00", item, "MODE", pair == 1 ? "1" : "0");
                p.acceptOnly("00", item, {"0", "1"});
            }
            for (int ch = 0; ch < 8; ++ch) {
                p.setLive("00", std::to_string(21 + ch), "CH" + std::to_string(ch),
                          [ch](std::int64_t now) {
                              const unsigned bits = discretePoints(now, 16);
                              return std::string(bit(bits, ch) ? "1" : "0") + ";" +
                                     (bit(bits, 8 + ch) ? "1" : "0");
                          });
            }
            break;
    }
    return p;
}

std::vector<std::pair<std::string, std::function<Profile()>>> discreteUnits() {
    const std::vector<std::pair<std::string, DiscreteUnit>> units{
        {"J6P-MX16", {"J6P-MX16", " 1.05", "VQ"}},   {"J6Q-MX16+DO", {"J6Q-MX16", " 1.05", "DO"}},
        {"J6S-MX16H", {"J6S-MX16H", " 1.06", "VQ"}}, {"J6S-MX16H+DI", {"J6S-MX16H", " 1.06", "DI"}},
        {"J6P-JR16", {"J6P-JR16", " 1.05", "VQ"}},   {"J6U-JR16+DI", {"J6U-JR16", " 1.10", "DI"}},
        {"J6Q-JR8U", {"J6Q-JR8U", " 1.05", "VQ"}},   {"J6U-JR4T", {"J6U-JR4T", " 1.10", "VQ"}},
        {"J6S-JR8Y", {"J6S-JR8Y", " 1.05", "VQ"}},   {"J6WB-JR8Y+DO", {"J6WB-JR8Y", " 1.05", "DO"}},
        {"J6P-BV8", {"J6P-BV8", " 1.05", "VQ"}},     {"J6S-BV8+DI", {"J6S-BV8", " 1.05", "DI"}},
        {"J6S-MXJ16", {"J6S-MXJ16", " 1.05", "VQ"}}, {"J6P-MXJ16+DO", {"J6P-MXJ16", " 1.05", "DO"}},
    };
    std::vector<std::pair<std::string, std::function<Profile()>>> all;
    for (const auto& [name, unit] : units) {
        all.emplace_back(name, [unit = unit] { return makeDiscreteUnit(unit); });
    }
    return all;
}

}  // namespace dunax::sim
