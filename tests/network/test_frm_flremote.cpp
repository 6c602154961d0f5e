// The FL-Remote settings window against the simulated unit.
#include <gtest/gtest.h>

#include "network/frm_flremote.h"
#include "network/network_window_test.h"

namespace dunax::testing {
namespace {

using network::frmFLRemote;

const Cmds kUpload{"G00", "I01", "G00", "I01", "D1", "G00", "I51", "G00", "I52"};

class FLRemoteTest : public NetworkWindowTest {
  protected:
    void SetUp() override {
        NetworkWindowTest::SetUp();
        useUnit("J6WB-KW4");
    }
    void TearDown() override {
        frmFLRemote.reset();
        NetworkWindowTest::TearDown();
    }
    network::FLRemoteWindow& w() { return frmFLRemote(); }
    std::string looks() { return look(w().Text1) + "/" + look(w().Text2); }
};

TEST_F(FLRemoteTest, LoadsLockedAndIsTheWindowOfNetworkFive) {
    EXPECT_EQ(core::NetworkWindowFor(5), &w());
    EXPECT_EQ(w().caption(), "FL-Remote Setting");
    EXPECT_EQ(w().Frame3.caption(), "Allowable minimum frame interval");
    EXPECT_EQ(buttons(w()), "101");
    EXPECT_EQ(looks(), "locked/locked");
    expectInside(w(), w().kBorderWidth, w().kBorderHeight);
}

// The download's maintenance write is "F", the read-back's "1".
TEST_F(FLRemoteTest, UploadShowsBothSettingsAndDownloadWritesThemAndReadsThemBack) {
    connect();
    w().btnUpload_Click();
    EXPECT_EQ(commands(), kUpload);
    EXPECT_EQ(w().Text1.text() + "/" + w().Text2.text(), "500/2");
    EXPECT_EQ(looks(), "open/open");
    EXPECT_EQ(buttons(w()), "111");

    unit->clearLog();
    w().Text1.setText("0300");
    w().Text2.setText("5");
    platform::userClick(w().btnDownload);
    EXPECT_EQ(commands(),
              concat({{"G00", "I01", "G00", "I01", "DF", "G00", "I51", "D0300", "G00", "I52", "D5"},
                      kUpload}));
    EXPECT_EQ(w().Text1.text() + "/" + w().Text2.text(), "300/5");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(core::g.Connected);
}

// Nothing is written unless both boxes hold whole numbers the unit can take; typing itself
// brings up no message.
TEST_F(FLRemoteTest, DownloadRefusesEntriesTheUnitCannotTake) {
    const std::string number = "Please enter number." + kInfo;
    const std::string range = "Please enter 0 to 32767." + kInfo;
    struct {
        const char *text1, *text2;
        std::string message;
    } cases[] = {
        {"", "5", number},      {"500", "", number}, {"abc", "5", number},
        {"500", "1.5", number}, {"-1", "5", range},  {"500", "40000", range},
    };
    connect();
    w().btnUpload_Click();
    for (const auto& k : cases) {
        SCOPED_TRACE(std::string(k.text1) + "/" + k.text2);
        host.messages.clear();
        w().Text1.setText(k.text1);
        w().Text2.setText(k.text2);
        EXPECT_TRUE(host.messages.empty());
        unit->clearLog();
        platform::userClick(w().btnDownload);
        EXPECT_EQ(commands(), (Cmds{"G00", "I01"}));
        EXPECT_EQ(shown(), one(k.message));
        EXPECT_EQ(looks(), "open/open");
        EXPECT_EQ(buttons(w()), "111");
        EXPECT_EQ(unitValue("51") + "/" + unitValue("52"), "500/2");
    }
}

// A failed read of item 52 leaves the first box open with its new value and the second as it
// was.
TEST_F(FLRemoteTest, UploadFailingAtTheSecondItemOpensOnlyTheFirstBox) {
    connect();
    w().Text2.setText("old");
    emptyReplyTo("I52");
    w().btnUpload_Click();
    EXPECT_EQ(shown(), one(kUploadFailed));
    EXPECT_FALSE(core::g.Connected);
    EXPECT_EQ(w().Text1.text() + "/" + w().Text2.text(), "500/old");
    EXPECT_EQ(looks(), "open/locked");
    EXPECT_EQ(buttons(w()), "101");
}

}  // namespace
}  // namespace dunax::testing
