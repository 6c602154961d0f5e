#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/unit.h"

namespace dunax::sim {
namespace {

// A unit with the identification items and a few module items, as a model function adds them.
SimUnit testUnit() {
    Profile p = makeProfile({"J6P-KW4", 4, " 1.05", "VQ"});
    for (const char* g : {"1", "2"}) p.set(g, "20", "ZS", "0");
    p.set("3", "22", "BIAS", "0.00");
    p.set("00", "14", "HOLD", "OFF").onWrite = [](const std::string& data) {
        if (data == "0") return std::optional<std::string>("ON");
        if (data == "1") return std::optional<std::string>("OFF");
        return std::optional<std::string>();
    };
    return SimUnit(std::move(p));
}

// Sends each command with its CR and gathers everything sent back for it.
std::vector<std::string> talk(SimUnit& u, const std::vector<std::string>& commands,
                              std::int64_t now = 0) {
    std::vector<std::string> replies;
    for (const auto& c : commands) {
        std::string r;
        for (const auto& e : u.receive(c + "\r", now)) r += e.bytes;
        replies.push_back(r);
    }
    return replies;
}

struct ProtocolCase {
    const char* name;
    std::vector<std::string> commands;
    std::vector<std::string> replies;  // without their CR
};

TEST(SimUnit, AnswersTheProtocol) {
    const ProtocolCase cases[] = {
        {"group 00", {"G00"}, {"COK"}},
        {"channel groups in both forms",
         {"G1", "G01", "G4", "G04", "G5", "G05", "G0", "G"},
         {"COK", "COK", "COK", "COK", "CNG", "CNG", "CNG", "CNG"}},
        {"item without a group", {"I01"}, {"CNG"}},
        {"maintenance switch", {"G00", "I01"}, {"COK", "0MNTSW:1"}},
        {"one-digit item", {"G00", "I1"}, {"COK", "0MNTSW:1"}},
        {"identification",
         {"G00", "I02", "I03", "I06", "I10", "I12"},
         {"COK", "0TYPE:J6P-KW4", "0CH:4CHs", "0VER: 1.05", "0EXT:J6-VQ", "0EXTDATA:x0000"}},
        {"unknown item", {"G00", "I99"}, {"COK", "CNU"}},
        {"write after an unknown item", {"G00", "I99", "DF"}, {"COK", "CNU", "CNG"}},
        {"write without an item", {"G00", "DF"}, {"COK", "CNG"}},
        {"a new group clears the item",
         {"G00", "I01", "G1", "D1"},
         {"COK", "0MNTSW:1", "COK", "CNG"}},
        {"a refused group clears the selection", {"G1", "G9", "I20"}, {"COK", "CNG", "CNG"}},
        {"maintenance switch takes F and 1 only",
         {"G00", "I01", "DX", "DF", "I01", "D1"},
         {"COK", "0MNTSW:1", "CNG", "0MNTSW:F", "0MNTSW:F", "0MNTSW:1"}},
        {"read-only item",
         {"G00", "I02", "DJ6P-XX", "I02"},
         {"COK", "0TYPE:J6P-KW4", "CNG", "0TYPE:J6P-KW4"}},
        {"write persists across both group forms",
         {"G1", "I20", "D123", "G01", "I20", "G2", "I20"},
         {"COK", "0ZS:0", "0ZS:123", "COK", "0ZS:123", "COK", "0ZS:0"}},
        {"empty data is a value",
         {"G3", "I22", "D", "I22"},
         {"COK", "0BIAS:0.00", "0BIAS:", "0BIAS:"}},
        {"output hold written as 0 and 1, read as ON and OFF",
         {"G00", "I14", "D0", "I14", "D1", "D2"},
         {"COK", "0HOLD:OFF", "0HOLD:ON", "0HOLD:ON", "0HOLD:OFF", "CNG"}},
        {"anything else", {"X", "", "g00", "Q00"}, {"CNG", "CNG", "CNG", "CNG"}},
    };
    for (const auto& c : cases) {
        SimUnit u = testUnit();
        std::vector<std::string> expected;
        for (const auto& r : c.replies) expected.push_back(r + "\r");
        EXPECT_EQ(talk(u, c.commands), expected) << c.name;
    }
}

TEST(SimUnit, ReadyMadeUnitsIdentifyThemselves) {
    const auto names = listProfiles();
    ASSERT_FALSE(names.empty());
    for (const auto& name : names) {
        auto p = profileFor(name);
        ASSERT_TRUE(p.has_value()) << name;
        const Identity id = p->identity;
        const std::string n = std::to_string(id.channelCount);
        SimUnit u(std::move(*p));
        EXPECT_EQ(talk(u, {"G00", "I01", "I02", "I03", "I06", "I10", "G" + n,
                           "G" + std::to_string(id.channelCount + 1)}),
                  (std::vector<std::string>{"COK\r", "0MNTSW:1\r", "0TYPE:" + id.modelName + "\r",
                                            "0CH:" + n + "CHs\r", "0VER:" + id.version + "\r",
                                            "0EXT:J6-" + id.extModule + "\r", "COK\r", "CNG\r"}))
            << name;
    }
    EXPECT_FALSE(profileFor("J6P-NOPE").has_value());
    // The unknown model answers its identification and nothing else.
    SimUnit jr8(*profileFor("J6U-JR8"));
    EXPECT_EQ(talk(jr8, {"G1", "I20", "G00", "I21"}),
              (std::vector<std::string>{"COK\r", "CNU\r", "COK\r", "CNU\r"}));
}

TEST(SimUnit, ProfileEditsTakeEffect) {
    Profile p = makeProfile({"J6Q-KW4", 2, "1.00", "DO"});
    EXPECT_EQ(p.network, "DeviceNet");
    p.refuse("00", "10");
    p.set("02", "30", "X", "7").writable = false;
    SimUnit u(std::move(p));
    EXPECT_EQ(talk(u, {"G00", "I10", "G2", "I30", "D8", "G3"}),
              (std::vector<std::string>{"COK\r", "CNG\r", "COK\r", "0X:7\r", "CNG\r", "CNG\r"}));
    u.profile().remove("2", "30");
    EXPECT_EQ(talk(u, {"G02", "I30"}), (std::vector<std::string>{"COK\r", "CNU\r"}));
}

TEST(SimUnit, LiveValuesFollowTheClock) {
    SimUnit u = testUnit();
    u.profile().setLive("00", "21", "CH0",
                        [](std::int64_t now) { return std::to_string(now / 10); });
    EXPECT_EQ(talk(u, {"G00", "I21"}, 120), (std::vector<std::string>{"COK\r", "0CH0:12\r"}));
    // Read-only: a write is refused and the next read still follows the clock.
    EXPECT_EQ(talk(u, {"D5", "I21"}, 5000), (std::vector<std::string>{"CNG\r", "0CH0:500\r"}));
}

TEST(SimUnit, SplitsCommandsAtCarriageReturn) {
    SimUnit u = testUnit();
    EXPECT_TRUE(u.receive("G0", 10).empty());
    auto out = u.receive("0\r\nI01\r", 20);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].bytes, "COK\r");
    EXPECT_EQ(out[1].bytes, "0MNTSW:1\r");
    ASSERT_EQ(u.log().size(), 2u);
    EXPECT_EQ(u.log()[0].text, "G00");
    EXPECT_EQ(u.log()[0].atMs, 20);
    EXPECT_EQ(u.commands(), (std::vector<std::string>{"G00", "I01"}));
    EXPECT_EQ(u.selectedGroup(), "00");
    EXPECT_EQ(u.selectedItem(), "01");

