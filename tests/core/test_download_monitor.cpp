// Download (data check, maintenance prologue, read-back) and monitoring (Start, Stop and
// Disconnect nested inside the loop).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/connection.h"
#include "core/dispatch.h"
#include "core/download_record.h"
#include "core_fixture.h"

namespace dunax::testing {
namespace {

using core::g;

class DownloadTest : public CoreFixture {
  protected:
    void SetUp() override {
        CoreFixture::SetUp();
        main().btnConnect_Click();
        fakeModule().calls.clear();
        fakeNetwork().calls.clear();
        unit->clearLog();
    }
};

TEST_F(DownloadTest, FailedCheckShowsTheRangeMessageAndWritesNothing) {
    const struct {
        int dataErrorNo;
        const char* text;
    } cases[] = {
        {0, "Data Error \r\nCheck data range."},
        {1, "Data Error \r\nCheck data range. \r\nNon-numeric symbols have been used."},
        {5, "Data Error \r\nCheck data range. \r\nMin < Max"},
        {8,
         "Data Error \r\nCheck data range. \r\nPosition Hys :  0 =< hys ,  hys < Abs(Max - "
         "Min) "},
        {14, "Data Error \r\nCheck data range. \r\nGain : -3.2000 to 3.2000"},
        {15, "Data Error \r\nCheck data range."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dataErrorNo);
        restart();
        main().btnConnect_Click();
        unit->clearLog();
        fakeModule().calls.clear();
        fakeModule().checkOk = false;
        fakeModule().dataErrorNo = c.dataErrorNo;
        fakeModule().preset = true;

        main().btnDownload_Click();
        expectOnlyMessage(c.text, "Data Range Error");
        EXPECT_TRUE(commands().empty());
        EXPECT_EQ(calls(), (std::vector<std::string>{"CheckData", "preset_able(1)"}));
        EXPECT_EQ(row(), kRowConnected);
    }
}

TEST_F(DownloadTest, DataErrorNoIsClearedBeforeTheCheck) {
    g.DataErrorNo = 5;
    fakeModule().checkOk = false;
    main().btnDownload_Click();
    EXPECT_EQ(host.messages.at(0).text, "Data Error \r\nCheck data range.");
}

TEST_F(DownloadTest, WritesThenReadsBack) {
    main().btnDownload_Click();
    EXPECT_EQ(calls(), (std::vector<std::string>{"CheckData", "Download", "Init", "ReadingData"}));
    EXPECT_EQ(fakeNetwork().calls, std::vector<std::string>{"btnUpload_Click"});
    const std::vector<std::string> all = commands();
    ASSERT_GE(all.size(), 6u);
    // The maintenance write, then the identification of the read-back.
    EXPECT_EQ(std::vector<std::string>(all.begin(), all.begin() + 6),
              (std::vector<std::string>{"G00", "I01", "DF", "G00", "I01", "DF"}));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(row(), kRowConnected);
}

// How a download ends by what the unit made of its writes: the prologue and the module
// window's own writes (here two named writes of the fake window, items 51 and 52). A unit that
// answered every write is read back before the message; one that stopped answering is not.
TEST_F(DownloadTest, RefusedWritesAreReadBackBeforeTheMessageUnansweredOnesAreNot) {
    const std::string incomplete = "Downloading incomplete";
    const std::string lost = "Connection Error\r\nCOM1 (simulated unit): the line was lost";
    auto reply = [this](std::vector<std::pair<const char*, const char*>> replies) {
        return [this, replies] {
            for (const auto& [cmd, text] : replies) unit->faults().replies[cmd] = text;
        };
    };
    const std::vector<std::string> readBack = {"CheckData", "Download", "Init", "ReadingData"};
    const struct {
        const char* name;
        std::function<void()> fault;
        std::vector<std::string> calls;  // of the module window, when the last message came
        std::vector<std::string> messages;
        bool connected;
        const char* row;
    } cases[] = {
        {"everything taken", reply({}), readBack, {}, true, kRowConnected},
        {"prologue refused",
         reply({{"DF", "CNG"}}),
         {"CheckData", "Init", "ReadingData"},
         {incomplete + "\r\nMaintenance switch (nothing was written)"},
         true,
         kRowConnected},
        {"prologue unanswered",
         reply({{"DF", ""}}),
         {"CheckData"},
         {incomplete},
         false,
         kRowDisconnected},
        {"one write refused",
         reply({{"D5", "CNG"}}),
         readBack,
         {incomplete + "\r\nCH 0 Zero scale"},
         true,
         kRowConnected},
        {"both writes refused",
         reply({{"I51", "CNG"}, {"D6", "CNG"}}),
         readBack,
         {incomplete + "\r\nCH 0 Zero scale, CH 0 Full scale"},
         true,
         kRowConnected},
        {"item not used",
         reply({{"I52", "CNU"}}),
         readBack,
         {incomplete + "\r\nCH 0 Full scale"},
         true,
         kRowConnected},
        {"first write unanswered",
         reply({{"D5", ""}}),
         {"CheckData", "Download"},
         {incomplete},
         false,
         kRowDisconnected},
        // The read-back tells its own failure first.
        {"refused, read-back unanswered",
         reply({{"D5", "CNG"}, {"I02", ""}}),
         {"CheckData", "Download"},
         {"Upload Error", incomplete + "\r\nCH 0 Zero scale"},
         false,
         kRowDisconnected},
        // A lost line is told once, by itself; the disconnect opens the edits.
        {"refused, line lost in the read-back",
         [this] {
             unit->faults().replies["D5"] = "CNG";
             faultAtSwitchWrite("F", 2, [](sim::Faults& f) { f.vanished = true; });
         },
         {"CheckData", "Download", "txt_able(1)"},
         {lost},
         false,
         kRowDisconnected},
        {"line lost at the window's first write",
         [this] { unit->faults().vanishAt = 4; },
         {"CheckData", "Download", "txt_able(1)"},
         {lost},
         false,
         kRowDisconnected},
    };
    std::vector<std::string> atMessage;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        main().btnConnect_Click();
        fakeModule().calls.clear();
        fakeModule().onDownload = [] {
            core::DownloadWrite("CH 0 Zero scale", "1", "51", "5");
            core::DownloadItemWrite("CH 0 Full scale", "52", "6");
        };
        unit->profile().set("1", "51", "ZS", "0");
        unit->profile().set("1", "52", "FS", "0");
        c.fault();
        unit->clearLog();
        atMessage.clear();
        host.onMessage = [&](const platform::MessageRecord&) { atMessage = calls(); };

        main().btnDownload_Click();
        if (host.messages.empty()) atMessage = calls();
        EXPECT_EQ(atMessage, c.calls);
        EXPECT_EQ(messageTexts(), c.messages);
        for (const auto& m : host.messages) EXPECT_EQ(m.icon, platform::Icon::Critical);
        if (!c.messages.empty() && c.messages.back() != lost) {
            EXPECT_EQ(host.messages.back().title, "Downloading");
        }
        EXPECT_EQ(g.Connected, c.connected);
        EXPECT_EQ(row(), c.row);
    }
}

// The unit stops answering at the first write: nothing more goes to the line, and the
// second write is not tried.
TEST_F(DownloadTest, NothingIsSentOnceTheUnitStopsAnswering) {
    fakeModule().onDownload = [] {
        core::DownloadWrite("CH 0 Zero scale", "1", "51", "5");
        core::DownloadItemWrite("CH 0 Full scale", "52", "6");
    };
    unit->profile().set("1", "51", "ZS", "0");
    unit->faults().silentFrom = 4;  // after the prologue
    main().btnDownload_Click();
    EXPECT_EQ(sentCount("G1"), 4);  // the first write's four attempts
    EXPECT_EQ(sentCount("I52"), 0);
    EXPECT_EQ(sentCount("G00"), 1);  // no read-back
    expectOnlyMessage("Downloading incomplete", "Downloading");
    EXPECT_FALSE(g.Connected);
}

class MonitoringTest : public CoreFixture {
  protected:
    void SetUp() override {
        CoreFixture::SetUp();
        unit->latencyMs = 100;  // passes take time, so clicks land inside them
        main().btnConnect_Click();
        fakeModule().calls.clear();
    }

