// The whole program against a unit on a paced line: every character crosses the line one by
// one, 1.0417 ms each way at 9600 baud, in virtual time. Late replies must never shift the
// answers of the commands after them, and a fault-free connect and upload must run close to
// what the line itself allows.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/dispatch.h"
#include "core/ext_select.h"
#include "modules/analog_in/frm_kw4.h"
#include "modules/encoder_loadcell/frm_fe2.h"
#include "modules/register.h"
#include "network/frm_cclink.h"
#include "network/register.h"
#include "sim/profile_kw4.h"
#include "support/unit_fixture.h"

namespace dunax::testing {
namespace {

using core::g;

// One character at 9600 baud: a start bit, eight data bits and a stop bit, 10 / 9600 s.
constexpr std::int64_t kCharacterNs = 1'041'667;
constexpr double kCharacterMs = 1.041667;
// What the simulated unit takes to start answering, and the pause the program makes before
// every command.
constexpr int kUnitAnswerMs = 15;
constexpr int kPauseMs = 10;
constexpr int kLateMs = 3500;  // well past the 3000 ms time-out of an exchange

// Everything a window shows, by control: text, caption, list row and value.
using Snapshot = std::map<std::string, std::string>;

Snapshot snapshot(const platform::Form& f) {
    Snapshot s;
    for (const auto& c : f.controls()) {
        s[c->name() + "(" + std::to_string(c->index()) + ")"] =
            c->text() + "|" + c->caption() + "|" + std::to_string(c->listIndex()) + "|" +
            (c->value() ? "1" : "0");
    }
    return s;
}

class PacedLine : public UnitFixture {
  protected:
    void SetUp() override {
        modules::RegisterModuleWindows();
        network::RegisterNetworkWindows();
        UnitFixture::SetUp();
        pace(distinct(sim::makeKW4Unit({"J6P-KW4", 4, " 1.05", "DI", {0}})));
    }

    void TearDown() override {
        modules::frmKW4.reset();
        modules::frmFE2.reset();
        network::frmCCLINK.reset();
        UnitFixture::TearDown();
        for (int n = 0; n < 28; ++n) core::RegisterModuleWindow(n, {});
        for (int t = 0; t < 8; ++t) core::RegisterNetworkWindow(t, {});
    }

    // A unit whose every channel and monitored value differs from the others, so that an
    // answer taken for another command shows.
    static sim::Profile distinct(sim::Profile p) {
        for (int ch = 1; ch <= 4; ++ch) {
            p.set(std::to_string(ch), "20", "ZS", std::to_string(ch * 1000 + 20));
            p.set(std::to_string(ch), "21", "FS", std::to_string(ch * 1000 + 21));
            const std::string v = std::to_string(ch) + "." + std::to_string(ch) + "1";
            p.setLive("00", std::to_string(20 + ch), "CH" + std::to_string(ch - 1),
                      [v](std::int64_t) { return v; });
        }
        p.setLive("00", "12", "EXTDATA", [](std::int64_t) { return "x5A3C"; });
        return p;
    }

    // The unit with every value that changes by itself held at what it is now.
    static sim::Profile frozen(sim::Profile p) {
        const sim::Profile original = p;
        for (const auto& [group, items] : original.groups()) {
            for (const auto& [number, item] : items) {
                if (!item.live) continue;
                const std::string v = item.live(0);
                p.find(group, number)->live = [v](std::int64_t) { return v; };
            }
        }
        return p;
    }

    // characterNs 0: every reply arrives whole, and replies due together arrive in one block,
    // as a USB adapter hands over what it gathered.
    void pace(sim::Profile p, std::int64_t characterNs = kCharacterNs) {
        unit = std::make_shared<sim::SimUnit>(std::move(p));
        unit->latencyMs = kUnitAnswerMs;
        auto open = sim::simOpener(unit, characterNs);
        platform::setSerialOpener([this, open](int port, const std::string& s, std::string& e) {
            auto d = open(port, s, e);
            device = static_cast<sim::SimSerialDevice*>(d.get());
            return d;
        });
        // The extension module question, answered with the 16 points; the captions it offered.
        host.whileModal["frmExtSelect"] = [this](platform::Form& f) {
            offered.push_back(f.find("Command1")->caption() + "/" + f.find("Command2")->caption());
            platform::userClick(*f.find("Command1"));
        };
    }

