// The Ethernet settings window against the simulated unit: its own upload and download, the
// gateway that the firmware version shows or hides, and the checks of its boxes.
#include <gtest/gtest.h>

#include <algorithm>

#include "network/frm_ethernet.h"
#include "network/network_window_test.h"

namespace dunax::testing {
namespace {

using network::frmEthernet;

const Cmds kUploadHead{"G00", "I01", "DF", "I06"};
const Cmds kUploadTail{"G00", "I51", "G00", "I29", "I30", "I27", "I28", "I31",
                       "I32", "I33", "I34", "I41", "I42", "I43", "I44"};
const Cmds kUpload = concat({kUploadHead, {"I48"}, kUploadTail});

class EthernetTest : public NetworkWindowTest {
  protected:
    void SetUp() override {
        NetworkWindowTest::SetUp();
        useUnit("J6U-KW4");  // firmware " 1.05": the gateway is shown
    }
    void TearDown() override {
        frmEthernet.reset();
        NetworkWindowTest::TearDown();
    }
    network::EthernetWindow& w() { return frmEthernet(); }
    static std::string address(const platform::ControlArray& boxes) {
        return boxes(3).text() + "," + boxes(2).text() + "," + boxes(1).text() + "," +
               boxes(0).text();
    }
    // "on" for every box enabled and white, "off" for every box disabled and grey.
    std::string state() {
        int on = 0, off = 0, other = 0;
        auto count = [&](const platform::Control& c) {
            if (c.enabled() && c.backColor() == platform::color::WindowBackground) {
                ++on;
            } else if (!c.enabled() && c.backColor() == platform::color::ButtonFace) {
                ++off;
            } else {
                ++other;
            }
        };
        for (int i = 0; i <= 4; ++i) count(w().txtTimeout(i));
        for (int i = 0; i < 4; ++i) {
            count(w().txtIP(i));
            count(w().txtSNM(i));
            count(w().txtDGW(i));
        }
        std::string s = other ? "mixed" : on ? (off ? "mixed" : "on") : "off";
        for (int k = 1; k <= 4; ++k) {
            if (w().txtPort(k).enabled() ||
                w().txtPort(k).backColor() != platform::color::ButtonFace) {
                s += " port" + std::to_string(k) + "?";
            }
        }
        return s + " " + buttons(w());
    }
};

TEST_F(EthernetTest, LoadsWithEverythingOff) {
    EXPECT_EQ(core::NetworkWindowFor(4), &w());
    EXPECT_EQ(w().caption(), "Ethernet Setting");
    EXPECT_EQ(w().Label3.caption(), "Subnet  Mask");
    EXPECT_EQ(w().Label4(0).caption(), "     x 0.1sec");
    EXPECT_EQ(w().Label2.caption(), "x 0.1 Sec");
    EXPECT_EQ(state(), "off 000");
    // The address boxes read left to right as the dotted text.
    for (auto* boxes : {&w().txtIP, &w().txtSNM, &w().txtDGW}) {
        for (int i = 0; i < 3; ++i) EXPECT_LT((*boxes)(i + 1).left(), (*boxes)(i).left());
    }
    expectInside(w(), w().kBorderWidth, w().kBorderHeight);
}

TEST_F(EthernetTest, UploadShowsEverySettingInItsBoxes) {
    connect();
    w().btnUpload_Click();
    EXPECT_EQ(commands(), kUpload);
    EXPECT_EQ(address(w().txtIP), "192,168,0,10");
    EXPECT_EQ(address(w().txtSNM), "255,255,255,0");
    EXPECT_EQ(address(w().txtDGW), "192,168,0,1");
    EXPECT_EQ(w().lblMac(0).caption() + " " + w().lblMac(1).caption(), "00-90-E8 4C-21-7A");
    EXPECT_EQ(w().txtPort(1).text() + "," + w().txtPort(4).text(), "8000,8003");
    EXPECT_EQ(
        w().txtTimeout(0).text() + "," + w().txtTimeout(1).text() + "," + w().txtTimeout(4).text(),
        "50,50,50");
    EXPECT_EQ(state(), "on 111");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(EthernetTest, DownloadWritesInItsOrderAndReadsBack) {
    connect();
    w().btnUpload_Click();
    w().txtIP(0).setText("20");
    w().txtDGW(0).setText("254");
    w().txtTimeout(0).setText("70");
    w().txtTimeout(3).setText("0");
    unit->clearLog();
    platform::userClick(w().btnDownload);
    EXPECT_EQ(commands(), concat({{"G00",
                                   "I01",
                                   "DF",
                                   "I51",
                                   "D70",
                                   "I29",
                                   "D192.168.0.20",
                                   "I30",
                                   "D255.255.255.0",
                                   "I06",
                                   "I48",
                                   "D192.168.0.254",
                                   "I31",
                                   "D8000",
                                   "I32",
                                   "D8001",
                                   "I33",
                                   "D8002",
                                   "I34",
                                   "D8003",
                                   "I41",
                                   "D50",
                                   "I42",
                                   "D50",
                                   "I43",
                                   "D0",
                                   "I44",
                                   "D50"},
                                  kUpload}));
    EXPECT_EQ(unitValue("29") + " " + unitValue("48") + " " + unitValue("43"),
              "192.168.0.20 192.168.0.254 3:0");
    EXPECT_EQ(w().txtTimeout(3).text(), "0");
    EXPECT_EQ(state(), "on 111");
    EXPECT_TRUE(host.messages.empty());
}

// Old firmware (a version beginning "1." or "0.") and a refused version read hide the gateway,
// which is then neither read nor written and keeps its text.
TEST_F(EthernetTest, TheFirmwareVersionShowsOrHidesTheGateway) {
    const std::pair<const char*, bool> cases[] = {
        {"0VER: 1.05", true}, {"0VER:1.02", false}, {"0VER:0.98", false},
        {"0VER:2.00", true},  {"CNG", false},       {"CNU", true},
    };
    connect();
    for (const auto& [reply, gateway] : cases) {
        SCOPED_TRACE(reply);
        unit->faults().replies["I06"] = reply;
        for (int i = 0; i < 4; ++i) w().txtDGW(i).setText("7");
        unit->clearLog();
        w().btnUpload_Click();
        EXPECT_EQ(commands(), gateway ? kUpload : concat({kUploadHead, kUploadTail}));
        EXPECT_EQ(w().Label1.visible(), gateway);
        EXPECT_EQ(w().txtDGW(2).visible(), gateway);
        EXPECT_EQ(address(w().txtDGW), gateway ? "192,168,0,1" : "7,7,7,7");

        unit->clearLog();
        platform::userClick(w().btnDownload);
        const Cmds sent = commands();
        EXPECT_EQ(std::count(sent.begin(), sent.end(), "I48"), gateway ? 2 : 0);
        EXPECT_EQ(state(), "on 111");
    }
}

// Only the maintenance write goes out before a box that the unit cannot take stops the
// download.
TEST_F(EthernetTest, DownloadRefusesEntriesTheUnitCannotTake) {
    const std::string ip = "Please enter number in IP Address." + kInfo;
    const std::string mask = "Please enter number in Subnet Mask." + kInfo;
    const std::string gateway = "Please enter number in Default Gateway." + kInfo;
    const std::string port = "Please enter number in TCP Port No." + kInfo;
    const std::string timeout = "Please enter number in TimeOut Box." + kInfo;
    const std::string linger = "Please enter number in Linger Timer." + kInfo;
    const std::string byte = "Please enter 0 to 255." + kInfo;
    const std::string word = "Please enter 0 to 32767." + kInfo;
    struct {
        const char* box;
        int index;
        const char* text;
        std::string message;
    } cases[] = {
        {"txtIP", 0, "", ip},           {"txtIP", 3, "1a", ip},
        {"txtIP", 2, "300", byte},      {"txtSNM", 2, "", mask},
        {"txtDGW", 1, "", gateway},     {"txtDGW", 3, "256", byte},
        {"txtPort", 2, "", port},       {"txtPort", 4, "70000", port},
        {"txtTimeout", 0, "", timeout}, {"txtTimeout", 0, "40000", word},
        {"txtTimeout", 3, "", linger},  {"txtTimeout", 1, "-1", word},
    };
    connect();
    w().btnUpload_Click();
    for (const auto& k : cases) {
        SCOPED_TRACE(std::string(k.box) + "(" + std::to_string(k.index) + ") " + k.text);
        platform::Control& box = *w().find(k.box, k.index);
        const std::string before = box.text();
        box.setText(k.text);
        host.messages.clear();
        unit->clearLog();
        platform::userClick(w().btnDownload);
        EXPECT_EQ(commands(), (Cmds{"G00", "I01", "DF"}));
        EXPECT_EQ(shown(), one(k.message));
        EXPECT_EQ(state(), "on 111");
        EXPECT_TRUE(core::g.Connected);
        box.setText(before);
    }
    EXPECT_EQ(unitValue("29"), "192.168.0.10");
}

// An address box keeps three characters and says when its number is above 255.
TEST_F(EthernetTest, AddressBoxChecks) {
    const std::string byte = "Please enter 0 to 255." + kInfo;
    const std::string number = "Please enter number." + kInfo;
    struct {
        const char* typed;
        const char* kept;
        std::vector<std::string> messages;
    } cases[] = {
        {"255", "255", {}},      {"2551", "255", {}},      {"300", "300", {byte}},
        {"3000", "300", {byte}}, {"abc", "abc", {number}}, {"", "", {}},
    };
    for (auto* boxes : {&w().txtIP, &w().txtSNM, &w().txtDGW}) {
        for (const auto& k : cases) {
            SCOPED_TRACE(k.typed);
            host.messages.clear();
            (*boxes)(1).setText(k.typed);
            EXPECT_EQ((*boxes)(1).text(), k.kept);
            EXPECT_EQ(shown(), k.messages);
        }
    }
}

// Linger timers and ports say only when their text is not a number; the linger reply's text
// after its second colon is the value.
TEST_F(EthernetTest, LingerAndPortChecksAndReplies) {
    connect();
    unit->faults().replies["I42"] = "0LINGER:75";
    unit->faults().replies["I43"] = "CNG";
    w().btnUpload_Click();
    EXPECT_EQ(
        w().txtTimeout(1).text() + "," + w().txtTimeout(2).text() + "," + w().txtTimeout(3).text(),
        "50,75,CNG");
    EXPECT_EQ(shown(), one("Please enter number." + kInfo));
    host.messages.clear();
    w().txtTimeout(4).setText("40000");
    w().txtPort(1).setText("x");
    EXPECT_EQ(shown(), (std::vector<std::string>{"Please enter number." + kInfo,
                                                 "Please enter number." + kInfo}));
}

TEST_F(EthernetTest, FailuresLeaveEverythingOn) {
    connect();
    emptyReplyTo("DF");
    w().btnUpload_Click();
    EXPECT_EQ(shown(), one(kUploadFailed));
    EXPECT_FALSE(core::g.Connected);
    EXPECT_EQ(state(), "on 111");  // Download included

    // A version read that fails in the middle of a download: what went before stays written.
    frmEthernet.reset();
    useUnit("J6U-KW4");
    core::ClosePort();
    connect();
    w().btnUpload_Click();
    w().txtIP(0).setText("11");
    host.messages.clear();
    emptyReplyTo("I06");
    unit->clearLog();
    platform::userClick(w().btnDownload);
    EXPECT_EQ(commands(), (Cmds{"G00", "I01", "DF", "I51", "D50", "I29", "D192.168.0.11", "I30",
                                "D255.255.255.0", "I06", "I06", "I06", "I06"}));
    EXPECT_EQ(shown(), one(kDownloadFailed));
    EXPECT_EQ(unitValue("29"), "192.168.0.11");
    EXPECT_FALSE(core::g.Connected);
    EXPECT_EQ(state(), "on 111");

    // A write the unit does not take is named after the others are written all the same and
    // everything is read back; the link stays up.
    core::ClosePort();
    useUnit("J6U-KW4");
    connect();
    w().btnUpload_Click();
    host.messages.clear();
    unit->profile().find("00", "30")->writable = false;
    w().txtPort(1).setText("8001");
    w().txtSNM(0).setText("128");
    unit->clearLog();
    platform::userClick(w().btnDownload);
    EXPECT_EQ(shown(), one("Downloading incomplete\r\nSubnet  Mask" + kCritical + "Downloading"));
    EXPECT_EQ(unitValue("31"), "8001");
    EXPECT_EQ(countOf(commands(), "I01"), 2);  // read back
    EXPECT_EQ(w().txtSNM(0).text(), "0");      // the mask the unit kept, 255.255.255.0
    EXPECT_TRUE(core::g.Connected);
    EXPECT_EQ(state(), "on 111");
}

}  // namespace
}  // namespace dunax::testing
