// A line that vanishes (an adapter pulled): while monitoring, while connected and idle, and in
// the middle of an upload, the program goes to the disconnected state as Disconnect leaves it
// and says so once. Against the simulated unit in virtual time, and against a real
// pseudo-terminal whose other end is closed.
#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "core_fixture.h"

namespace dunax::testing {
namespace {

using core::g;

const std::string kLost = "Connection Error\r\nCOM1 (simulated unit): the line was lost";

class LostLine : public CoreFixture {
  protected:
    // Records when the first message came.
    void SetUp() override {
        CoreFixture::SetUp();
        host.onMessage = [this](const platform::MessageRecord&) {
            if (messageAt < 0) messageAt = host.now();
        };
    }

    // What Disconnect leaves, and the one message naming the line.
    void expectDisconnectedWithOneMessage(const std::string& text) {
        ASSERT_EQ(messageTexts().size(), 1u);
        EXPECT_EQ(host.messages[0].text, text);
        EXPECT_EQ(host.messages[0].title, "Connection");
        EXPECT_EQ(host.messages[0].icon, platform::Icon::Critical);
        EXPECT_FALSE(g.Connected);
        EXPECT_FALSE(g.Monitoring);
        EXPECT_FALSE(core::MSComm1().portOpen());
        EXPECT_EQ(main().shpLamp.fillColor(), core::kLampDisconnected);
        EXPECT_EQ(main().lblConStatus.caption(), "Disconnected");
        EXPECT_EQ(row(), kRowDisconnected);
        EXPECT_EQ(calls().back(), "txt_able(1)") << "the module window's edits are on again";
    }