    // An endless line is refused once its CR comes, and the next command is understood.
    out = u.receive(std::string(1000, 'G') + "\rG00\r", 30);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].bytes, "CNG\r");
    EXPECT_EQ(out[1].bytes, "COK\r");
    EXPECT_EQ(u.log()[2].text.size(), SimUnit::kMaxCommand);
}

struct FaultCase {
    const char* fault;
    std::vector<std::string> commands;
    std::vector<Emission> expected;  // everything sent, commands at 0, 100, 200, ...
    const char* before = nullptr;    // a fault set first
};

TEST(SimUnit, Misbehaves) {
    const FaultCase cases[] = {
        {"silent", {"G00", "I01"}, {}},
        {"silent-from=2", {"G00", "I01", "I02"}, {{15, "COK\r"}}},
        {"drop=1", {"G00", "G00"}, {{115, "COK\r"}}},
        {"cng", {"G00"}, {{15, "CNG\r"}}},
        {"refuse-group=01", {"G1", "G00"}, {{15, "CNG\r"}, {115, "COK\r"}}},
        {"cnu=00/2", {"G00", "I02", "D1"}, {{15, "COK\r"}, {115, "CNU\r"}, {215, "CNG\r"}}},
        {"reply=I01/0", {"G00", "I01"}, {{15, "COK\r"}, {115, "0\r"}}},
        {"reply=G00/C\\rOK", {"G00"}, {{15, "C\rOK\r"}}},
        {"pad", {"G00"}, {{15, " COK \r"}}},
        {"garbage=\\xff\\x00", {"G00"}, {{15, std::string("\xff\0COK\r", 6)}}},
        {"split=2/20", {"G00"}, {{15, "CO"}, {35, "K\r"}}},
        {"delay=3500", {"G00", "G00"}, {{3500, "COK\r"}, {3600, "COK\r"}}},
        // A late reply holds back the replies after it: the unit answers in order.
        {"delay-next=3500",
         {"G00", "I01", "I02"},
         {{3500, "COK\r"}, {3500, "0MNTSW:1\r"}, {3500, "0TYPE:J6P-KW4\r"}}},
        {"vanish-at=2", {"G00", "I01", "I02"}, {{15, "COK\r"}}},
        // Commands that come while a reply is owed wait for it; each is answered 150 ms after
        // the reply before it has crossed the line (4 and 9 characters: 5 and 10 ms).
        {"one-at-a-time=150",
         {"G00", "I01", "I02"},
         {{3500, "COK\r"}, {3655, "0MNTSW:1\r"}, {3815, "0TYPE:J6P-KW4\r"}},
         "delay-next=3500"},
        {"one-at-a-time=150", {"G00", "I01"}, {{15, "COK\r"}, {115, "0MNTSW:1\r"}}},
    };
    for (const auto& c : cases) {
        SimUnit u = testUnit();
        std::string error;
        if (c.before) {
            ASSERT_TRUE(applyFault(u, c.before, error)) << c.before << ": " << error;
        }
        ASSERT_TRUE(applyFault(u, c.fault, error)) << c.fault << ": " << error;
        std::vector<Emission> got;
        std::int64_t now = 0;
        for (const auto& cmd : c.commands) {
            for (auto& e : u.receive(cmd + "\r", now)) got.push_back(std::move(e));
            now += 100;
        }
        ASSERT_EQ(got.size(), c.expected.size()) << c.fault;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].atMs, c.expected[i].atMs) << c.fault << " #" << i;
            EXPECT_EQ(got[i].bytes, c.expected[i].bytes) << c.fault << " #" << i;
        }
        // Every command is logged, answered or not, until the line drops.
        const bool vanishes = std::string(c.fault).rfind("vanish", 0) == 0;
        EXPECT_EQ(u.log().size(), vanishes ? 2u : c.commands.size()) << c.fault;
        EXPECT_EQ(u.vanished(), vanishes) << c.fault;
    }
}

