#include "sim/profile_discrete.h"

#include <vector>

#include "sim/shared_items.h"

namespace dunax::sim {

namespace {

constexpr std::int64_t kStepMs = 500;

enum class Kind { Output16, Output8, Input8, Input4, Relay8, InOut8 };

// The model by its code, as the program matches it: the first code that begins the text
// after the hyphen.
Kind kindOf(const std::string& modelName) {
    const std::string code = modelCode(modelName);
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

bool bit(unsigned bits, int n) {
    return ((bits >> n) & 1u) != 0;
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
    addExtensionPoints(p, u.extModule, walkingPoints);

    switch (kind) {
        case Kind::Output16:
        case Kind::Output8:
        case Kind::Input8:
        case Kind::Input4: {
            const int points = kind == Kind::Output16 ? 16 : kind == Kind::Input4 ? 4 : 8;
            if (kind == Kind::Output16 || kind == Kind::Output8) addOutputHold(p);
            p.setLive("00", "21", "DATA",
                      [points](std::int64_t now) { return hex4(discretePoints(now, points)); });
            if (u.modelName.find("MX16H") != std::string::npos) {
                // A whole number of milliseconds, 0 to 100, of at most three digits.
                p.set("00", "58", "DELAY", "10").onWrite = wholeNumberWithin(0, 100, 3);
            }
            // JR16 takes a forced output: the channel number, in group 01.
            if (u.modelName.find("JR16") != std::string::npos) {
                p.set("01", "03", "FORCE", "");
                p.acceptOnly("01", "03", codesBelow(16));
            }
            break;
        }
        case Kind::Relay8:
            addOutputHold(p);
            addChannelValues(p, 8, [](int ch) -> LiveValue {
                return [ch](std::int64_t now) {
                    const bool out = bit(discretePoints(now, 8), ch);
                    const bool in = bit(discretePoints(now - kStepMs, 8), ch);
                    return std::string{out ? '1' : '0', in ? '1' : '0'};
                };
            });
            break;
        case Kind::InOut8:
            addOutputHold(p);
            for (int pair = 0; pair < 4; ++pair) {
                const std::string item = std::to_string(16 + pair);
                p.set("00", item, "MODE", pair == 1 ? "1" : "0");
                p.acceptOnly("00", item, {"0", "1"});
            }
            addChannelValues(p, 8, [](int ch) -> LiveValue {
                return [ch](std::int64_t now) {
                    const unsigned bits = discretePoints(now, 16);
                    return std::string(bit(bits, ch) ? "1" : "0") + ";" +
                           (bit(bits, 8 + ch) ? "1" : "0");
                };
            });
            break;
    }
    return p;
}

NamedProfiles discreteUnits() {
    const std::vector<std::pair<std::string, DiscreteUnit>> units{
        {"J6P-MX16", {"J6P-MX16", " 1.05", "VQ"}},   {"J6Q-MX16+DO", {"J6Q-MX16", " 1.05", "DO"}},
        {"J6S-MX16H", {"J6S-MX16H", " 1.06", "VQ"}}, {"J6S-MX16H+DI", {"J6S-MX16H", " 1.06", "DI"}},
        {"J6P-JR16", {"J6P-JR16", " 1.05", "VQ"}},   {"J6U-JR16+DI", {"J6U-JR16", " 1.10", "DI"}},
        {"J6Q-JR8U", {"J6Q-JR8U", " 1.05", "VQ"}},   {"J6U-JR4T", {"J6U-JR4T", " 1.10", "VQ"}},
        {"J6S-JR8Y", {"J6S-JR8Y", " 1.05", "VQ"}},   {"J6WB-JR8Y+DO", {"J6WB-JR8Y", " 1.05", "DO"}},
        {"J6P-BV8", {"J6P-BV8", " 1.05", "VQ"}},     {"J6S-BV8+DI", {"J6S-BV8", " 1.05", "DI"}},
        {"J6S-MXJ16", {"J6S-MXJ16", " 1.05", "VQ"}}, {"J6P-MXJ16+DO", {"J6P-MXJ16", " 1.05", "DO"}},
    };
    return namedUnits(units, makeDiscreteUnit);
}

}  // namespace dunax::sim
