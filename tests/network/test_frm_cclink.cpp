// The CC-Link settings window against the simulated unit: what it sends, what it shows, how it
// fails, and how it hands back to the main window on Exit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/globals.h"
#include "core/link.h"
#include "core/main_window.h"
#include "core/network_window.h"
#include "modules/analog_in/frm_kw4.h"
#include "modules/register.h"
#include "network/frm_cclink.h"
#include "network/frm_ethernet.h"
#include "network/network_window_test.h"
#include "network/register.h"
#include "platform/color.h"
#include "sim/profile_kw4.h"

namespace dunax {
namespace {

using core::g;
using network::CCLinkWindow;
using network::frmCCLINK;
using testing::Cmds;
using testing::concat;
using testing::kCritical;
using testing::kInfo;

const Cmds kUpload{"G00", "I01", "G00", "I01", "D1", "G00", "I51"};

class CCLinkTest : public testing::NetworkWindowTest {
  protected:
    void SetUp() override {
        NetworkWindowTest::SetUp();
        useProfile(sim::makeKW4Unit({}));  // J6P-KW4: a unit on CC-Link
        modules::RegisterModuleWindows();
    }

    void TearDown() override {
        frmCCLINK.reset();
        modules::frmKW4.reset();
        NetworkWindowTest::TearDown();
    }

