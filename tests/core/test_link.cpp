// The unit link against the simulated unit, in virtual time: the commands on the wire, the
// retries, the framing of replies and the failures of the line.
#include <gtest/gtest.h>

#include <memory>

#include "core/globals.h"
#include "core/link.h"
#include "core/tables.h"
#include "platform/scripted_host.h"
#include "sim/device.h"
#include "sim/profile.h"

using namespace dunax;
using core::g;
using Commands = std::vector<std::string>;

namespace {

struct Link : ::testing::Test {
    platform::ScriptedHost host;
    std::shared_ptr<sim::SimUnit> unit;
    sim::SimSerialDevice* device = nullptr;

    void SetUp() override {
        core::InitData();
        auto p = sim::profileFor("J6P-KW4");
        ASSERT_TRUE(p.has_value());
        unit = std::make_shared<sim::SimUnit>(*p);
        auto open = sim::simOpener(unit);
        platform::setSerialOpener([this, open](int port, const std::string& s, std::string& e) {
            auto d = open(port, s, e);
            device = static_cast<sim::SimSerialDevice*>(d.get());
            return d;
        });
        core::OpenPort();
        ASSERT_TRUE(core::MSComm1().portOpen());
    }
    void TearDown() override {
        core::ClosePort();
        platform::setSerialOpener(platform::defaultSerialOpener());
    }
    sim::Faults& faults() { return unit->faults(); }
};

TEST_F(Link, RoutinesSendExactlyTheirCommands) {
    struct Case {
        const char* what;
        std::function<std::string()> run;
        Commands wire;
        std::string result;
    };
    unit->profile().set("1", "20", "ZS", "0");
    const Case cases[] = {
        {"select read",
         [] { return core::SelectRead("00", "02"); },
         {"G00", "I02"},
         "TYPE:J6P-KW4"},
        {"item read", [] { return core::ItemRead("03"); }, {"I03"}, "CH:4CHs"},
        {"select write",
         [] { return core::SelectWrite("1", "20", "100"); },
         {"G1", "I20", "D100"},
         "ZS:100"},
        {"item write", [] { return core::ItemWrite("20", "-5"); }, {"I20", "D-5"}, "ZS:-5"},
        {"prologue",
         [] { return core::MaintenancePrologue("00", "F"); },
         {"G00", "I01", "DF"},
         "MNTSW:F"},
        {"write of empty data",
         [] { return core::SelectWriteRetry(3, "1", "20", ""); },
         {"G1", "I20", "D"},
         "ZS:"},
    };
    for (const auto& c : cases) {
        unit->clearLog();
        auto r = c.run();
        EXPECT_EQ(unit->commands(), c.wire) << c.what;
        // The label of an item comes from the profile; compare the value part.
        EXPECT_EQ(r.substr(r.find(':')), c.result.substr(c.result.find(':'))) << c.what;
    }
}

TEST_F(Link, RetriesRepeatOnlyEmptyResults) {
    struct Case {
        const char* what;
        std::function<void(sim::Faults&)> fault;
        std::function<std::string()> run;
        Commands wire;
        std::string result;
    };
    const Case cases[] = {
        {"refused item is not retried",
         [](auto& f) { f.replies["I02"] = "CNG"; },
         [] { return core::SelectReadRetry(3, "00", "02"); },
         {"G00", "I02"},
         "CNG"},
        {"item that does not apply",
         [](auto& f) {
             f.needless.insert({"00", "02"});
         },
         [] { return core::SelectReadRetry(3, "00", "02"); },
         {"G00", "I02"},
         "NEEDLESS"},
        {"refused group: no item asked, four attempts",
         [](auto& f) { f.refusedGroups.insert("00"); },
         [] { return core::SelectReadRetry(3, "00", "02"); },
         {"G00", "G00", "G00", "G00"},
         ""},
        {"probe with n = 1",
         [](auto& f) { f.refusedGroups.insert("00"); },
         [] { return core::SelectReadRetry(1, "00", "01"); },
         {"G00", "G00"},
         ""},
        {"status character only is no answer",
         [](auto& f) { f.replies["I02"] = "0"; },
         [] { return core::ItemReadRetry(3, "02"); },
         {"I02", "I02", "I02", "I02"},
         ""},
        {"write whose item does not apply sends no data",
         [](auto& f) {
             f.needless.insert({"1", "20"});
         },
         [] { return core::SelectWriteRetry(3, "1", "20", "5"); },
         {"G1", "I20", "G1", "I20", "G1", "I20", "G1", "I20"},
         ""},
        {"refused data is retried with its item",
         [](auto& f) { f.replies["D5"] = "CNG"; },
         [] { return core::ItemWriteRetry(2, "20", "5"); },
         {"I20", "D5", "I20", "D5", "I20", "D5"},
         ""},
        {"a silent read after a monitoring pass's watch has ended still lets the next through",
         [](auto& f) { f.dropNext = 4; },
         [] {
             { core::SilenceWatch pass; }
             core::SelectReadRetry(core::kRetries, "00", "02");
             return core::SelectRead("00", "03");
         },
         {"G00", "G00", "G00", "G00", "G00", "I03"},
         "CH:4CHs"},
    };
    for (const auto& c : cases) {
        faults() = sim::Faults{};
        c.fault(faults());
        unit->clearLog();
        EXPECT_EQ(c.run(), c.result) << c.what;
        EXPECT_EQ(unit->commands(), c.wire) << c.what;
    }
}

TEST_F(Link, ItemReadActsOnTheGroupSelectedLast) {
    unit->profile().set("2", "20", "ZS", "-250");
    unit->profile().set("2", "21", "FS", "4000");
    EXPECT_EQ(core::SelectReadRetry(3, "02", "20"), "ZS:-250");
    EXPECT_EQ(core::ItemReadRetry(3, "21"), "FS:4000");
    EXPECT_EQ(unit->commands(), (Commands{"G02", "I20", "I21"}));
}

TEST_F(Link, SilentUnitGivesUpWithinFifteenSecondsWithoutSpinning) {
    faults().silent = true;
    auto start = host.now();
    EXPECT_EQ(core::SelectReadRetry(3, "00", "02"), "");
    auto took = host.now() - start;
    EXPECT_EQ(unit->commands(), (Commands{"G00", "G00", "G00", "G00"}));
    // Four time-outs; before each retry the reply owed is given up after a quiet line.
    // The pause of each retry comes again after that wait.
    EXPECT_EQ(took, 4 * core::kReplyTimeoutMs + 3 * core::kOwedQuietMs + 4 * core::kCommandPauseMs);
    EXPECT_LT(took, 15'000);
    EXPECT_EQ(host.slept, 7 * core::kCommandPauseMs) << "the pause before every command";
    EXPECT_LE(host.waits, 11) << "each wait blocks until something can happen";
}

TEST_F(Link, NoCommandGoesOutWhileAReplyIsOwed) {
    // The first command goes unanswered and times out at 3000 ms; the line then carries what
    // a row says, at its times from the first command. The second command goes out when the
    // reply still owed to the first has come or is given up, and the pause after that.
    struct Arrival {
        std::int64_t atMs;
        std::string bytes;
    };
    const std::string x64(64, 'x');
    struct Case {
        const char* what;
        std::vector<Arrival> line;
        std::int64_t nextAtMs;
        const char* reply = nullptr;  // of the second command, when the row is about it
    };
    std::vector<Arrival> noise;  // a character every 100 ms from the time-out on, never a CR
    for (int i = 0; i < 60; ++i) noise.push_back({3050 + 100 * i, "x"});
    const Case cases[] = {
        {"a quiet line gives it up after 750 ms", {}, 3760},
        {"a character at +749 ms restarts the quiet time", {{3749, "x"}}, 4509},
        {"a character at +751 ms comes too late", {{3751, "x"}}, 3760},
        {"its CR ends the wait at once", {{3400, "0MNTSW:1\r"}}, 3410, "COK"},
        {"the rest of a reply split across the time-out is taken as owed",
         {{2000, "0MNTSW"}, {3700, ":1\r"}},
         3710,
         "COK"},
        {"64 characters without a CR are still waited for", {{3100, x64}}, 3860},
        {"65 are noise and given up at once", {{3100, x64 + "x"}}, 3110},
        {"what came before the time-out counts", {{2000, "x"}, {3100, x64}}, 3110},
        {"endless noise is given up at twice the time-out", noise, 6010},
        {"nothing is owed after a reply in time: what follows it is dropped",
         {{15, "COK\r"}, {100, "junk"}},
         200,
         "COK"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        core::ClosePort();
        core::OpenPort();
        unit->clearLog();
        for (const auto& a : c.line) device->inject(a.bytes, a.atMs);
        const std::int64_t start = host.now();
        faults().silent = true;  // only the injected characters answer the first command
        core::CommTransact("G00\r");
        faults().silent = false;
        host.advance(std::max<std::int64_t>(0, start + 200 - host.now()));
        const std::string reply = core::CommTransact("G00\r");
        ASSERT_EQ(unit->log().size(), 2u);
        EXPECT_EQ(unit->log()[1].atMs - start, c.nextAtMs);
        if (c.reply) {
            EXPECT_EQ(reply, c.reply);
        }
    }
}

TEST_F(Link, RepliesAreFramedByBlocksEndingInCarriageReturn) {
    struct Case {
        const char* what;
        std::function<void(sim::Faults&)> fault;
        std::string result;
    };
    const Case cases[] = {
        {"reply in two blocks", [](auto& f) { f.splitAt = 2; }, "TYPE:J6P-KW4"},
        {"blanks around the reply", [](auto& f) { f.padded = true; }, "TYPE:J6P-KW4"},
        // What follows the first CR in the same block answers nothing and is dropped.
        {"the first CR ends the reply", [](auto& f) { f.replies["G00"] = "COK\rX"; },
         "TYPE:J6P-KW4"},
    };
    for (const auto& c : cases) {
        faults() = sim::Faults{};
        c.fault(faults());
        unit->clearLog();
        EXPECT_EQ(core::SelectRead("00", "02"), c.result) << c.what;
    }
}

TEST_F(Link, BlockWithoutCarriageReturnWaitsForTheRest) {
    // "CO" alone is not a reply; the rest completes it well within the time-out.
    faults().splitAt = 2;
    faults().splitGapMs = 2500;
    EXPECT_EQ(core::CommTransact("G00\r"), "COK");
    faults().splitGapMs = 3500;  // the rest comes too late: no answer at all
    EXPECT_EQ(core::CommTransact("G00\r"), "");
}

TEST_F(Link, LateReplyNeverAnswersTheNextCommand) {
    // The answer to the model name comes after its time-out, before the next command.
    faults().nextReplyDelayMs = core::kReplyTimeoutMs + 5;
    EXPECT_EQ(core::SelectRead("00", "06"), "");
    EXPECT_EQ(core::SelectRead("00", "03"), "CH:4CHs");
}

TEST_F(Link, ClosedPortAnswersNothingAtOnce) {
    core::ClosePort();
    auto start = host.now();
    EXPECT_EQ(core::SelectReadRetry(3, "00", "02"), "");
    EXPECT_EQ(host.now() - start, 4 * core::kCommandPauseMs) << "no time-out is waited for";
    EXPECT_TRUE(unit->commands().empty());
}

TEST_F(Link, DisconnectDuringAnExchangeEndsItAtOnce) {
    faults().silent = true;
    host.at(1000, [] { core::ClosePort(); });
    auto start = host.now();
    EXPECT_EQ(core::SelectReadRetry(3, "00", "02"), "");
    EXPECT_EQ(host.now() - start, 1000 + 3 * core::kCommandPauseMs);
    EXPECT_EQ(unit->commands(), (Commands{"G00"}));
}

TEST_F(Link, FailedLineInTheMiddleOfAReplyGivesNoAnswer) {
    faults().splitAt = 3;
    faults().splitGapMs = 100;
    host.at(50, [this] { faults().vanished = true; });
    EXPECT_EQ(core::CommTransact("I02\r"), "");
    EXPECT_FALSE(core::MSComm1().portOpen()) << "a failed line counts as closed";
}

TEST_F(Link, NestedExchangeNeverInterleavesWithTheRunningOne) {
    std::string nested = "not run";
    host.at(5, [&] { nested = core::SelectRead("00", "03"); });
    EXPECT_EQ(core::SelectRead("00", "02"), "TYPE:J6P-KW4");
    EXPECT_EQ(nested, "") << "a handler nested in the wait gets no answer";
    EXPECT_EQ(unit->commands(), (Commands{"G00", "I02"}));
}

TEST_F(Link, TextThatWouldBreakTheFrameIsNeverSent) {
    for (const std::string& data : Commands{"1\r2", "5\n", std::string("a\0b", 3), "\x1b"}) {
        unit->clearLog();
        EXPECT_EQ(core::SelectWrite("1", "20", data), "");
        EXPECT_EQ(unit->commands(), (Commands{"G1", "I20"}));
    }
}

TEST_F(Link, PortThatCannotOpenStaysClosed) {
    core::ClosePort();
    faults().portUnavailable = true;
    core::OpenPort();
    EXPECT_FALSE(core::MSComm1().portOpen());
    EXPECT_EQ(core::SelectReadRetry(1, "00", "01"), "");
    faults().portUnavailable = false;
    core::OpenPort();
    EXPECT_TRUE(core::MSComm1().portOpen());
    EXPECT_EQ(unit->openedSettings, "9600,n,8,1");
}

}  // namespace
