// The MECHATROLINK settings window against the simulated unit.
#include <gtest/gtest.h>

#include "network/frm_mechatro.h"
#include "network/network_window_test.h"

namespace dunax::testing {
namespace {

using network::frmMechatro;

// Reads only: no write to the maintenance switch.
const Cmds kUpload{"G00", "I01", "G00", "I08", "G00", "I07", "G00", "I51"};

class MechatroTest : public NetworkWindowTest {
  protected:
    void SetUp() override {
        NetworkWindowTest::SetUp();
        useUnit("J6SK-KW4");
    }
    void TearDown() override {
        frmMechatro.reset();
        NetworkWindowTest::TearDown();
    }
    network::MechatroWindow& w() { return frmMechatro(); }
    std::string labels() {
        return w().lblMode.caption() + "|" + w().lblByte.caption() + "|" + w().lblAddress.caption();
    }
};

TEST_F(MechatroTest, LoadsWithTheDesignedCaptions) {
    EXPECT_EQ(core::NetworkWindowFor(3), &w());
    EXPECT_EQ(w().caption(), "MECHATROLINK Setting");
    EXPECT_EQ(labels(), "MECHATROLINK - I|17 Byte Mode|Address : 0x60");
    EXPECT_EQ(buttons(w()), "101");
    EXPECT_EQ(look(w().txtTimeout), "locked");
    expectInside(w(), w().kBorderWidth, w().kBorderHeight);
}

TEST_F(MechatroTest, UploadReadsOnlyAndDownloadIsTheTimeoutsDownload) {
    connect();
    w().btnUpload_Click();
    EXPECT_EQ(commands(), kUpload);
    EXPECT_EQ(labels(), "MECHATROLINK - II|32 Byte Mode|Address : 0x61");
    EXPECT_EQ(w().txtTimeout.text(), "20");
    EXPECT_EQ(look(w().txtTimeout), "open");
    EXPECT_EQ(buttons(w()), "111");

    unit->clearLog();
    w().txtTimeout.setText("45");
    platform::userClick(w().btnDownload);
    EXPECT_EQ(commands(),
              concat({{"G00", "I01", "G00", "I01", "D1", "G00", "I51", "D45"}, kUpload}));
    EXPECT_EQ(unitValue("51"), "45");
    EXPECT_TRUE(host.messages.empty());
}

// The mode reply is compared whole, letter case included; anything else is a switch error.
TEST_F(MechatroTest, ModeAndAddressReplies) {
    struct {
        const char* mode;     // reply to item 08, "" for the unit's own
        const char* address;  // reply to item 07
        const char* shown;
    } cases[] = {
        {"0MODE:M-II/32Byte", "0ADDRESS:3F", "MECHATROLINK - II|32 Byte Mode|Address : 0x3F"},
        {"0MODE:M-II/17byte", "0ADDRESS:61", "MECHATROLINK - II|17 Byte Mode|Address : 0x61"},
        {"0MODE:M-I/17byte", "0ADDRESS:61", "MECHATROLINK - I|17 Byte Mode|Address : 0x61"},
        {"0MODE:M-II/32byte", "0ADDRESS:61", "MODE SWITCH ERROR|MODE SWITCH ERROR|Address : 0x61"},
        {"CNG", "CNG", "MODE SWITCH ERROR|MODE SWITCH ERROR|Address : 0xNG"},
        {"CNU", "07", "MODE SWITCH ERROR|MODE SWITCH ERROR|Address : 0x7"},
    };
    connect();
    for (const auto& k : cases) {
        SCOPED_TRACE(k.mode);
        unit->faults().replies["I08"] = k.mode;
        unit->faults().replies["I07"] = k.address;
        w().btnUpload_Click();
        EXPECT_EQ(labels(), k.shown);
        EXPECT_EQ(buttons(w()), "111");
        EXPECT_TRUE(core::g.Connected);
    }
}

TEST_F(MechatroTest, UploadFailingAtTheAddressKeepsTheModeShown) {
    connect();
    emptyReplyTo("I07");
    w().btnUpload_Click();
    EXPECT_EQ(shown(), one(kUploadFailed));
    EXPECT_EQ(labels(), "MECHATROLINK - II|32 Byte Mode|Address : 0x60");
    EXPECT_EQ(buttons(w()), "101");
    EXPECT_FALSE(core::g.Connected);
}

}  // namespace
}  // namespace dunax::testing
