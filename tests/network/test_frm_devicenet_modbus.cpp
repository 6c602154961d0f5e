// The DeviceNet and Modbus settings windows against the simulated unit: settings that travel
// as list indexes of combo boxes.
#include <gtest/gtest.h>

#include <optional>

#include "network/frm_devicenet.h"
#include "network/frm_modbus.h"
#include "network/network_window_test.h"

namespace dunax::testing {
namespace {

using network::frmDeviceNet;
using network::frmModbus;

const Cmds kDeviceNetUpload{"G00", "I01", "G00", "I01", "D1", "G00",
                            "I68", "G00", "I50", "G00", "I51"};
const Cmds kModbusUpload{"G00", "I01", "G00", "I01", "D1",  "G00", "I54", "G00",
                         "I55", "G00", "I56", "G00", "I57", "G00", "I51"};

class DeviceNetTest : public NetworkWindowTest {
  protected:
    void SetUp() override {
        NetworkWindowTest::SetUp();
        useUnit("J6Q-KW4");
    }
    void TearDown() override {
        frmDeviceNet.reset();
        NetworkWindowTest::TearDown();
    }
    network::DeviceNetWindow& w() { return frmDeviceNet(); }
    std::string looks() {
        return look(w().cmbStatus) + "/" + look(w().txtSerial) + "/" + look(w().txtTimeout);
    }
};

TEST_F(DeviceNetTest, LoadsWithTheEmptyStatusSelected) {
    EXPECT_EQ(core::NetworkWindowFor(1), &w());
    EXPECT_EQ(w().caption(), "DeviceNet Setting");
    EXPECT_EQ(w().cmbStatus.list(), (std::vector<std::string>{"OFF", "ON", ""}));
    EXPECT_EQ(w().cmbStatus.listIndex(), 2);
    EXPECT_TRUE(w().Frame1.visible());
    EXPECT_EQ(looks(), "locked/locked/locked");
    EXPECT_EQ(buttons(w()), "101");
    expectInside(w(), w().kBorderWidth, w().kBorderHeight);
}

// Units of the eight-point discrete input module have no status to show; the item still
// travels through the hidden combo box.
TEST_F(DeviceNetTest, StatusFrameHiddenForTheEightPointInputModule) {
    core::g.ModelNum = 9;
    connect();
    EXPECT_FALSE(w().Frame1.visible());
    w().btnUpload_Click();
    EXPECT_EQ(w().cmbStatus.listIndex(), 1);
    w().cmbStatus.setListIndex(0);
    unit->clearLog();
    platform::userClick(w().btnDownload);
    EXPECT_EQ(unitValue("68"), "OFF");
    core::g.ModelNum = 0;  // fixed at creation
    w().btnUpload_Click();
    EXPECT_FALSE(w().Frame1.visible());
}

TEST_F(DeviceNetTest, UploadAndDownloadInTheirOrder) {
    connect();
    w().btnUpload_Click();
    EXPECT_EQ(commands(), kDeviceNetUpload);
    EXPECT_EQ(w().cmbStatus.listIndex(), 1);
    EXPECT_EQ(w().txtSerial.text() + "/" + w().txtTimeout.text(), "00A3F1C2/20");
    EXPECT_EQ(looks(), "open/open/open");

    unit->clearLog();
    w().cmbStatus.setListIndex(0);
    w().txtSerial.setText("00A3F1C3");
    w().txtTimeout.setText("25");
    platform::userClick(w().btnDownload);
    EXPECT_EQ(commands(), concat({{"G00", "I01", "G00", "I01", "D1", "G00", "I68", "D0", "G00",
                                   "I50", "D00A3F1C3", "G00", "I51", "D25"},
                                  kDeviceNetUpload}));
    EXPECT_EQ(w().cmbStatus.listIndex(), 0);
    EXPECT_EQ(unitValue("50"), "00A3F1C3");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DeviceNetTest, StatusReplies) {
    const std::pair<const char*, int> cases[] = {
        {"0STATUS:OFF", 0}, {"0STATUS:ON", 1}, {"CNG", 1}, {"CNU", 1}, {"0STATUS:off", 1}};
    connect();
    for (const auto& [reply, index] : cases) {
        SCOPED_TRACE(reply);
        unit->faults().replies["I68"] = reply;
        w().btnUpload_Click();
        EXPECT_EQ(w().cmbStatus.listIndex(), index);
    }
}

// What each status choice writes: its index, the empty entry included; no selection writes
// nothing.
TEST_F(DeviceNetTest, StatusWrites) {
    connect();
    unit->profile().find("00", "68")->onWrite = nullptr;  // takes any data
    w().btnUpload_Click();
    const std::pair<int, std::optional<std::string>> cases[] = {
        {0, "D0"}, {1, "D1"}, {2, "D2"}, {-1, std::nullopt}};
    for (const auto& [index, data] : cases) {
        SCOPED_TRACE(index);
        w().cmbStatus.setListIndex(index);
        unit->clearLog();
        platform::userClick(w().btnDownload);
        const Cmds sent = commands();
        const Cmds head(sent.begin(), sent.begin() + 5);
        const Cmds rest(sent.begin() + 5, sent.begin() + (data ? 8 : 5) + 2);
        EXPECT_EQ(head, (Cmds{"G00", "I01", "G00", "I01", "D1"}));
        const Cmds expected = data ? Cmds{"G00", "I68", *data, "G00", "I50"} : Cmds{"G00", "I50"};
        EXPECT_EQ(rest, expected);
        EXPECT_TRUE(host.messages.empty());
    }
}

// The serial ID is passed through: an empty one is sent as empty data, and when the unit does
// not take it the download says so.
TEST_F(DeviceNetTest, EmptySerialIdIsWrittenAndARefusalReported) {
    connect();
    w().btnUpload_Click();
    unit->profile().find("00", "50")->onWrite = nullptr;
    w().txtSerial.setText("");
    unit->clearLog();
    platform::userClick(w().btnDownload);
    EXPECT_EQ(commands(), concat({{"G00", "I01", "G00", "I01", "D1", "G00", "I68", "D1", "G00",
                                   "I50", "D", "G00", "I51", "D20"},
                                  kDeviceNetUpload}));
    EXPECT_TRUE(host.messages.empty());

    // A unit that refuses the serial ID: the time-out is still written, everything is read
    // back, then the message names the serial ID; the link stays up.
    frmDeviceNet.reset();
    useUnit("J6Q-KW4");
    core::ClosePort();
    connect();
    w().btnUpload_Click();
    w().txtSerial.setText("");
    w().txtTimeout.setText("35");
    unit->clearLog();
    platform::userClick(w().btnDownload);
    EXPECT_EQ(shown(),
              one("Downloading incomplete\r\nSerial ID" + testing::kCritical + "Downloading"));
    EXPECT_EQ(unitValue("51"), "35");
    EXPECT_EQ(countOf(commands(), "I51"), 2);  // written, then read back
    EXPECT_EQ(w().txtSerial.text(), unitValue("50"));
    EXPECT_EQ(looks(), "open/open/open");
    EXPECT_EQ(buttons(w()), "111");
    EXPECT_TRUE(core::g.Connected);
}

class ModbusTest : public NetworkWindowTest {
  protected:
    void SetUp() override {
        NetworkWindowTest::SetUp();
        useUnit("J6S-KWH4");
    }
    void TearDown() override {
        frmModbus.reset();
        NetworkWindowTest::TearDown();
    }
    network::ModbusWindow& w() { return frmModbus(); }
    std::string looks() {
        return look(w().cmbMode) + "/" + look(w().txtDataBit) + "/" + look(w().cmbParity) + "/" +
               look(w().txtStop) + "/" + look(w().txtTimeout);
    }
    std::string values() {
        return std::to_string(w().cmbMode.listIndex()) + "/" + w().txtDataBit.text() + "/" +
               std::to_string(w().cmbParity.listIndex()) + "/" + w().txtStop.text() + "/" +
               w().txtTimeout.text();
    }
};

TEST_F(ModbusTest, LoadsWithEmptyEntriesSelected) {
    EXPECT_EQ(core::NetworkWindowFor(2), &w());
    EXPECT_EQ(w().caption(), "Modbus Setting");
    EXPECT_EQ(w().cmbMode.list(), (std::vector<std::string>{"RTU", "ASCII", ""}));
    EXPECT_EQ(w().cmbParity.list(), (std::vector<std::string>{"NONE", "ODD", "EVEN", ""}));
    EXPECT_EQ(values(), "2//3//");
    EXPECT_EQ(looks(), "locked/locked/locked/locked/locked");
    EXPECT_EQ(buttons(w()), "101");
    expectInside(w(), w().kBorderWidth, w().kBorderHeight);
}

// Data bits and stop bits are shown, stay locked and are never written.
TEST_F(ModbusTest, UploadAndDownloadInTheirOrder) {
    connect();
    w().btnUpload_Click();
    EXPECT_EQ(commands(), kModbusUpload);
    EXPECT_EQ(values(), "0/8/2/1/30");
    EXPECT_EQ(looks(), "open/locked/open/locked/open");

    unit->clearLog();
    w().cmbMode.setListIndex(1);
    w().cmbParity.setListIndex(1);
    w().txtTimeout.setText("100");
    platform::userClick(w().btnDownload);
    EXPECT_EQ(commands(), concat({{"G00", "I01", "G00", "I01", "D1", "G00", "I54", "D1", "G00",
                                   "I56", "D1", "G00", "I51", "D100"},
                                  kModbusUpload}));
    EXPECT_EQ(values(), "1/8/1/1/100");
    EXPECT_EQ(unitValue("54") + "/" + unitValue("56"), "ASCII/ODD");
}

TEST_F(ModbusTest, ModeAndParityReplies) {
    struct {
        const char *mode, *parity;
        int modeIndex, parityIndex;
    } cases[] = {
        {"0MODE:RTU", "0PARITY:NONE", 0, 0}, {"0MODE:ASCII", "0PARITY:ODD", 1, 1},
        {"CNG", "0PARITY:EVEN", 1, 2},       {"CNU", "CNG", 1, 0},
        {"0MODE:rtu", "0PARITY:MARK", 1, 0},
    };
    connect();
    for (const auto& k : cases) {
        SCOPED_TRACE(std::string(k.mode) + " " + k.parity);
        unit->faults().replies["I54"] = k.mode;
        unit->faults().replies["I56"] = k.parity;
        w().btnUpload_Click();
        EXPECT_EQ(w().cmbMode.listIndex(), k.modeIndex);
        EXPECT_EQ(w().cmbParity.listIndex(), k.parityIndex);
    }
}

// Unlike the other windows, Download stays available after a failed upload.
TEST_F(ModbusTest, UploadFailingAtTheStopBitsKeepsWhatWasReadAndDownloadOn) {
    connect();
    emptyReplyTo("I57");
    w().btnUpload_Click();
    EXPECT_EQ(shown(), one(kUploadFailed));
    EXPECT_EQ(values(), "0/8/2//");
    EXPECT_EQ(buttons(w()), "111");
    EXPECT_EQ(looks(), "locked/locked/locked/locked/locked");
    EXPECT_FALSE(core::g.Connected);
}

}  // namespace
}  // namespace dunax::testing