    // What the user sees after connecting: the main window, the module window, the network
    // window and the extension question.
    struct Seen {
        Snapshot main, module, network;
        std::vector<std::string> offered;
    };
    Seen seen() {
        return {snapshot(core::frmDunax()), snapshot(modules::frmKW4()),
                snapshot(network::frmCCLINK()), offered};
    }

    static void expectSame(const Seen& got, const Seen& want) {
        EXPECT_EQ(got.main, want.main);
        EXPECT_EQ(got.module, want.module);
        EXPECT_EQ(got.network, want.network);
        EXPECT_EQ(got.offered, want.offered);
    }

    // The connect and upload of a unit that answers everything in time.
    Seen cleanConnect() {
        core::frmDunax().btnConnect_Click();
        EXPECT_TRUE(host.messages.empty());
        Seen s = seen();
        cleanCommands = commands();
        again();
        return s;
    }

    // Fresh windows and a fresh unit for the next row of a table.
    void again() {
        restart();  // sets the paced unit up again
        offered.clear();
    }

    // How often a command was sent in this run, less in the fault-free run.
    long extra(const std::string& command) const {
        return countOf(sent(), command) - countOf(cleanCommands, command);
    }

    // Whether some command was sent at least a time-out after the one before it.
    bool someCommandWaitedForATimeOut(std::int64_t since) const {
        const auto& entries = unit->log();
        for (std::size_t i = 1; i < entries.size(); ++i) {
            if (entries[i].atMs >= since && entries[i].atMs - entries[i - 1].atMs >= 3000) {
                return true;
            }
        }
        return false;
    }

    std::vector<std::string> cleanCommands;

    sim::SimSerialDevice* device = nullptr;
    std::vector<std::string> offered;
};

TEST_F(PacedLine, TheCleanRunShowsWhatTheUnitHolds) {
    // The reference of the cases below, checked against the unit itself.
    const Seen s = cleanConnect();
    EXPECT_EQ(s.main.at("lblMastertype(-1)"), "|J6P-KW4|-1|0");
    EXPECT_EQ(s.main.at("lblVersionNo(-1)"), "|Version :  1.05|-1|0");
    EXPECT_EQ(s.offered, (std::vector<std::string>{"PY16/PY8"}));
    EXPECT_EQ(s.module.at("txtParData(1)").substr(0, 4), "221|");
}

TEST_F(PacedLine, AReplyLateByMoreThanTheTimeOutShiftsNoLaterAnswer) {
    const Seen want = cleanConnect();
    // Commands of a connect: 1 G00, 2 I01 (probe); 3 G00, 4 I01, 5 DF (prologue); 6 I02 model,
    // 7 I06 version, 8 I10 extension, 9 I03 channels; then the module window's upload.
    const struct {
        const char* what;
        std::size_t command;
    } cases[] = {{"probe", 2},        {"prologue data", 5},    {"model name", 6},
                 {"version", 7},      {"extension module", 8}, {"channel count", 9},
                 {"module item", 16}, {"module item", 30}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.what) + " at command " + std::to_string(c.command));
        unit->faults().lateAt = c.command;
        unit->faults().lateByMs = kLateMs;

        core::frmDunax().btnConnect_Click();
        EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
        EXPECT_TRUE(g.Connected);
        expectSame(seen(), want);
        // The late command was asked again: its exchange did time out.
        ASSERT_GE(unit->log().size(), c.command);
        EXPECT_EQ(extra(unit->log()[c.command - 1].text), 1);
        again();
    }
}