TEST(SimUnit, SilenceAndDropsLeaveTheItemsAlone) {
    SimUnit u = testUnit();
    talk(u, {"G1", "I20"});
    u.faults().dropNext = 1;
    talk(u, {"D55"});
    u.faults().silent = true;
    talk(u, {"D66"});
    EXPECT_EQ(u.profile().value("01", "20"), "0");
    // A late reply is carried out at once, only its answer comes late.
    u.faults().silent = false;
    u.faults().nextReplyDelayMs = 5000;
    talk(u, {"D77"});
    EXPECT_EQ(u.profile().value("1", "20"), "77");
    // Once the line has dropped nothing more is taken or logged.
    u.faults().vanished = true;
    EXPECT_TRUE(u.receive("G00\r", 0).empty());
    EXPECT_EQ(u.commands(), (std::vector<std::string>{"G1", "I20", "D55", "D66", "D77"}));
}

TEST(SimUnit, SendsNoiseOfItsOwn) {
    SimUnit u = testUnit();
    std::string error;
    ASSERT_TRUE(applyFault(u, "noise=AB\\r\\n/40", error)) << error;
    const auto times = [](const std::vector<Emission>& sent) {
        std::vector<std::int64_t> t;
        for (const auto& e : sent) {
            EXPECT_EQ(e.bytes, "AB\r\n");
            t.push_back(e.atMs);
        }
        return t;
    };
    EXPECT_EQ(u.nextNoiseMs(1000), 1000) << "it starts when it is first asked for";
    EXPECT_EQ(times(u.noise(1000)), (std::vector<std::int64_t>{1000}));
    EXPECT_EQ(times(u.noise(1119)), (std::vector<std::int64_t>{1040, 1080}));
    EXPECT_EQ(u.nextNoiseMs(1119), 1120);
    EXPECT_TRUE(u.noise(1119).empty()) << "each frame is sent once";
    u.faults().noise.clear();
    EXPECT_EQ(u.nextNoiseMs(1200), std::nullopt);
    EXPECT_TRUE(u.noise(1200).empty());
}

TEST(SimUnit, FaultSpecs) {
    const char* bad[] = {
        "bogus",          "silent=1", "silent-from=0", "silent-from=x", "drop=-1",
        "cnu=00",         "cnu=/01",  "reply=I01",     "split=0",       "split=2/x",
        "delay=",         "garbage=", "garbage=\\x4",  "garbage=\\q",   "vanish-at=0",
        "one-at-a-time=", "noise=",   "noise=x/0",     "noise=x/"};
    for (const char* spec : bad) {
        SimUnit u = testUnit();
        std::string error;
        EXPECT_FALSE(applyFault(u, spec, error)) << spec;
        EXPECT_NE(error, "") << spec;
    }
}

}  // namespace
}  // namespace dunax::sim
