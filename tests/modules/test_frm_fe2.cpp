// The encoder counter window against the simulated unit: what it sends and in which order,
// what it shows in either view, its data check, the request buttons and the failure paths.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/connection.h"
#include "core/dispatch.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/main_window.h"
#include "core/module_window.h"
#include "core/text.h"
#include "modules/encoder_loadcell/frm_fe2.h"
#include "modules/register.h"
#include "sim/profile_fe2.h"
#include "support/layout_check.h"
#include "support/unit_fixture.h"

namespace dunax {
namespace {

using core::g;
using modules::FE2Window;
using modules::frmFE2;
using platform::Control;
using Cmds = std::vector<std::string>;

std::string item(int n) {
    return (n < 10 ? "I0" : "I") + std::to_string(n);
}

// The group 01 items of channel ch in upload order (drop out, reset, min, max, bias, gain,
// zero and full scale, HLS command, alarms A and B, the seven flags).
std::vector<int> settingItems(int ch) {
    std::vector<int> v{9 + ch,      13 + ch,     15 + ch,     17 + ch, 32 + 2 * ch,
                       33 + 2 * ch, 36 + 2 * ch, 37 + 2 * ch, 41 + ch};
    for (int i = 34 + 10 * ch; i <= 43 + 10 * ch; ++i) v.push_back(i);
    for (int i = 63 + ch; i <= 75 + ch; i += 2) v.push_back(i);
    return v;
}

void uploadChannel(Cmds& c, int ch) {
    c.insert(c.end(), {"G00", "I01", "DF"});
    for (int base : {19, 21, 23, 25, 27}) c.push_back(item(base + ch));
    c.insert(c.end(), {"G01", "I01", "DF"});
    for (int i : settingItems(ch)) c.push_back(item(i));
}

Cmds uploadCommands(int channels) {
    Cmds c{"G01", "I28"};
    for (int ch = 1; ch <= channels; ++ch) uploadChannel(c, ch);
    c.insert(c.end(), {"I06", "I07", "I08", "I29", "I30"});
    return c;
}

class FE2Test : public testing::UnitFixture {
  protected:
    // Connects to a simulated unit and leaves the globals as its identification would.
    void start(const sim::FE2Unit& u = {}) {
        useProfile(sim::makeFE2Unit(u));
        connectAs(u.modelName, u.channels);
    }

    void TearDown() override {
        frmFE2.reset();
        UnitFixture::TearDown();
    }

