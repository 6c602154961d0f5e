// The HLS and FLEX NETWORK settings window against the simulated unit: the code of item 52
// that the variant of the analog model decides.
#include <gtest/gtest.h>

#include "network/frm_flexnet.h"
#include "network/network_window_test.h"

namespace dunax::testing {
namespace {

using network::frmFlexnet;

const Cmds kUpload{"G00", "I01", "G00", "I01", "D1", "G00", "I51", "G00", "I52"};

class FlexnetTest : public NetworkWindowTest {
  protected:
    void SetUp() override {
        NetworkWindowTest::SetUp();
        useUnit("J6XN-KWH4");  // takes the codes 0..5 at item 52
        core::g.ModelNum = 0;
        core::g.SubModelNum = 4;
    }
    void TearDown() override {
        frmFlexnet.reset();
        NetworkWindowTest::TearDown();
    }
    network::FlexnetWindow& w() { return frmFlexnet(); }
    std::string codeList() {
        std::string s = w().Frame1.caption();
        for (auto* l :
             {&w().Label3, &w().Label4, &w().Label5, &w().Label6, &w().Label7, &w().Label8}) {
            s += "|" + l->caption();
        }
        return s;
    }
};

// Grey, yet open to typing from the start.
TEST_F(FlexnetTest, LoadsGreyButUnlocked) {
    EXPECT_EQ(core::NetworkWindowFor(6), &w());
    EXPECT_EQ(core::NetworkWindowFor(7), &w());
    EXPECT_EQ(w().caption(), "Setting");
    EXPECT_EQ(w().txtTimeout.text(), "10");
    for (auto* box : {&w().txtAve, &w().txtTimeout}) {
        EXPECT_FALSE(box->locked());
        EXPECT_EQ(box->backColor(), platform::color::ButtonFace);
    }
    EXPECT_EQ(buttons(w()), "101");
    expectInside(w(), w().kBorderWidth, w().kBorderHeight);
}

TEST_F(FlexnetTest, TheVariantDecidesTheCodeFrame) {
    struct {
        int variant;
        bool readsCode;
        const char* list;
        const char* code;
    } cases[] = {
        {1, true, "Conversion rate|0:80 msec|1:40 msec|2:20 msec|3:10 msec||", "2"},
        {2, true, "Conversion rate|0:250 msec|1:500 msec||||", "2"},
        {3, true, "Conversion rate|0:250 msec|1:500 msec||||", "2"},
        {4, true, "Averaging|0:No Averaging|1:2 sample|2:4 sample|3:8 sample||", "2"},
        // The caption stays as the previous row left it.
        {9, true, "Averaging||||||", "2"},
        {0, false, "Averaging||||||", "0"},
    };
    connect();
    for (const auto& k : cases) {
        SCOPED_TRACE(k.variant);
        core::g.SubModelNum = k.variant;
        unit->clearLog();
        w().btnUpload_Click();
        EXPECT_EQ(commands(), k.readsCode ? kUpload : Cmds(kUpload.begin(), kUpload.end() - 2));
        EXPECT_EQ(codeList(), k.list);
        EXPECT_EQ(w().Frame1.visible(), k.readsCode);
        EXPECT_EQ(w().txtAve.text(), k.code);
        EXPECT_EQ(w().txtTimeout.text(), "10");
        EXPECT_EQ(look(w().txtAve) + "/" + look(w().txtTimeout), "open/open");
        EXPECT_EQ(buttons(w()), "111");
    }
}

// Item 52 is written only with a code the variant takes, compared as exact text.
TEST_F(FlexnetTest, DownloadWritesOnlyValidCodes) {
    struct {
        int variant;
        const char* code;
        const char* written;  // the data written, nullptr for none
    } cases[] = {
        {1, "3", "3"},
        {1, "4", nullptr},
        {2, "1", "1"},
        {2, "2", nullptr},
        {3, "2", nullptr},
        {4, "5", "5"},
        {4, "6", nullptr},
        {1, "03", nullptr},
        {1, "1.", nullptr},
        {1, "", nullptr},
        {0, "0", nullptr},
        {9, "1", nullptr},
        // A code the unit sent as "AVE: 3" shows " 3" and is written without its blanks.
        {1, " 3", "3"},
        {1, "3 ", "3"},
        {1, " 4", nullptr},
    };
    connect();
    for (const auto& k : cases) {
        SCOPED_TRACE(std::to_string(k.variant) + " '" + k.code + "'");
        core::g.SubModelNum = k.variant;
        w().btnUpload_Click();
        w().txtAve.setText(k.code);
        unit->clearLog();
        platform::userClick(w().btnDownload);
        const Cmds sent = commands();
        Cmds expected{"G00", "I01", "G00", "I01", "D1", "G00", "I51", "D10"};
        if (k.written)
            expected.insert(expected.end(), {"G00", "I52", std::string("D") + k.written});
        ASSERT_GE(sent.size(), expected.size());
        EXPECT_EQ(Cmds(sent.begin(), sent.begin() + static_cast<long>(expected.size())), expected);
        EXPECT_EQ(Cmds(sent.begin() + static_cast<long>(expected.size()),
                       sent.begin() + static_cast<long>(expected.size()) + 5),
                  Cmds(kUpload.begin(), kUpload.begin() + 5));
        EXPECT_TRUE(host.messages.empty());
        if (k.written) {
            EXPECT_EQ(unitValue("52"), k.written);
        }
        unit->profile().find("00", "52")->value = "2";
    }
}

TEST_F(FlexnetTest, SomeModulesShowTheTimeoutAsZero) {
    connect();
    for (int model : {0, 15, 17, 18, 19, 16}) {
        SCOPED_TRACE(model);
        core::g.ModelNum = model;
        w().btnUpload_Click();
        const bool zero = model == 15 || model == 17 || model == 18 || model == 19;
        EXPECT_EQ(w().txtTimeout.text(), zero ? "0" : "10");
    }
}

TEST_F(FlexnetTest, UploadFailingAtTheCodeKeepsTheCaptionsAndTheLook) {
    connect();
    emptyReplyTo("I52");
    w().btnUpload_Click();
    EXPECT_EQ(shown(), one(kUploadFailed));
    EXPECT_EQ(w().Frame1.caption(), "Averaging");
    EXPECT_EQ(w().Label3.caption(), "0:No Averaging");
    EXPECT_EQ(w().txtAve.backColor(), platform::color::ButtonFace);
    EXPECT_EQ(buttons(w()), "101");
    EXPECT_FALSE(core::g.Connected);
}

}  // namespace
}  // namespace dunax::testing