    std::int64_t messageAt = -1;
};

TEST_F(LostLine, WhileMonitoringTheLoopStopsAndSaysSoOnce) {
    main().btnConnect_Click();
    ASSERT_TRUE(g.Connected);
    const std::int64_t lostAt = host.now() + 2000;
    host.at(lostAt, [this] { unit->faults().vanished = true; });
    // Stop would end a loop that kept turning: pressed a minute later, it must find the
    // link long gone.
    host.at(lostAt + 60'000, [this] { platform::userClick(main().btnStop); });
    const int waitsBefore = host.waits;

    main().btnStart_Click();
    expectDisconnectedWithOneMessage(kLost);
    EXPECT_LE(messageAt - lostAt, 1000);
    EXPECT_LT(host.now(), lostAt + 60'000) << "monitoring went on after the line was lost";
    EXPECT_LT(host.waits - waitsBefore, 2000) << "the loop turned without the unit";
}

TEST_F(LostLine, WhileConnectedAndIdleTheWatchNoticesIt) {
    // Lost right after the connect, or after a minute of nothing.
    for (const std::int64_t idleMs : {0, 60'000}) {
        SCOPED_TRACE(idleMs);
        restart();
        messageAt = -1;
        host.onMessage = [this](const platform::MessageRecord&) {
            if (messageAt < 0) messageAt = host.now();
        };
        main().btnConnect_Click();
        ASSERT_TRUE(g.Connected);
        host.idleUntil(host.now() + idleMs);
        EXPECT_TRUE(host.messages.empty());
        const std::int64_t lostAt = host.now();
        unit->faults().vanished = true;
        const long sentBefore = static_cast<long>(unit->log().size());

        host.idleUntil(lostAt + 5000);
        expectDisconnectedWithOneMessage(kLost);
        EXPECT_LE(messageAt - lostAt, 1000);
        EXPECT_EQ(static_cast<long>(unit->log().size()), sentBefore) << "noticed without asking";
    }
}

TEST_F(LostLine, DuringAnUploadNoUploadErrorOnTop) {
    // The line drops at the model name, the channel count, or the first monitoring read of
    // the connect (commands 6, 9 and 10).
    for (const std::size_t at : {6u, 9u, 10u}) {
        SCOPED_TRACE(at);
        restart();
        unit->faults().vanishAt = at;
        main().btnConnect_Click();
        ASSERT_EQ(messageTexts(), (std::vector<std::string>{kLost}));
        EXPECT_FALSE(g.Connected);
        EXPECT_EQ(main().lblConStatus.caption(), "Disconnected");
        EXPECT_EQ(main().shpLamp.fillColor(), core::kLampDisconnected);
        // A new connection finds the port again and reports its own troubles.
        unit->faults() = {};
        main().btnConnect_Click();
        EXPECT_TRUE(g.Connected);
        EXPECT_EQ(host.messages.size(), 1u);
    }
}

// The connect asks which extension module is fitted and waits for the answer; the line goes
// while the question is open. The answer the user then gives goes on with the same connect:
// its failures follow from the loss already told, and no "Upload Error" comes on top.
TEST_F(LostLine, WhileTheExtensionQuestionIsOpenTheConnectSaysItOnce) {
    useModel("J6P-KW4", 4, " 1.05", "DI");
    std::int64_t lostAt = -1;
    host.whileModal["frmExtSelect"] = [this, &lostAt](platform::Form& f) {
        lostAt = host.now();
        unit->faults().vanished = true;
        host.idleUntil(lostAt + 1000);
        platform::userClick(*f.find("Command1"));
    };
    main().btnConnect.setEnabled(true);  // as after the port dialog
    platform::userClick(main().btnConnect);
    ASSERT_GE(lostAt, 0) << "the extension module was not asked";
    EXPECT_EQ(messageTexts(), (std::vector<std::string>{kLost}));
    EXPECT_LE(messageAt - lostAt, 1000);
    EXPECT_FALSE(g.Connected);
    EXPECT_EQ(main().lblConStatus.caption(), "Disconnected");
    EXPECT_EQ(main().shpLamp.fillColor(), core::kLampDisconnected);
}

// A click made while monitoring runs (a window's own button that asks the unit) finds the line
// gone and says so; the monitoring pass it came in the middle of then meets the same loss and
// tells nothing more. A second click in that pass is an action of its own and tells its own
// failure.
TEST_F(LostLine, FoundByAClickDuringMonitoringThePassTellsNothingMore) {
    main().btnConnect_Click();
    ASSERT_TRUE(g.Connected);
    int passes = 0;
    fakeModule().onReadingData = [this, &passes] {
        if (++passes != 3) return;
        unit->faults().vanished = true;
        {
            platform::UserActionScope click;
            core::SelectReadRetry(3, "00", "01");
        }
        {
            platform::UserActionScope secondClick;
            core::ReportLinkFailure("Uploading incomplete", "Uploading");
        }
        core::ReportLinkFailure("Upload Error", "Upload");  // the pass's own failure
    };
    platform::userClick(main().btnStart);
    EXPECT_EQ(messageTexts(), (std::vector<std::string>{kLost, "Uploading incomplete"}));
    EXPECT_FALSE(g.Monitoring);
    // The user's next action is told its own failures again.
    platform::userClick(main().btnConnect);
    EXPECT_EQ(messageTexts(), (std::vector<std::string>{kLost, "Uploading incomplete", kLost}));
}

// A real pseudo-terminal as COM1; closing its other end is what pulling an adapter looks like.
class LostTerminal : public LostLine {
  protected:
    void SetUp() override {
        LostLine::SetUp();
        char name[256] = {};
        int slave = -1;
        if (::openpty(&master, &slave, name, nullptr, nullptr) < 0) GTEST_SKIP() << "no openpty";
        ::close(slave);
        path = name;
        ::setenv("DUNAX_COM1", name, 1);
        platform::setSerialOpener(nullptr);
        core::OpenPort();
        ASSERT_TRUE(core::MSComm1().portOpen()) << core::MSComm1().lastError();
        g.Connected = true;
        g.UploadModelNum = 0;
        main().io_btn_control(true);
    }
    void TearDown() override {
        if (master >= 0) ::close(master);
        ::unsetenv("DUNAX_COM1");
        LostLine::TearDown();
    }
    void hangUp() {
        ::close(master);
        master = -1;
    }
    int master = -1;
    std::string path;
};

TEST_F(LostTerminal, IdleLineThatHangsUpIsReported) {
    host.idleUntil(host.now() + 500);
    EXPECT_TRUE(host.messages.empty());
    hangUp();
    const std::int64_t lostAt = host.now();
    host.idleUntil(lostAt + 5000);
    expectDisconnectedWithOneMessage("Connection Error\r\nCOM1 (" + path + "): the line was lost");
    EXPECT_LE(messageAt - lostAt, 1000);
}

TEST_F(LostTerminal, MonitoringEndsWhenTheLineHangsUp) {
    // Nothing answers on the terminal: every read waits out its time-out, in virtual time.
    const std::int64_t lostAt = host.now() + 5000;
    host.at(lostAt, [this] { hangUp(); });
    host.at(lostAt + 60'000, [this] { platform::userClick(main().btnStop); });
    main().btnStart_Click();
    expectDisconnectedWithOneMessage("Connection Error\r\nCOM1 (" + path + "): the line was lost");
    EXPECT_LE(messageAt - lostAt, 1000);
}

}  // namespace
}  // namespace dunax::testing