    int passes() const {
        const auto& c = fakeModule().calls;
        return static_cast<int>(std::count(c.begin(), c.end(), "ReadingData"));
    }

    // The user clicks control once the clock reaches t; records whether an exchange was
    // waiting for its reply at that moment.
    void clickAt(std::int64_t t, platform::Control& control) {
        host.at(t, [this, &control] {
            clickDuringExchange = platform::exchangeRunning();
            platform::userClick(control);
        });
    }

    bool clickDuringExchange = false;
};

TEST_F(MonitoringTest, StartUntilStop) {
    std::vector<std::string> seen;
    int afterStop = 0;
    fakeModule().onReadingData = [&] {
        afterStop += g.Monitoring ? 0 : 1;
        // The pass under way when Stop came ends after it; look at the passes before.
        if (!g.Monitoring) return;
        seen.push_back(row() + (main().shpLamp.fillColor() == core::kLampMonitoring ? "Y" : "-"));
    };
    clickAt(host.now() + 1000, main().btnStop);

    main().btnStart_Click();
    EXPECT_TRUE(clickDuringExchange);
    EXPECT_EQ(afterStop, 1);  // the pass under way when Stop came runs to its end
    EXPECT_GE(passes(), 3);
    EXPECT_GE(seen.size(), 2u);
    for (const auto& s : seen) EXPECT_EQ(s, std::string(kRowMonitoring) + "Y");
    EXPECT_EQ(calls().front(), "txt_able(0)");
    EXPECT_EQ(calls().back(), "txt_able(1)");
    EXPECT_FALSE(g.Monitoring);
    EXPECT_TRUE(g.Connected);
    EXPECT_EQ(main().shpLamp.fillColor(), core::kLampConnected);
    EXPECT_EQ(row(), kRowConnected);
}

TEST_F(MonitoringTest, OptionalOperationsInOrder) {
    fakeModule().cmdset = true;
    fakeModule().txtAble2 = true;
    fakeModule().preset = true;
    clickAt(host.now() + 500, main().btnStop);
    main().btnStart_Click();

    std::vector<std::string> around;
    for (const auto& c : calls()) {
        if (c != "ReadingData") around.push_back(c);
    }
    EXPECT_EQ(around, (std::vector<std::string>{"cmdset_disable", "txt_able(0)", "txt_able2(0)",
                                                "preset_able(0)", "cmdset_enable", "txt_able(1)",
                                                "txt_able2(1)", "preset_able(1)"}));
}

TEST_F(MonitoringTest, DisconnectDuringAnExchangeEndsItAtOnce) {
    fakeModule().txtAble2 = true;
    fakeModule().preset = true;
    std::size_t commandsAtClick = 0;
    host.at(host.now() + 1050, [&] {
        clickDuringExchange = platform::exchangeRunning();
        commandsAtClick = unit->commands().size();
        platform::userClick(main().btnDisconnect);
    });

    main().btnStart_Click();
    EXPECT_TRUE(clickDuringExchange);
    EXPECT_EQ(unit->commands().size(), commandsAtClick);  // nothing sent after the click
    EXPECT_FALSE(core::MSComm1().portOpen());
    EXPECT_FALSE(g.Monitoring);
    EXPECT_EQ(main().shpLamp.fillColor(), core::kLampDisconnected);
    EXPECT_EQ(row(), kRowDisconnected);
    // Edits on again; the counters' preset buttons are left alone on disconnect.
    EXPECT_EQ(std::vector<std::string>(calls().end() - 2, calls().end()),
              (std::vector<std::string>{"txt_able(1)", "txt_able2(1)"}));
}

TEST_F(MonitoringTest, DisconnectBetweenPassesStartsNoFurtherPass) {
    fakeModule().onReadingData = [&] {
        // Runs with the events at the top of the next pass, outside any exchange.
        if (passes() == 2) host.soon([&] { platform::userClick(main().btnDisconnect); });
    };
    main().btnStart_Click();
    EXPECT_EQ(passes(), 2);
    EXPECT_EQ(main().shpLamp.fillColor(), core::kLampDisconnected);
    EXPECT_EQ(row(), kRowDisconnected);
}

TEST_F(MonitoringTest, WindowThatDisconnectsLeavesMonitoring) {
    fakeModule().onReadingData = [&] {
        if (passes() == 2) core::Disconnect();  // a failed read: the window's own Disconnect
    };
    main().btnStart_Click();
    EXPECT_EQ(passes(), 2);
    EXPECT_FALSE(g.Monitoring);
    EXPECT_EQ(main().shpLamp.fillColor(), core::kLampDisconnected);
    EXPECT_EQ(calls().back(), "txt_able(1)");
    EXPECT_EQ(row(), kRowDisconnected);
}

TEST_F(MonitoringTest, StartWhileDisconnectedConnectsFirst) {
    main().btnDisconnect_Click();
    calls().clear();
    clickAt(host.now() + 2000, main().btnStop);
    main().btnStart_Click();
    ASSERT_GE(calls().size(), 3u);
    EXPECT_EQ(std::vector<std::string>(calls().begin(), calls().begin() + 3),
              (std::vector<std::string>{"Init", "ReadingData", "txt_able(0)"}));
    EXPECT_GE(passes(), 2);
    EXPECT_EQ(row(), kRowConnected);
}

TEST_F(MonitoringTest, NoMonitoringWhenTheConnectionFails) {
    main().btnDisconnect_Click();
    calls().clear();
    unit->faults().silent = true;
    main().btnStart_Click();
    EXPECT_EQ(std::count(calls().begin(), calls().end(), "txt_able(0)"), 0);
    EXPECT_EQ(passes(), 0);
    EXPECT_FALSE(g.Monitoring);
    EXPECT_EQ(row(), kRowConnectFailed);
}

TEST_F(MonitoringTest, PassesThatAskTheUnitNothingWaitInsteadOfSpinning) {
    // An analog window with no channel in use and no extension module reads nothing in its
    // pass; monitoring must still leave time to the rest of the program until Stop.
    fakeModule().readsUnit = false;
    constexpr int kRunaway = 5000;
    fakeModule().onReadingData = [&] {
        if (passes() >= kRunaway) g.Monitoring = false;  // ends a loop that never waits
    };
    const std::int64_t start = host.now();
    clickAt(start + 1000, main().btnStop);

    main().btnStart_Click();
    EXPECT_LT(passes(), kRunaway);
    EXPECT_GE(host.now() - start, 1000);                    // Stop came on time
    EXPECT_LE(passes(), 1000 / core::kCommandPauseMs + 2);  // one pass per command pause at most
    EXPECT_EQ(row(), kRowConnected);
}

TEST_F(MonitoringTest, FileMenuWaitsForTheEndOfMonitoring) {
    clickAt(host.now() + 500, main().mnuFilesOpen);
    clickAt(host.now() + 700, main().mnuFilesSave);
    clickAt(host.now() + 1500, main().btnStop);
    main().btnStart_Click();
    ASSERT_EQ(host.messages.size(), 2u);
    for (const auto& m : host.messages) {
        EXPECT_EQ(m.text,
                  "This cannot be done while the unit is being uploaded, downloaded or monitored.");
    }
    EXPECT_TRUE(host.dialogs.empty());
    EXPECT_FALSE(main().busy());
}

TEST_F(MonitoringTest, ExitDuringAPassEndsTheProgram) {
    clickAt(host.now() + 800, main().mnuFilesEnd);
    EXPECT_THROW(main().btnStart_Click(), platform::ProgramEnded);
    EXPECT_TRUE(clickDuringExchange);
    EXPECT_FALSE(core::MSComm1().portOpen());
    EXPECT_FALSE(platform::exchangeRunning());
}

}  // namespace
}  // namespace dunax::testing
