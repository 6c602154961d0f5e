// Every network's window is the one the main window fills on connect, from the items of the
// simulated unit on that network.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/main_window.h"
#include "modules/analog_in/frm_kw4.h"
#include "modules/register.h"
#include "network/frm_cclink.h"
#include "network/frm_devicenet.h"
#include "network/frm_ethernet.h"
#include "network/frm_flexnet.h"
#include "network/frm_flremote.h"
#include "network/frm_mechatro.h"
#include "network/frm_modbus.h"
#include "network/network_window_test.h"

namespace dunax::testing {
namespace {

class NetworkWindowsOnConnectTest : public NetworkWindowTest {
  protected:
    void SetUp() override {
        NetworkWindowTest::SetUp();
        modules::RegisterModuleWindows();
    }
    void TearDown() override {
        network::frmCCLINK.reset();
        network::frmDeviceNet.reset();
        network::frmModbus.reset();
        network::frmMechatro.reset();
        network::frmEthernet.reset();
        network::frmFLRemote.reset();
        network::frmFlexnet.reset();
        modules::frmKW4.reset();
        NetworkWindowTest::TearDown();
    }

    // A fresh program with every window registered, on a simulated unit of this model.
    void startOver(const std::string& model) {
        restart();
        network::RegisterNetworkWindows();
        modules::RegisterModuleWindows();
        useUnit(model);
    }
};

TEST_F(NetworkWindowsOnConnectTest, TheMainWindowFillsTheWindowOfTheUnitsNetwork) {
    struct {
        const char* model;
        int netType;
        std::function<std::string()> shown;
        const char* expected;
    } cases[] = {
        {"J6Q-KW4", 1, [] { return network::frmDeviceNet().txtSerial.text(); }, "00A3F1C2"},
        {"J6S-KWH4", 2, [] { return network::frmModbus().txtTimeout.text(); }, "30"},
        {"J6SK-KW4", 3, [] { return network::frmMechatro().lblByte.caption(); }, "32 Byte Mode"},
        {"J6U-KW4", 4, [] { return network::frmEthernet().txtIP(0).text(); }, "10"},
        {"J6WB-KW4", 5, [] { return network::frmFLRemote().Text1.text(); }, "500"},
        {"J6XN-KW4", 6, [] { return network::frmFlexnet().Label6.caption(); }, "3:10 msec"},
        {"J6YR-KWH4", 7, [] { return network::frmFlexnet().txtAve.text(); }, "2"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.model);
        startOver(k.model);
        core::frmDunax().btnConnect_Click();
        ASSERT_TRUE(core::g.Connected);
        EXPECT_EQ(core::g.NetType, k.netType);
        EXPECT_EQ(k.shown(), k.expected);
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(buttons(*core::NetworkWindowFor(k.netType)), "111");
    }
}

// A unit that answers its time-out with a blank after the colon ("TMO: 100"): the box shows
// " 100" as the unit sent it, the download's check takes it, and it is written as "100".
TEST_F(NetworkWindowsOnConnectTest, ABlankAfterTheColonIsTrimmedBeforeTheCheckAndTheWrite) {
    struct {
        const char* model;
        std::function<platform::Control&()> box;
    } cases[] = {
        {"J6P-KW4", []() -> platform::Control& { return network::frmCCLINK().txtTimeout; }},
        {"J6Q-KW4", []() -> platform::Control& { return network::frmDeviceNet().txtTimeout; }},
        {"J6S-KWH4", []() -> platform::Control& { return network::frmModbus().txtTimeout; }},
        {"J6SK-KW4", []() -> platform::Control& { return network::frmMechatro().txtTimeout; }},
        {"J6U-KW4", []() -> platform::Control& { return network::frmEthernet().txtTimeout(0); }},
        {"J6WB-KW4", []() -> platform::Control& { return network::frmFLRemote().Text1; }},
        {"J6XN-KW4", []() -> platform::Control& { return network::frmFlexnet().txtTimeout; }},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.model);
        startOver(k.model);
        unit->faults().replies["I51"] = "0TMO: 100";
        core::frmDunax().btnConnect_Click();
        ASSERT_TRUE(core::g.Connected);
        EXPECT_EQ(k.box().text(), " 100");
        EXPECT_TRUE(host.messages.empty());
        unit->faults().replies.erase("I51");  // the unit's own reply again, for the write
        unit->clearLog();
        platform::Form& w = *core::NetworkWindowFor(core::g.NetType);
        platform::userClick(*w.find("btnDownload"));
        EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
        EXPECT_EQ(sentCount("D100"), 1);
        EXPECT_EQ(sentCount("D 100"), 0);
        EXPECT_EQ(buttons(w), "111");
    }
}

// Every window: a time-out the unit refuses is read back with the rest, which also leaves the
// maintenance switch as the window's upload writes it; then the message names the entry.
TEST_F(NetworkWindowsOnConnectTest, ARefusedEntryIsReadBackBeforeTheMessage) {
    struct {
        const char* model;
        std::function<platform::Control&()> box;
        const char* named;
        const char* maintenanceSwitch;
    } cases[] = {
        {"J6P-KW4", []() -> platform::Control& { return network::frmCCLINK().txtTimeout; },
         "TimeOut", "1"},
        {"J6Q-KW4", []() -> platform::Control& { return network::frmDeviceNet().txtTimeout; },
         "TimeOut", "1"},
        {"J6S-KWH4", []() -> platform::Control& { return network::frmModbus().txtTimeout; },
         "TimeOut", "1"},
        {"J6SK-KW4", []() -> platform::Control& { return network::frmMechatro().txtTimeout; },
         "TimeOut", "1"},
        {"J6U-KW4", []() -> platform::Control& { return network::frmEthernet().txtTimeout(0); },
         "TimeOut", "F"},
        {"J6WB-KW4", []() -> platform::Control& { return network::frmFLRemote().Text1; },
         "Token Watchdog timer", "1"},
        {"J6XN-KW4", []() -> platform::Control& { return network::frmFlexnet().txtTimeout; },
         "TimeOut", "1"},
    };
    std::size_t sentAtMessage = 0;
    for (const auto& k : cases) {
        SCOPED_TRACE(k.model);
        startOver(k.model);
        core::frmDunax().btnConnect_Click();
        ASSERT_TRUE(core::g.Connected);
        const std::string held = k.box().text();
        k.box().setText("77");
        unit->profile().find("00", "51")->writable = false;
        unit->clearLog();
        host.onMessage = [&](const platform::MessageRecord&) { sentAtMessage = sent().size(); };
        platform::Form& w = *core::NetworkWindowFor(core::g.NetType);
        platform::userClick(*w.find("btnDownload"));

        EXPECT_EQ(shown(), one("Downloading incomplete\r\n" + std::string(k.named) + kCritical +
                               "Downloading"));
        EXPECT_EQ(sentAtMessage, sent().size());
        EXPECT_EQ(k.box().text(), held);
        EXPECT_EQ(unitValue("01"), k.maintenanceSwitch);
        EXPECT_TRUE(core::g.Connected);
        EXPECT_EQ(buttons(w), "111");
    }
}

// A line lost while the network window is open is reported once; the window's own buttons,
// pressed afterwards, each say that they could not reach the unit instead of doing nothing.
TEST_F(NetworkWindowsOnConnectTest, AfterALostLineTheWindowsButtonsStillSayTheyFailed) {
    const struct {
        const char* button;
        std::string message;
    } cases[] = {
        {"btnUpload", kUploadFailed},
        {"btnDownload", kDownloadFailed},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.button);
        startOver("J6P-KW4");
        core::frmDunax().btnConnect_Click();
        ASSERT_TRUE(core::g.Connected);
        platform::Form& w = *core::NetworkWindowFor(core::g.NetType);
        unit->faults().vanished = true;
        host.idleUntil(host.now() + 1000);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].title, "Connection");
        host.messages.clear();
        platform::userClick(*w.find(k.button));
        EXPECT_EQ(shown(), one(k.message));
        EXPECT_FALSE(core::g.Connected);
    }
}

}  // namespace
}  // namespace dunax::testing