TEST_F(PacedLine, AReplySplitAcrossTheTimeOutShiftsNoLaterAnswer) {
    // Every reply comes in two blocks, the rest some time after its first characters.
    unit->faults().splitAt = 3;
    unit->faults().splitGapMs = 20;
    const Seen want = cleanConnect();
    // A command reaches the unit 3 to 5 ms after it is written: with these delays the first
    // block of the reply, cut inside the value, arrives before the 3000 ms time-out and the
    // rest after it.
    const struct {
        std::size_t command;
        std::size_t cutAfter;
        int lateMs;
        int restAfterMs;
    } cases[] = {{6, 7, 2985, 400},    // I02: "0TYPE:J" "6P-KW4"
                 {7, 7, 2985, 700},    // I06: "0VER: 1" ".05"
                 {9, 5, 2988, 150},    // I03: "0CH:4" "CHs"
                 {16, 2, 2990, 20},    // G1: "CO" "K"
                 {17, 5, 2988, 110}};  // I20: "0ZS:1" "020"
    for (const auto& c : cases) {
        SCOPED_TRACE("late by " + std::to_string(c.lateMs) + " ms at command " +
                     std::to_string(c.command) + ", the rest " + std::to_string(c.restAfterMs) +
                     " ms later");
        unit->faults().splitAt = c.cutAfter;
        unit->faults().splitGapMs = c.restAfterMs;
        unit->faults().lateAt = c.command;
        unit->faults().lateByMs = c.lateMs;

        core::frmDunax().btnConnect_Click();
        EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
        expectSame(seen(), want);
        EXPECT_EQ(extra(unit->log()[c.command - 1].text), 1) << "no time-out";
        again();
    }
}

TEST_F(PacedLine, AUnitThatTakesOneCommandAtATimeShiftsNoLaterAnswer) {
    // The unit queues a command that comes while it still owes a late reply, and answers it
    // some time after that reply.
    const Seen want = cleanConnect();
    const struct {
        std::size_t command;
        int gapMs;
    } cases[] = {{6, 150}, {7, 150}, {8, 1000}, {17, 1000}};  // I02 I06 I10 I20
    for (const auto& c : cases) {
        SCOPED_TRACE("late at command " + std::to_string(c.command) + ", the next answered " +
                     std::to_string(c.gapMs) + " ms after it");
        unit->faults().lateAt = c.command;
        unit->faults().lateByMs = kLateMs;
        unit->faults().oneAtATimeGapMs = c.gapMs;

        core::frmDunax().btnConnect_Click();
        EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
        EXPECT_TRUE(g.Connected);
        expectSame(seen(), want);
        EXPECT_EQ(extra(unit->log()[c.command - 1].text), 1);
        again();
    }
}