    CCLinkWindow& w() { return frmCCLINK(); }
    std::string unitTimeout() const { return unit->profile().value("00", "51"); }
};

TEST_F(CCLinkTest, LoadsLockedWithDownloadOffAndIsTheWindowOfNetworkZero) {
    EXPECT_EQ(core::NetworkWindowFor(0), &w());
    EXPECT_EQ(core::NetworkWindowFor(99), nullptr);
    EXPECT_EQ(w().caption(), "CC-Link Setting");
    EXPECT_EQ(w().Frame2.caption() + "/" + w().Label2.caption(), "TimeOut/x 0.1 sec");
    EXPECT_EQ(buttons(w()), "101");
    EXPECT_EQ(look(w().txtTimeout), "locked");
    EXPECT_FALSE(w().txtTimeout.accessibleName().empty());
    expectInside(w(), CCLinkWindow::kBorderWidth, CCLinkWindow::kBorderHeight);
    EXPECT_LE(w().txtTimeout.left() + w().txtTimeout.width(), w().Label2.left());
}

TEST_F(CCLinkTest, UploadShowsTheTimeoutAndDownloadWritesItAndReadsItBack) {
    connect();
    w().btnUpload_Click();
    EXPECT_EQ(commands(), kUpload);
    EXPECT_EQ(w().txtTimeout.text(), "20");
    EXPECT_EQ(look(w().txtTimeout), "open");
    EXPECT_EQ(buttons(w()), "111");

    unit->clearLog();
    w().txtTimeout.setText("0075");  // the unit keeps it as 75
    platform::userClick(w().btnDownload);
    EXPECT_EQ(commands(),
              concat({{"G00", "I01", "G00", "I01", "D1", "G00", "I51", "D0075"}, kUpload}));
    EXPECT_EQ(unitTimeout(), "75");
    EXPECT_EQ(w().txtTimeout.text(), "75");
    EXPECT_EQ(look(w().txtTimeout), "open");
    EXPECT_EQ(buttons(w()), "111");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(g.Connected);
}

// Entries that are not written: the switch is read, the message shown, and the window is
// open again over a link that stays up.
TEST_F(CCLinkTest, DownloadRefusesEntriesTheUnitCannotTake) {
    const std::string number = "Please enter number in TimeOut Box." + kInfo;
    const std::string range = "Please enter 0 to 32767." + kInfo;
    const std::pair<const char*, std::string> cases[] = {
        {"", number},      {"abc", number},  {"CNG", number},  {"1 2", number},
        {"123.4", number}, {"40000", range}, {"   -5", range}, {" 40000 ", range},
    };
    connect();
    w().btnUpload_Click();
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(text);
        w().txtTimeout.setText(text);
        unit->clearLog();
        host.messages.clear();
        platform::userClick(w().btnDownload);
        EXPECT_EQ(commands(), (Cmds{"G00", "I01"}));
        EXPECT_EQ(shown(), std::vector<std::string>{message});
        EXPECT_EQ(w().txtTimeout.text(), text);
        EXPECT_EQ(unitTimeout(), "20");
        EXPECT_EQ(look(w().txtTimeout), "open");
        EXPECT_EQ(buttons(w()), "111");
        EXPECT_TRUE(g.Connected);
    }
}

TEST_F(CCLinkTest, FailuresReportDisconnectAndLeaveTheWindowUsable) {
    const std::string upload = "Uploading incomplete" + kCritical + "Uploading";
    const std::string download = "Downloading incomplete" + kCritical + "Downloading";
    const std::string noSwitch =
        "Downloading incomplete\r\nMaintenance switch (nothing was written)" + kCritical +
        "Downloading";
    const std::string refused = "Downloading incomplete\r\nTimeOut" + kCritical + "Downloading";
    const std::string lost =
        "Connection Error\r\nCOM1 (simulated unit): the line was lost" + kCritical + "Connection";
    auto reply = [this](const char* cmd, const char* r) {
        return [=, this] { unit->faults().replies[cmd] = r; };
    };
    // The download's switch write, in its four attempts.
    auto refuseSwitch = [this] { refuseWrites("00", "01", 1, 4); };
    auto refuseTimeout = [this] { unit->profile().find("00", "51")->writable = false; };
    // The time-out is refused, and fault hits once the read-back has written the switch.
    auto refusedThen = [this, refuseTimeout](std::function<void(sim::Faults&)> fault) {
        return [this, refuseTimeout, fault] {
            refuseTimeout();
            faultAtSwitchWrite("1", 2, fault);
        };
    };
    auto silentAfter = refusedThen([](sim::Faults& f) { f.silent = true; });
    auto lostAfter = refusedThen([](sim::Faults& f) { f.vanished = true; });
    auto silentReadBack = [this] { unit->faults().silentFrom = unit->log().size() + 9; };
    struct Case {
        const char* name;
        bool isUpload;
        std::function<void()> fault;
        std::vector<std::string> messages;
        const char* buttons;
        const char* look;
        const char* unitValue;
        bool connected = false;
    } cases[] = {
        {"no answer to the switch", true, reply("I01", ""), {upload}, "101", "locked", "20"},
        {"maintenance write refused", true, reply("D1", "CNG"), {upload}, "101", "locked", "20"},
        {"no answer to the time-out", true, reply("I51", ""), {upload}, "101", "locked", "20"},
        {"link already closed", true, [] { core::ClosePort(); }, {upload}, "101", "locked", "20"},
        {"no answer to the switch", false, reply("I01", ""), {download}, "111", "open", "20"},
        // A refusal keeps the link, reads back what the unit holds and names what it did not
        // take.
        {"maintenance write refused", false, refuseSwitch, {noSwitch}, "111", "open", "20", true},
        {"time-out write refused", false, refuseTimeout, {refused}, "111", "open", "20", true},
        {"maintenance write unanswered", false, reply("D1", ""), {download}, "111", "open", "20"},
        {"time-out write unanswered", false, reply("D55", ""), {download}, "111", "open", "20"},
        {"link already closed", false, [] { core::ClosePort(); }, {download}, "111", "open", "20"},
        // The download went through; the read-back after it gets no answer.
        {"silent read-back", false, silentReadBack, {upload}, "101", "open", "55"},
        // A refusal, then the read-back fails: its own message first. A lost line is told once.
        {"refused, read-back silent", false, silentAfter, {upload, refused}, "101", "open", "20"},
        {"refused, line lost in read-back", false, lostAfter, {lost}, "101", "open", "20"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(std::string(k.isUpload ? "upload: " : "download: ") + k.name);
        frmCCLINK.reset();
        useProfile(sim::makeKW4Unit({}));
        core::ClosePort();
        connect();
        if (!k.isUpload) w().btnUpload_Click();
        w().txtTimeout.setText(k.isUpload ? "33" : "55");
        host.messages.clear();
        k.fault();
        platform::userClick(k.isUpload ? w().btnUpload : w().btnDownload);

        EXPECT_EQ(shown(), k.messages);
        EXPECT_EQ(g.Connected, k.connected);
        EXPECT_EQ(core::MSComm1().portOpen(), k.connected);
        EXPECT_EQ(buttons(w()), k.buttons);
        EXPECT_EQ(look(w().txtTimeout), k.look);
        // A download that kept the link read back what the unit holds; otherwise the entry stays.
        EXPECT_EQ(w().txtTimeout.text(), k.connected ? k.unitValue : k.isUpload ? "33" : "55");
        EXPECT_EQ(unitTimeout(), k.unitValue);
    }
}

TEST_F(CCLinkTest, RefusedTimeoutReadIsShownAsTheValueAndTheUploadSucceeds) {
    connect();
    unit->profile().refuse("00", "51");
    w().btnUpload_Click();
    EXPECT_EQ(w().txtTimeout.text(), "CNG");
    EXPECT_EQ(shown(), std::vector<std::string>{"Please enter number." + kInfo});
    EXPECT_EQ(buttons(w()), "111");
    EXPECT_EQ(look(w().txtTimeout), "open");
}

// The box's check runs on every change, typed or put there by code, and keeps the text.
TEST_F(CCLinkTest, TimeoutCheckMessages) {
    const std::string number = "Please enter number." + kInfo;
    const std::string range = "Please enter 0 to 32767." + kInfo;
    const std::pair<const char*, std::string> cases[] = {
        {"0", ""},      {"150", ""},       {"32767", ""},    {"1e3", ""},
        {"123.4", ""},  {"32768", number}, {"abc", number},  {"-5", number},
        {"+5", number}, {"1.5", number},   {"   -5", range}, {"", ""},
    };
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(text);
        host.messages.clear();
        w().txtTimeout.setText(text);
        EXPECT_EQ(w().txtTimeout.text(), text);
        EXPECT_EQ(shown(),
                  message.empty() ? std::vector<std::string>{} : std::vector<std::string>{message});
    }
}

class CCLinkMainWindowTest : public CCLinkTest {
  protected:
    void SetUp() override {
        CCLinkTest::SetUp();
        core::frmDunax().btnConnect_Click();
        ASSERT_TRUE(g.Connected);
        ASSERT_EQ(g.NetType, 0);
        ASSERT_EQ(w().txtTimeout.text(), "20");  // filled while hidden
        ASSERT_FALSE(w().shown());
    }
};

// Exit hides the modal window, the main window reconnects and uploads (the network window's
// upload included, on the hidden window), and only then the notice comes up.
TEST_F(CCLinkMainWindowTest, ExitReconnectsBeforeTheNotice) {
    Cmds atNotice;
    bool shownAtNotice = true;
    // Whether the window was up each time the unit was asked for the time-out.
    std::vector<bool> shownAtRead;
    unit->profile().find("00", "51")->live = [&](std::int64_t) {
        shownAtRead.push_back(w().shown());
        return std::string("20");
    };
    host.whileModal["frmCCLINK"] = [&](platform::Form&) {
        EXPECT_TRUE(w().shown());
        unit->clearLog();
        platform::userClick(w().btnExit);
    };
    host.whileModal["frmNotice"] = [&](platform::Form&) {
        atNotice = commands();
        shownAtNotice = w().shown();
    };
    core::frmDunax().btnComNet_Click();

    // Position of an entry in the host's log, -1 when it is missing.
    auto at = [&](const std::string& e) {
        auto it = std::find(host.log.begin(), host.log.end(), e);
        return it == host.log.end() ? -1L : static_cast<long>(it - host.log.begin());
    };
    ASSERT_GE(at("modal frmCCLINK"), 0);
    EXPECT_LT(at("modal frmCCLINK"), at("hide frmCCLINK"));
    EXPECT_LT(at("hide frmCCLINK"), at("end modal frmCCLINK"));
    EXPECT_LT(at("end modal frmCCLINK"), at("modal frmNotice"));
    EXPECT_FALSE(shownAtNotice);
    EXPECT_EQ(shownAtRead, std::vector<bool>{false}) << "uploaded again while hidden";
    // The reconnect identified the unit again and ended with the network window's upload.
    ASSERT_GE(atNotice.size(), kUpload.size());
    EXPECT_NE(std::find(atNotice.begin(), atNotice.end(), "I02"), atNotice.end());
    EXPECT_EQ(Cmds(atNotice.end() - static_cast<long>(kUpload.size()), atNotice.end()), kUpload);
    EXPECT_TRUE(g.Connected);
}

TEST_F(CCLinkMainWindowTest, CloseBoxActsAsExitButNotWhileAnExchangeRuns) {
    bool closedMidUpload = false;
    host.whileModal["frmCCLINK"] = [&](platform::Form& f) {
        // Closing while the window's own upload waits for the unit does nothing.
        unit->latencyMs = 500;
        host.at(host.now() + 100, [&] {
            f.onCloseBox();
            closedMidUpload = true;
        });
        platform::userClick(w().btnUpload);
        unit->latencyMs = 15;
        EXPECT_TRUE(closedMidUpload);
        EXPECT_TRUE(w().shown());
        EXPECT_EQ(buttons(w()), "111");
        unit->clearLog();
        f.onCloseBox();
    };
    host.whileModal["frmNotice"] = [&](platform::Form&) {
        EXPECT_FALSE(w().shown());
        const Cmds sent = commands();
        EXPECT_NE(std::find(sent.begin(), sent.end(), "I02"), sent.end()) << "reconnected";
    };
    core::frmDunax().btnComNet_Click();
    EXPECT_EQ(logCount("modal frmNotice"), 1);
    EXPECT_EQ(logCount("hide frmCCLINK"), 1);
}

// The network button may show an Ethernet window that no upload has filled yet (an opened
// file chose the network, the unit is on another): every button of it is still off, and the
// close box is then the way out, as Exit would be.
TEST_F(CCLinkMainWindowTest, CloseBoxLeavesAWindowThatWasNeverUploaded) {
    g.NetType = 4;  // as an opened file of an Ethernet unit sets it
    bool hiddenByClose = false;
    std::string buttonsAtShow;
    host.whileModal["frmEthernet"] = [&](platform::Form& f) {
        buttonsAtShow = buttons(f);
        unit->clearLog();
        f.onCloseBox();
        hiddenByClose = !f.shown();
    };
    core::frmDunax().btnComNet_Click();
    network::frmEthernet.reset();
    EXPECT_EQ(buttonsAtShow, "000");
    EXPECT_TRUE(hiddenByClose);
    EXPECT_EQ(logCount("modal frmNotice"), 1);
    const Cmds sent = commands();
    EXPECT_NE(std::find(sent.begin(), sent.end(), "I02"), sent.end()) << "reconnected";
}

}  // namespace
}  // namespace dunax