    FE2Window& w() { return frmFE2(); }
    Control& box(const std::string& name, int index) {
        Control* c = w().find(name, index);
        if (!c) ADD_FAILURE() << "no " << name << "(" << index << ")";
        return *c;
    }
    // A box by its design name, "txtLS(1)".
    Control& named(const std::string& designName) {
        const auto open = designName.find('(');
        return box(designName.substr(0, open), std::stoi(designName.substr(open + 1)));
    }
    // "position" or "speed" for the view on show, "both" for the design's, "mixed" otherwise.
    std::string view() {
        auto all = [](const std::vector<Control*>& v, bool shown) {
            return std::all_of(v.begin(), v.end(),
                               [shown](Control* c) { return c->visible() == shown; });
        };
        const bool pos = all(w().positionGroup(), true), speed = all(w().speedGroup(), true);
        if (pos && speed) return "both";
        if (pos && all(w().speedGroup(), false)) return "position";
        if (speed && all(w().positionGroup(), false)) return "speed";
        return "mixed";
    }
    bool pageButtons(bool s1, bool s3, bool s4) {
        return w().cmdSet1->enabled() == s1 && w().cmdSet3->enabled() == s3 &&
               w().cmdSet4->enabled() == s4;
    }
};

TEST_F(FE2Test, UploadReadsInOrderAndShowsTheUnit) {
    start();
    w().frmFE2_Init();
    EXPECT_EQ(unit->commands(), uploadCommands(2));

    const std::vector<std::pair<std::string, std::string>> shown{
        {"txtTM(6)", "POSITION"}, {"txtTM(3)", "50000"}, {"txtTM(4)", "0"},
        {"txtTM(1)", "1.0"},      {"txtDO(1)", "1.00"},  {"txtMin(1)", "-500000"},
        {"txtMax(0)", "999999"},  {"txtA1Type(0)", "1"}, {"txtA2Type(1)", "4"},
        {"txtEL(1)", "1"},        {"txtHRD(1)", "0"},    {"txtLP(0)", "0"}};
    for (const auto& [name, text] : shown) EXPECT_EQ(named(name).text(), text) << name;
    EXPECT_FALSE(w().txtCP(1).text().empty());
    EXPECT_EQ(view(), "position");
    EXPECT_EQ(w().Command9->caption(), "DISPLAY SPEED DATA");

    // Setting page with its button off; monitored boxes, drop out and timers editable;
    // the unit's module-wide values never.
    EXPECT_TRUE(pageButtons(false, true, true));
    EXPECT_TRUE(w().frmSet1->visible() && !w().frmSet3->visible() && !w().frmSet4->visible());
    EXPECT_TRUE(w().txtDO(1).enabled() && w().txtCP(0).enabled() && w().txtTM(2).enabled());
    EXPECT_FALSE(w().txtTM(3).enabled() || w().txtTM(4).enabled() || w().txtTM(6).enabled());
    EXPECT_FALSE(loadingUp());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(g.Connected);
}

// The count mode chooses the view before any channel is read; a refusal keeps the view.
TEST_F(FE2Test, CountModeChoosesTheView) {
    struct Case {
        std::string reply;  // to I28 of group 01
        int modeBefore;
        std::string shown, view;
        int modeAfter;
    };
    const std::vector<Case> cases{
        {"0MODE:POS", 1, "POSITION", "position", 0},
        {"0MODE:SPE", 0, "SPEED", "speed", 1},
        {"CNG", 1, "ERROR", "both", 1},  // never applied: the design shows both views
        {"CNU", 0, "ERROR", "both", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        start();
        g.FE2DisplayMode = c.modeBefore;
        unit->faults().replies["I28"] = c.reply;
        unit->faults().silentFrom = 3;  // the first channel read gets no answer
        w().frmFE2_Init();
        EXPECT_EQ(w().txtTM(6).text(), c.shown);
        EXPECT_EQ(g.FE2DisplayMode, c.modeAfter);
        EXPECT_EQ(view(), c.view);
        restart();
    }
}

// An empty reply anywhere: "Upload Error", disconnect; what was read stays, the rest keeps
// its text, the window is not left editable, the progress window goes.
TEST_F(FE2Test, UploadThatStopsIsReportedAndDisconnects) {
    struct Case {
        std::string silent;                     // the command that gets no answer
        std::vector<std::string> filled, kept;  // "txtLS(1)" and the like
    };
    const std::vector<Case> cases{
        {"I28", {}, {"txtCP(0)", "txtDO(0)", "txtTM(6)"}},
        {"I25",
         {"txtCP(0)", "txtRP(0)", "txtHRD(0)", "txtCP(1)", "txtCS(1)"},
         {"txtLP(1)", "txtLS(1)", "txtRP(1)", "txtDO(1)", "txtTM(0)"}},
        {"I59", {"txtA1PH(1)", "txtDO(1)"}, {"txtA2Type(1)", "txtEL(1)", "txtTM(0)"}},
        {"I30", {"txtTM(0)", "txtTM(3)"}, {"txtTM(4)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.silent);
        start();
        for (const auto& name : c.filled) named(name).setText("old");
        for (const auto& name : c.kept) named(name).setText("old");
        emptyReplyTo(c.silent);
        w().frmFE2_Init();

        expectUploadError();
        const Cmds sent = unit->commands();
        EXPECT_EQ(std::count(sent.begin(), sent.end(), c.silent), 4);  // tried four times
        EXPECT_EQ(sent.back(), c.silent);                              // and nothing after
        for (const auto& name : c.filled) EXPECT_NE(named(name).text(), "old") << name;
        for (const auto& name : c.kept) EXPECT_EQ(named(name).text(), "old") << name;
        EXPECT_TRUE(pageButtons(false, false, false));
        EXPECT_FALSE(w().txtDO(0).enabled());
        EXPECT_FALSE(loadingUp());
        restart();
    }
}

TEST_F(FE2Test, DownloadWritesBothChannelsInOrderWithTheLimitsThreeTimes) {
    for (int channels : {2, 1}) {
        SCOPED_TRACE(channels);
        start({"J6P-FE2", " 1.05", "POS", channels});
        w().frmFE2_Init();
        // With one channel in use CH 1 was never read: it goes out as it stands.
        if (channels == 1) {
            for (const auto& c : w().controls()) {
                if (c->kind() == platform::Kind::TextBox && c->index() == 1 && c->name() != "txtTM")
                    c->setText(box(c->name(), 0).text());
            }
        }
        for (int k = 0; k < 2; ++k) {
            for (auto* arr : {&w().txtReset, &w().txtMin, &w().txtMax}) {
                (*arr)(k).setText(std::to_string(k * 100 + (arr == &w().txtMax ? 50 : 1)));
            }
        }
        unit->clearLog();
        w().frmFE2_Download();

        Cmds want{"G00", "I01", "DF", "G01", "I01", "DF"};
        for (int ch = 1; ch <= 2; ++ch) {
            const int k = ch - 1;
            auto write = [&](int i, const Control& b) {
                want.push_back(item(i));
                want.push_back("D" + b.text());
            };
            write(9 + ch, w().txtDO(k));
            for (int round = 0; round < 3; ++round) {
                write(13 + ch, w().txtReset(k));
                write(15 + ch, w().txtMin(k));
                write(17 + ch, w().txtMax(k));
            }
            const std::vector<int> items = settingItems(ch);
            const std::vector<std::string> names{
                "txtBias", "txtGain", "txtZS",   "txtFS",   "txtOP",     "txtA1Type",
                "txtA1SM", "txtA1SH", "txtA1PM", "txtA1PH", "txtA2Type", "txtA2SM",
                "txtA2SH", "txtA2PM", "txtA2PH", "txtEL",   "txtHL",     "txtER",
                "txtHR",   "txtZR",   "txtHLD",  "txtHRD"};
            for (std::size_t i = 0; i < names.size(); ++i) write(items[i + 4], box(names[i], k));
        }
        for (int i = 0; i < 3; ++i)
            want.insert(want.end(), {item(6 + i), "D" + w().txtTM(i).text()});
        EXPECT_EQ(unit->commands(), want);
        EXPECT_TRUE(pageButtons(false, false, false));
        EXPECT_FALSE(w().txtDO(0).enabled());
        EXPECT_FALSE(loadingUp());
        EXPECT_TRUE(host.messages.empty());
        restart();
    }
}

// The unit takes a reset value only within the limits and a limit only around the other:
// the three rounds carry a range moved clear of the old one.
TEST_F(FE2Test, DownloadSettlesARangeMovedClearOfTheOldOne) {
    start();
    w().frmFE2_Init();
    w().txtMin(0).setText("2000000");
    w().txtMax(0).setText("3000000");
    w().txtReset(0).setText("2500000");
    w().frmFE2_Download();
    EXPECT_EQ(unit->profile().value("1", "16"), "2000000");
    EXPECT_EQ(unit->profile().value("1", "18"), "3000000");
    EXPECT_EQ(unit->profile().value("1", "14"), "2500000");
}

// Each row starts from valid entries, changes some and checks the verdict, the rule number and
// the boxes as the check leaves them.
TEST_F(FE2Test, DataCheckRules) {
    using Boxes = std::vector<std::pair<std::string, std::string>>;  // "txtDO(0)", text
    struct Case {
        Boxes edits;
        int errorNo;  // 0: passes
        Boxes after;  // boxes as the check leaves them
        int channels = 2;
    };
    const std::vector<Case> cases{
        {{}, 0, {{"txtDO(0)", "1"}, {"txtGain(1)", "1"}, {"txtA1SH(1)", "2"}}},
        {{{"txtDO(0)", ""}}, 1, {{"txtDO(1)", "1.00"}, {"txtMax(0)", "1000.0"}}},
        {{{"txtDO(0)", "0.1"}, {"txtDO(1)", "050"}}, 0, {{"txtDO(0)", "0.1"}, {"txtDO(1)", "50"}}},
        {{{"txtDO(1)", "0.09"}}, 2, {{"txtDO(0)", "1"}, {"txtDO(1)", "0.09"}}},
        {{{"txtDO(0)", "50.01"}}, 2, {{"txtMax(0)", "1000.0"}}},
        {{{"txtMax(1)", "2100000000"}}, 0, {{"txtMax(1)", "2100000000"}}},
        {{{"txtMax(1)", "2100000000"}, {"txtMin(1)", "2100000000"}}, 4, {}},
        {{{"txtMax(0)", "-2100000000"}}, 3, {}},
        {{{"txtMin(1)", "1000"}}, 5, {{"txtMin(1)", "1000"}}},
        {{{"txtReset(0)", "+0"}, {"txtReset(1)", "1000.00"}}, 0, {{"txtReset(1)", "1000"}}},
        {{{"txtReset(1)", "1000.5"}}, 6, {{"txtReset(1)", "1000.5"}}},
        {{{"txtA1PM(0)", "0"}, {"txtA2PM(1)", "1000"}}, 0, {}},
        {{{"txtA2PM(1)", "-1"}}, 7, {}},
        {{{"txtA1PH(0)", "0"}, {"txtA2PH(1)", "999.90"}}, 0, {{"txtA2PH(1)", "999.9"}}},
        {{{"txtA2PH(1)", "1000"}}, 8, {{"txtA2PH(1)", "1000"}}},
        {{{"txtA1PH(0)", "-1"}}, 8, {}},
        {{{"txtFS(1)", "32001"}}, 9, {}},
        {{{"txtZS(0)", "-32000.5"}}, 10, {}},
        {{{"txtA2SH(1)", "-0.01"}}, 11, {}},
        {{{"txtA1SM(0)", "-15"}, {"txtA2SM(1)", "115"}}, 0, {}},
        {{{"txtA2SM(0)", "115.01"}}, 12, {}},
        // What was tested before the failure is rewritten, the rest stays as typed.
        {{{"txtBias(1)", "-320.01"}},
         13,
         {{"txtDO(1)", "1"},
          {"txtMax(1)", "1000"},
          {"txtReset(1)", "0"},
          {"txtA2PH(1)", "10"},
          {"txtZS(1)", "0"},
          {"txtBias(0)", "0"},
          {"txtBias(1)", "-320.01"},
          {"txtGain(0)", "1.0000"},
          {"txtA1SM(0)", "90.00"},
          {"txtA2SH(1)", "2.00"}}},
        {{{"txtGain(0)", "3.20"}}, 0, {{"txtGain(0)", "3.2"}}},
        {{{"txtGain(1)", "-3.2001"}}, 14, {}},
        {{{"txtGain(0)", "9"}, {"txtDO(1)", "60"}}, 2, {{"txtGain(0)", "9"}}},  // earliest wins
        // Entries sent as typed must still be numbers.
        {{{"txtA1Type(1)", "Hi"}}, 1, {{"txtDO(0)", "1.00"}}},
        {{{"txtTM(2)", ""}}, 1, {}},
        // One channel in use: CH 1 is still written, so still checked.
        {{{"txtHRD(1)", "x"}}, 1, {}, 1},
        {{{"txtMin(1)", "abc"}}, 1, {{"txtDO(0)", "1"}}, 1},
        {{{"txtDO(1)", "abc"}}, 1, {}, 1},
        {{{"txtDO(1)", "60"}}, 0, {{"txtDO(1)", "60"}}, 1},
    };
    // Valid entries in forms the check rewrites.
    const Boxes baseline{
        {"txtDO", "1.00"},    {"txtMin", "0"},      {"txtMax", "1000.0"}, {"txtReset", "0"},
        {"txtA1PM", "0"},     {"txtA2PM", "0"},     {"txtA1PH", "10"},    {"txtA2PH", "10"},
        {"txtFS", "10000"},   {"txtZS", "0"},       {"txtBias", "0.00"},  {"txtGain", "1.0000"},
        {"txtA1SM", "90.00"}, {"txtA2SM", "90.00"}, {"txtA1SH", "2.00"},  {"txtA2SH", "2.00"},
        {"txtA1Type", "1"},   {"txtA2Type", "4"},   {"txtOP", "0"},       {"txtHRD", "0"}};
    start();
    w().frmFE2_Init();
    for (const Case& c : cases) {
        std::string trace;
        for (const auto& [name, text] : c.edits) trace += name + "=" + text + " ";
        SCOPED_TRACE(trace);
        g.ChCount = c.channels;
        for (const auto& [name, text] : baseline) {
            for (int k = 0; k < 2; ++k) box(name, k).setText(text);
        }
        for (int i = 0; i < 3; ++i) w().txtTM(i).setText("1.0");
        for (const auto& [name, text] : c.edits) named(name).setText(text);
        g.DataErrorNo = 0;
        EXPECT_EQ(w().CheckData(), c.errorNo == 0);
        EXPECT_EQ(g.DataErrorNo, c.errorNo);
        for (const auto& [name, text] : c.after) EXPECT_EQ(named(name).text(), text) << name;
    }
    EXPECT_TRUE(host.messages.empty());  // the window itself says nothing
}

// Through the main window: the registered window in the unit's view, the toggle, the message
// for a failed rule, nothing written.
TEST_F(FE2Test, MainWindowUploadsTheSpeedViewAndShowsTheRuleOfAFailedCheck) {
    useProfile(sim::makeFE2Unit({"J6S-FE2", " 1.02", "SPE", 2}));
    modules::RegisterModuleWindows();
    ASSERT_EQ(core::ModuleWindowFor(17), &w());
    core::frmDunax().btnConnect_Click();
    ASSERT_TRUE(g.Connected);
    EXPECT_TRUE(w().shown());
    EXPECT_EQ(view(), "speed");
    EXPECT_EQ(w().Command9->caption(), "DISPLAY POSITION DATA");
    // The toggle switches the view and back, and sends nothing.
    unit->clearLog();
    platform::userClick(*w().Command9);
    EXPECT_EQ(g.FE2DisplayMode, 0);
    EXPECT_EQ(view(), "position");
    EXPECT_EQ(w().Command9->caption(), "DISPLAY SPEED DATA");
    platform::userClick(*w().Command9);
    EXPECT_EQ(view(), "speed");
    EXPECT_TRUE(unit->commands().empty());

    w().txtGain(1).setText("3.5");
    unit->clearLog();
    core::frmDunax().btnDownload_Click();
    EXPECT_EQ(messageTexts(),
              (Cmds{"Data Error \r\nCheck data range. \r\nGain : -3.2000 to 3.2000"}));
    EXPECT_EQ(host.messages[0].title, "Data Range Error");
    EXPECT_TRUE(writes().empty());
}

TEST_F(FE2Test, MonitoringPassReadsBothChannelsAsTheyCome) {
    start({"J6P-FE2", " 1.05", "POS", 1});
    w().frmFE2_Init();
    unit->clearLog();
    w().ReadingData();
    EXPECT_EQ(unit->commands(), (Cmds{"G00", "I01", "DF", "I20", "I22", "I24", "I26", "I28", "I21",
                                      "I23", "I25", "I27", "I29"}));
    // The encoders turn: positions and speeds move with the unit's clock.
    const std::string pos = w().txtCP(0).text(), speed = w().txtCS(1).text();
    host.advance(1500);
    w().ReadingData();
    EXPECT_NE(w().txtCP(0).text(), pos);
    EXPECT_NE(w().txtCS(1).text(), speed);

    unit->faults().replies["I26"] = "CNG";  // a refusal is shown as it comes
    unit->faults().replies["I21"] = "";
    w().txtCP(1).setText("old");
    w().txtRP(1).setText("old");
    w().ReadingData();
    EXPECT_EQ(w().txtLS(0).text(), "CNG");
    EXPECT_EQ(w().txtCP(1).text(), "old");
    EXPECT_EQ(w().txtRP(1).text(), "old");
    expectOnlyMessage("Data Read Error.", "Error");
    EXPECT_FALSE(g.Connected);
}

// Start locks the pages on the Setting page; Stop unlocks them.
TEST_F(FE2Test, MonitoringThroughTheMainWindowLocksThePages) {
    useProfile(sim::makeFE2Unit({}));
    modules::RegisterModuleWindows();
    core::frmDunax().btnConnect_Click();
    ASSERT_TRUE(g.Connected);
    platform::userClick(*w().cmdSet4);
    bool checked = false;
    host.at(host.now() + 2000, [&] {
        checked = true;
        EXPECT_TRUE(g.Monitoring);
        EXPECT_TRUE(pageButtons(false, false, false));
        EXPECT_TRUE(w().frmSet1->visible() && !w().frmSet4->visible());
        EXPECT_FALSE(w().txtDO(0).enabled());
        EXPECT_TRUE(w().txtMin(0).enabled());  // the settings stay editable
        platform::userClick(core::frmDunax().btnStop);
    });
    core::frmDunax().btnStart_Click();
    EXPECT_TRUE(checked);
    EXPECT_TRUE(pageButtons(false, true, true));
    EXPECT_TRUE(w().txtDO(0).enabled());
    EXPECT_TRUE(host.messages.empty());
}

// Disconnect pressed while a monitoring read waits for the unit ends the pass quietly: the
// read that the closed link leaves unanswered is no read error of the unit.
TEST_F(FE2Test, DisconnectDuringMonitoringShowsNoReadError) {
    useProfile(sim::makeFE2Unit({}));
    modules::RegisterModuleWindows();
    core::frmDunax().btnConnect_Click();
    ASSERT_TRUE(g.Connected);
    bool duringExchange = false;
    host.at(host.now() + 2050, [&] {
        duringExchange = platform::exchangeRunning();
        platform::userClick(core::frmDunax().btnDisconnect);
    });
    core::frmDunax().btnStart_Click();
    EXPECT_TRUE(duringExchange);
    EXPECT_FALSE(g.Connected || g.Monitoring);
    EXPECT_TRUE(host.messages.empty()) << messageTexts().front();
    EXPECT_TRUE(w().txtDO(0).enabled());
}

// Records when the request buttons change their Enabled state, on the virtual clock.
struct EnabledLog : platform::FormObserver {
    platform::ScriptedHost* host = nullptr;
    std::vector<std::pair<bool, std::int64_t>> changes;  // Enabled, time
    void controlChanged(Control& c, platform::Prop p) override {
        if (p == platform::Prop::Enabled && c.name().rfind("Command", 0) == 0 &&
            c.name() != "Command9")
            changes.emplace_back(c.enabled(), host->now());
    }
};

TEST_F(FE2Test, RequestWritesItsItemAndLocksTheButtonsForHalfASecond) {
    start();
    w().frmFE2_Init();
    EnabledLog log;
    log.host = &host;
    w().setObserver(&log);
    for (int n = 1; n <= 8; ++n) {
        SCOPED_TRACE(n);
        unit->clearLog();
        log.changes.clear();
        const std::int64_t slept = host.slept;
        platform::userClick(*w().Command[static_cast<std::size_t>(n)]);
        EXPECT_EQ(unit->commands(), (Cmds{"G01", "I" + std::to_string(77 + n), "D1"}));
        ASSERT_EQ(log.changes.size(), 16u);
        const std::int64_t exchangeEnd = unit->log().back().atMs + unit->latencyMs;
        for (int i = 0; i < 8; ++i) {
            EXPECT_FALSE(log.changes[static_cast<std::size_t>(i)].first);
            EXPECT_LT(log.changes[static_cast<std::size_t>(i)].second, unit->log()[0].atMs);
            EXPECT_TRUE(log.changes[static_cast<std::size_t>(i + 8)].first);
            EXPECT_EQ(log.changes[static_cast<std::size_t>(i + 8)].second, exchangeEnd + 500);
        }
        EXPECT_EQ(host.slept - slept, 500 + 3 * core::kCommandPauseMs);
    }
    w().setObserver(nullptr);

    // Refused or unanswered: nothing said, the buttons come back.
    unit->faults().refuseAll = true;
    platform::userClick(*w().Command[6]);
    core::Disconnect();
    platform::userClick(*w().Command[7]);
    EXPECT_TRUE(host.messages.empty());
    for (int n = 1; n <= 8; ++n) EXPECT_TRUE(w().Command[static_cast<std::size_t>(n)]->enabled());
}

// The unit carries the requests out on its running counters.
TEST_F(FE2Test, RequestsLatchResetAndClearOnTheUnit) {
    start();
    w().frmFE2_Init();
    host.advance(3000);
    w().Command_Click(1);  // latch CH 0
    w().Command_Click(4);  // reset CH 1
    w().ReadingData();
    EXPECT_NE(w().txtLP(0).text(), "0");
    EXPECT_NE(w().txtLS(0).text(), "0.00");
    EXPECT_EQ(w().txtLP(1).text(), "0");
    EXPECT_NE(w().txtRP(1).text(), "0");
    // CH 1 counts from its reset value 0 again, for less than a second at under 650 counts/s.
    EXPECT_GT(std::stoll(w().txtRP(1).text()), 1000);
    EXPECT_LT(std::abs(std::stoll(w().txtCP(1).text())), 700);

    w().Command_Click(5);  // latch data clear CH 0
    w().Command_Click(8);  // reset data clear CH 1
    w().ReadingData();
    EXPECT_EQ(w().txtLP(0).text(), "0");
    EXPECT_EQ(w().txtLS(0).text(), "0.00");
    EXPECT_EQ(w().txtRP(1).text(), "0");
}

// --- Layout ---

// Controls lie inside their containers, captions fit, boxes are named; in either view no two
// visible controls of one page overlap, and only a position control and a speed control ever
// share a place.
TEST_F(FE2Test, LayoutIsTidyInEitherView) {
    FE2Window& win = w();
    const auto& all = win.controls();
    testing::expectControlsFit(win);
    auto in = [](const std::vector<Control*>& group, const Control* c) {
        return std::find(group.begin(), group.end(), c) != group.end();
    };
    for (int mode : {0, 1, 0}) {
        g.FE2DisplayMode = mode;
        win.dtype_change();
        for (std::size_t i = 0; i < all.size(); ++i) {
            for (std::size_t j = i + 1; j < all.size(); ++j) {
                const Control& a = *all[i];
                const Control& b = *all[j];
                if (a.container() != b.container() || a.kind() == platform::Kind::Frame ||
                    b.kind() == platform::Kind::Frame || !testing::overlap(a, b))
                    continue;
                EXPECT_FALSE(a.visible() && b.visible())
                    << a.designName() << " / " << b.designName();
                const bool pair = (in(win.speedGroup(), &a) && in(win.positionGroup(), &b)) ||
                                  (in(win.positionGroup(), &a) && in(win.speedGroup(), &b));
                EXPECT_TRUE(pair) << a.designName() << " / " << b.designName();
            }
        }
    }
    EXPECT_EQ(win.txtTM.indices(), (std::vector<int>{0, 1, 2, 3, 4, 6}));
    EXPECT_EQ(win.find("txtBias", 1)->accessibleName(), "CH 1 Bias");
    EXPECT_EQ(win.find("txtA2SH", 0)->accessibleName(), "CH 0 Alarm B Speed Hys");
    EXPECT_EQ(win.Command[7]->caption(), "Request ");
}

}  // namespace
}  // namespace dunax