TEST_F(PacedLine, NoiseOnTheLineEndsInTheFailurePath) {
    // Longest the probe of a connect may take: a silent unit's, two time-outs and the wait
    // after the first, each command after its pause.
    const std::int64_t probeMs =
        2 * core::kReplyTimeoutMs + core::kOwedQuietMs + 2 * core::kCommandPauseMs;
    const struct {
        const char* what;
        const char* noise;
        std::int64_t fromMs;  // after Connect is clicked
        std::string message;
        std::string title;
        std::int64_t withinMs;
        bool wholeBlocks = false;  // the port hands over each frame in one block
    } cases[] = {
        {"a port with noise and no unit", "x", 0, kNoUnitAnswered, "Connection", probeMs},
        {"another device's frames", "ABC\r\n", 0, kNotAUnit, "Connection", 500, true},
        {"noise in the middle of the upload while the unit stops answering", "x", 1000,
         "Upload Error", "Upload", 20'000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        again();
        if (c.wholeBlocks) pace(distinct(sim::makeKW4Unit({"J6P-KW4", 4, " 1.05", "DI", {0}})), 0);
        std::int64_t messageAt = -1;
        host.onMessage = [&](const platform::MessageRecord&) {
            if (messageAt < 0) messageAt = host.now();
        };
        const std::int64_t start = host.now();
        const auto noise = [this, &c] {
            unit->faults().silent = true;
            unit->faults().noise = c.noise;
        };
        if (c.fromMs == 0)
            noise();  // from the first command on
        else
            host.at(start + c.fromMs, noise);
        // Endless noise would hold a wait that never ends: it stops after ten minutes.
        host.at(start + 600'000, [this] { unit->faults().noise.clear(); });

        core::frmDunax().btnConnect_Click();
        ASSERT_FALSE(host.messages.empty());
        EXPECT_EQ(host.messages[0].text, c.message);
        EXPECT_EQ(host.messages[0].title, c.title);
        EXPECT_LE(messageAt - start, c.withinMs);
        EXPECT_FALSE(g.Connected);
        std::printf("%s: \"%s\" after %lld ms\n", c.what, c.message.substr(0, 16).c_str(),
                    static_cast<long long>(messageAt - start));
    }
}

TEST_F(PacedLine, ALateReplyAndTheNextOneInOneBlockAreTwoReplies) {
    // The unit answers one command after the other: the late reply and the reply to the
    // command's retry come back to back and reach the program in one read.
    const Seen want = cleanConnect();
    for (const std::size_t command : {6u, 7u, 9u, 16u}) {  // I02, I06, I03, G1
        SCOPED_TRACE("late at command " + std::to_string(command));
        pace(distinct(sim::makeKW4Unit({"J6P-KW4", 4, " 1.05", "DI", {0}})), 0);
        unit->faults().lateAt = command;
        unit->faults().lateByMs = kLateMs;

        core::frmDunax().btnConnect_Click();
        EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
        EXPECT_TRUE(g.Connected);
        expectSame(seen(), want);
        again();
    }
}

TEST_F(PacedLine, ALateReplyDuringMonitoringShiftsNoLaterAnswer) {
    // A window that selects the group before each value (KW4), and one that reads its values
    // one after the other in the group it selected once (FE2).
    for (const char* model : {"J6P-KW4", "J6P-FE2"}) {
        for (const std::size_t ahead : {1u, 2u, 3u, 4u, 5u}) {
            SCOPED_TRACE(std::string(model) + ", late reply " + std::to_string(ahead) +
                         " commands ahead");
            again();
            pace(frozen(*sim::profileFor(model)));
            core::frmDunax().btnConnect_Click();
            ASSERT_TRUE(g.Connected);
            auto* w = core::ModuleWindowFor(g.UploadModelNum);
            ASSERT_NE(w, nullptr);
            // The unit's values do not change: every pass must show what the upload showed.
            const Snapshot want = snapshot(*w);

            // A while into monitoring one command is answered late; Stop is pressed during the
            // wait for it, so the pass it belongs to is the last one.
            const std::int64_t t = host.now() + 500;
            host.at(t, [this, ahead] {
                unit->faults().lateAt = unit->log().size() + ahead;
                unit->faults().lateByMs = kLateMs;
            });
            host.at(t + 1000, [] { platform::userClick(core::frmDunax().btnStop); });
            core::frmDunax().btnStart_Click();

            EXPECT_TRUE(host.messages.empty());
            EXPECT_FALSE(g.Monitoring);
            EXPECT_TRUE(g.Connected);
            EXPECT_TRUE(someCommandWaitedForATimeOut(t));
            const Snapshot got = snapshot(*w);
            for (const auto& [name, shown] : want) {
                if (name.rfind("txt", 0) == 0) {
                    EXPECT_EQ(got.at(name), shown) << name;
                }
            }
        }
    }
}

TEST_F(PacedLine, AUnitThatStopsAnsweringWhileMonitoredIsToldOnce) {
    const std::string& told = kUnitStoppedAnswering;
    using Fault = std::function<void(sim::Faults&)>;
    const Fault silent = [](sim::Faults& f) { f.silent = true; };
    const struct {
        const char* model;
        Fault fault;
        std::string message;  // "": the values are skipped and monitoring goes on
        bool stopInside = false;
    } cases[] = {
        {"J6P-KW4", [](sim::Faults& f) { f.dropNext = 3; }, ""},  // the fourth try answered
        {"J6P-KW4", [](sim::Faults& f) { f.dropNext = 4; }, told},
        {"J6P-KW4", [](sim::Faults& f) { f.replyDelayMs = kLateMs; }, ""},  // late is an answer
        {"J6P-KW4", silent, told, true},  // Stop clicked while the unit is silent
        {"J6P-JR16", silent, told},
        // Windows that tell a failed read of their own say only that.
        {"J6S-MXJ16", silent, "Uploading incomplete"},
        {"J6P-FE2", silent, "Data Read Error."},
        {"J6S-MXJ16", silent, "Uploading incomplete", true},
        {"J6P-FE2", silent, "Data Read Error.", true},
    };
    int rowNo = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(rowNo + 1);
        again();
        pace(frozen(*sim::profileFor(c.model)));
        core::frmDunax().btnConnect_Click();
        ASSERT_TRUE(g.Connected);
        std::int64_t messageAt = -1;
        host.onMessage = [&](const platform::MessageRecord&) {
            if (messageAt < 0) messageAt = host.now();
        };
        std::size_t firstMissed = 0;
        const std::int64_t t = host.now() + 500;
        host.at(t, [&] {
            firstMissed = unit->log().size();
            c.fault(unit->faults());
        });
        // Stop, in this row only: a told row has ended monitoring long before.
        host.at(c.stopInside ? t + 1000 : t + 40'000, [&rowNo, thisRow = ++rowNo] {
            if (rowNo == thisRow && g.Monitoring) platform::userClick(core::frmDunax().btnStop);
        });
        core::frmDunax().btnStart_Click();

        if (c.message.empty()) {
            EXPECT_TRUE(host.messages.empty());
            EXPECT_TRUE(g.Connected);
            continue;
        }
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, c.message);
        const std::int64_t since = unit->log().at(firstMissed).atMs;
        // Four time-outs, each but the first after the wait for its owed reply and a pause.
        EXPECT_LE(messageAt - since,
                  4 * core::kReplyTimeoutMs + 3 * (core::kOwedQuietMs + kPauseMs));
        EXPECT_EQ(unit->log().size() - firstMissed, 4u) << "the tries of one read, no more";
        EXPECT_FALSE(g.Connected);
        EXPECT_EQ(core::frmDunax().shpLamp.fillColor(), core::kLampDisconnected);
        EXPECT_EQ(row(), kRowDisconnected);
    }
}

TEST_F(PacedLine, ConnectAndUploadRunCloseToTheLineLimit) {
    // The line's limit for this conversation: every character both ways at 1.0417 ms, the
    // unit's 15 ms before each reply, and the 10 ms the program waits before each command.
    // Nothing of a fault-free conversation can go faster on this line.
    const std::int64_t start = host.now();
    core::frmDunax().btnConnect_Click();
    const std::int64_t took = host.now() - start;
    ASSERT_TRUE(host.messages.empty());
    ASSERT_NE(device, nullptr);

    const double commands = static_cast<double>(unit->log().size());
    const double characters =
        static_cast<double>(device->charactersToUnit() + device->charactersFromUnit());
    const double limit = characters * kCharacterMs + commands * (kUnitAnswerMs + kPauseMs);
    const double ratio = static_cast<double>(took) / limit;
    RecordProperty("took_ms", std::to_string(took));
    RecordProperty("limit_ms", std::to_string(limit));
    std::printf(
        "connect + upload: %lld ms, line limit %.1f ms (%g commands, %g characters): "
        "%.3fx\n",
        static_cast<long long>(took), limit, commands, characters, ratio);
    EXPECT_GE(ratio, 1.0);
    EXPECT_LE(ratio, 1.05);
}

}  // namespace
}  // namespace dunax::testing
