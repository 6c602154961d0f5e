// The three pulse counter windows, each case run on every window: the upload, download and
// monitoring exchanges in their exact order, what the boxes show, the data checks, the enabling
// of edits and preset buttons, and the failures of a silent unit.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "modules/counter_test_fixture.h"
#include "platform/color.h"

namespace dunax {
namespace {

using core::g;
using testing::channelItems;
using testing::Cmds;
using testing::CounterKind;
using testing::counterKinds;
using testing::uploadCommands;

class CounterWindows : public testing::CounterTest {};

TEST_F(CounterWindows, UploadReadsHoldThenCarryAndMaxOfEachChannel) {
    for (const std::string ext : {"VQ", "DI"}) {
        for (const CounterKind& kind : counterKinds()) {
            SCOPED_TRACE(std::string(kind.name) + " " + ext);
            start(kind, ext);
            unit->profile().find("00", "14")->value = "ON";
            auto& w = window(kind.modelNum);
            w.cmdSet2_Click();
            w.Init();

            Cmds want = uploadCommands(kind.modelNum, kind.channels);
            if (ext != "VQ") want.insert(want.begin(), {"G00", "I12"});
            EXPECT_EQ(sent(), want);
            EXPECT_EQ(w.lblV_Unit->caption(), kind.modelNum == 10 ? "FE16" : "FE8");
            EXPECT_EQ(w.lblV_Ext->visible(), ext != "VQ");
            EXPECT_TRUE(w.optKeepOn->value() && !w.optKeepOff->value());
            // As the simulated unit starts: Max 2000 on CH 1, 4, 7 ..., Carry on even channels.
            for (int k = 0; k < kind.channels; ++k) {
                const std::string max = k % 3 == 1 ? "2000" : "999999";
                const std::string carry = k % 2 == 0 ? "1" : "0";
                const auto& rec = g.ChItem[static_cast<std::size_t>(k + 1)];
                EXPECT_EQ(w.txtFScale(k).text(), max) << k;
                EXPECT_EQ(w.txtOver(k).text(), carry) << k;
                EXPECT_EQ(rec.Value1 + "/" + rec.Value2, carry + "/" + max) << k;
                EXPECT_TRUE(w.txtFScale(k).enabled() && w.txtOver(k).enabled() &&
                            w.txtPreset(k).enabled());
                // The preset buttons wait for the main window, which switches them at the end.
                EXPECT_FALSE(w.cmdPreset(k).enabled());
            }
            EXPECT_TRUE(w.frmSet1->visible() && !w.frmSet2->visible());
            EXPECT_TRUE(!w.cmdSet1->enabled() && w.cmdSet2->enabled());
            EXPECT_TRUE(w.optKeepOff->enabled());
            EXPECT_FALSE(loadingUp());
            EXPECT_TRUE(host.messages.empty());
            restart();
        }
    }
}

TEST_F(CounterWindows, DownloadWritesTheBoxesAsTheyStandThenTheHold) {
    for (const CounterKind& kind : counterKinds()) {
        SCOPED_TRACE(kind.name);
        start(kind);
        auto& w = window(kind.modelNum);
        w.Init();
        w.preset_able(true);
        // Another model's upload left its items in the shared records: FE16 still writes its
        // own Carry (13) and Max (14).
        for (auto& rec : g.ChItem) rec.Item1 = rec.Item2 = "20";
        for (int k = 0; k < kind.channels; ++k) {
            w.txtOver(k).setText(k == 2 ? "0" : "1");
            w.txtFScale(k).setText(std::to_string(5000 + k));
        }
        w.optKeepOn->setValue(true);
        unit->clearLog();
        w.Download();

        Cmds want;
        for (int ch = 1; ch <= kind.channels; ++ch) {
            const auto it = channelItems(kind.modelNum, ch, true);
            want.insert(want.end(),
                        {"G" + it.group, "I" + it.carry, ch == 3 ? "D0" : "D1", "G" + it.group,
                         "I" + it.max, "D" + std::to_string(5000 + ch - 1)});
        }
        want.insert(want.end(), {"G00", "I14", "D0"});
        EXPECT_EQ(sent(), want);
        const auto last = channelItems(kind.modelNum, kind.channels, true);
        EXPECT_EQ(unit->profile().value(last.group, last.max),
                  std::to_string(5000 + kind.channels - 1));
        EXPECT_EQ(unit->profile().value("00", "14"), "ON");
        // Everything stays off until the read-back upload.
        EXPECT_FALSE(w.txtFScale(0).enabled() || w.cmdPreset(0).enabled() || w.cmdSet1->enabled() ||
                     w.cmdSet2->enabled());
        EXPECT_FALSE(loadingUp());

        // No answer to the hold write: the progress window goes all the same.
        emptyReplyTo("I14");
        w.Download();
        EXPECT_FALSE(loadingUp());
        EXPECT_TRUE(host.messages.empty());
        restart();
    }
}

TEST_F(CounterWindows, MonitoringPassReadsSwitchBitImageExtensionAndEveryCount) {
    for (const std::string ext : {"VQ", "DO"}) {
        for (const CounterKind& kind : counterKinds()) {
            SCOPED_TRACE(std::string(kind.name) + " " + ext);
            start(kind, ext);
            auto& w = window(kind.modelNum);
            w.ReadingData();

            const bool eth = kind.modelNum == 23;
            Cmds want{"G00", "I01", "DF", eth ? "I16" : "I20"};
            if (ext != "VQ") want.insert(want.end(), {"G00", "I12"});
            for (int k = 0; k < kind.channels; ++k) {
                want.push_back("I" + std::to_string((eth ? 17 : 21) + k));
            }
            EXPECT_EQ(sent(), want);
            // The counts run from the first read, CH k from 37 k.
            for (int k = 0; k < kind.channels; ++k) {
                EXPECT_EQ(w.txtPA(k).text(), std::to_string(37 * k));
            }
            // Twenty seconds on: CH 0 counts 3 a second, CH 1 7 a second.
            host.advance(20000);
            w.ReadingData();
            EXPECT_EQ(w.txtPA(0).text(), "60");
            EXPECT_EQ(w.txtPA(1).text(), "177");
            // Ten minutes on: CH 1 has passed its Max (2000, no Carry) and stays there with its
            // lamp lit; CH 0 counts on below its Max.
            host.advance(600000);
            w.ReadingData();
            EXPECT_EQ(w.txtPA(1).text(), "2000");
            EXPECT_EQ(w.txtCData(1).backColor(), platform::color::Green);
            EXPECT_EQ(w.txtCData(0).backColor(), platform::color::Red);
            EXPECT_TRUE(host.messages.empty());
            restart();
        }
    }
}

TEST_F(CounterWindows, MonitoringShowsRepliesAsTheyComeAndTheWindowsDigitsOfTheImage) {
    for (const CounterKind& kind : counterKinds()) {
        SCOPED_TRACE(kind.name);
        start(kind);
        auto& w = window(kind.modelNum);
        const std::string image = kind.modelNum == 23 ? "I16" : "I20";
        const int first = kind.modelNum == 23 ? 17 : 21;
        auto count = [&](int k) { return "I" + std::to_string(first + k); };
        auto& replies = unit->faults().replies;
        replies[image] = "0STATUS:x12F0";
        replies[count(0)] = "0CNT0:12:34";
        replies[count(1)] = "CNG";
        replies[count(2)] = "CNU";
        replies[count(3)] = "";
        w.txtPA(3).setText("old");
        w.ReadingData();
        EXPECT_EQ(w.txtPA(0).text(), "12:34");
        EXPECT_EQ(w.txtPA(1).text(), "CNG");
        EXPECT_EQ(w.txtPA(2).text(), "NEEDLESS");
        EXPECT_EQ(w.txtPA(3).text(), "old");

        // FE16 reads four digits; the 8-channel windows the first two ("1" and "2").
        const std::vector<int> lit =
            kind.channels == 16 ? std::vector<int>{12, 9, 4, 5, 6, 7} : std::vector<int>{4, 1};
        ASSERT_EQ(w.txtCData.upperBound(), kind.channels - 1);
        for (int n = 0; n < kind.channels; ++n) {
            const bool on = std::count(lit.begin(), lit.end(), n) != 0;
            EXPECT_EQ(w.txtCData(n).backColor(), on ? platform::color::Green : platform::color::Red)
                << n;
        }
        // A refusal, or a lower-case first digit, leaves those lamps as they are.
        for (const char* reply : {"CNG", "CNU", "0STATUS:xf0f0"}) {
            replies[image] = reply;
            w.ReadingData();
            EXPECT_EQ(w.txtCData(kind.channels == 16 ? 12 : 4).backColor(), platform::color::Green);
        }
        EXPECT_TRUE(host.messages.empty());
        EXPECT_TRUE(g.Connected);
        restart();
    }
}

// The bounds of each window's data check, on its last channel.
TEST_F(CounterWindows, CheckBounds) {
    struct Case {
        int modelNum;
        std::string max, carry;
        bool ok;
        std::string maxAfter, carryAfter;
    };
    const std::vector<Case> cases{
        {10, "1000000000", "1000000000", true, "1000000000", "1000000000"},
        {10, "0", "0", true, "0", "0"},
        {10, "1000000001", "0", false, "1000000001", "0"},
        {10, "-1", "0", false, "-1", "0"},
        {10, "100", "-1", false, "100", "-1"},
        {10, "100", "101", false, "100", "101"},
        {10, " 1e3 ", "5.50", true, "1000", "5.5"},
        {10, "12", "NEEDLESS", false, "12", "NEEDLESS"},
        {10, "", "0", false, "", "0"},
        {14, "10", "0", true, "10", "0"},
        {14, "9", "0", false, "9", "0"},
        {14, "4294967295", "0", true, "4294967295", "0"},
        {14, "4294967296", "0", false, "4294967296", "0"},
        {14, "100", "500", true, "100", "500"},  // Carry unbounded, not compared with Max
        {14, "100", "-1", false, "100", "-1"},
        {14, "CNG", "0", false, "CNG", "0"},
        {23, "1000", "0", true, "1000", "0"},
        {23, "999", "0", false, "999", "0"},
        {23, "4294967295", "1", true, "4294967295", "1"},
        {23, "4294967296", "1", false, "4294967296", "1"},
        {23, "2000", "2", false, "2000", "2"},
        {23, "2000", "-1", false, "2000", "-1"},
        {23, "2000.0", "0.50", true, "2000", "0.5"},
    };
    for (const CounterKind& kind : counterKinds()) {
        start(kind);
        auto& w = window(kind.modelNum);
        w.Init();
        const int last = kind.channels - 1;
        for (const Case& c : cases) {
            if (c.modelNum != kind.modelNum) continue;
            SCOPED_TRACE(std::string(kind.name) + " Max " + c.max + " Carry " + c.carry);
            w.txtFScale(last).setText(c.max);
            w.txtOver(last).setText(c.carry);
            EXPECT_EQ(w.CheckData(), c.ok);
            EXPECT_EQ(w.txtFScale(last).text(), c.maxAfter);
            EXPECT_EQ(w.txtOver(last).text(), c.carryAfter);
        }
        EXPECT_TRUE(host.messages.empty());
        restart();
    }
}

TEST_F(CounterWindows, CheckTestsEveryChannelForNumbersBeforeRewritingAny) {
    for (const CounterKind& kind : counterKinds()) {
        SCOPED_TRACE(kind.name);
        start(kind);
        auto& w = window(kind.modelNum);
        w.Init();
        for (int k = 0; k < 3; ++k) w.txtFScale(k).setText(" 2000 ");
        w.txtFScale(0).setText("-5");  // out of range
        w.txtOver(3).setText("x");     // not a number
        EXPECT_FALSE(w.CheckData());
        EXPECT_EQ(w.txtFScale(1).text(), " 2000 ");  // nothing rewritten

        // Numbers everywhere, out of range on CH 2: CH 0 and CH 1 are already rewritten.
        w.txtFScale(0).setText(" 3000 ");
        w.txtOver(3).setText("0");
        w.txtFScale(2).setText("-5");
        EXPECT_FALSE(w.CheckData());
        EXPECT_EQ(w.txtFScale(0).text() + "|" + w.txtFScale(1).text(), "3000|2000");

        w.txtFScale(2).setText("2000");
        EXPECT_TRUE(w.CheckData());
        g.ChCount = 0;
        EXPECT_FALSE(w.CheckData());
        restart();
    }
}

TEST_F(CounterWindows, SilentUnitDuringUpload) {
    struct Case {
        std::string what;
        std::size_t answered;  // commands answered before the silence
        bool reported;         // "Upload Error" and a disconnect
    };
    // Any stop of the upload is reported and drops the link: a window left half read with its
    // edits off must not look like a finished upload.
    const std::vector<Case> cases{
        {"hold", 0, true}, {"CH 0 Carry", 2, true}, {"CH 1 Max", 8, true}};
    for (const CounterKind& kind : counterKinds()) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(kind.name) + " " + c.what);
            start(kind);
            auto& w = window(kind.modelNum);
            w.txtFScale(1).setText("before");
            unit->faults().silentFrom = c.answered + 1;
            w.Init();

            // The read without answer was tried four times, and nothing followed.
            EXPECT_EQ(sent().size(), c.answered + 4);
            EXPECT_EQ(host.messages.size(), c.reported ? 1u : 0u);
            if (c.reported) {
                EXPECT_EQ(host.messages[0].text, "Upload Error");
                EXPECT_EQ(host.messages[0].title, "Upload");
                EXPECT_EQ(host.messages[0].icon, platform::Icon::Critical);
            }
            EXPECT_EQ(g.Connected, !c.reported);
            EXPECT_EQ(w.txtFScale(0).text(), c.answered >= 6 ? "999999" : "");
            EXPECT_EQ(w.txtFScale(1).text(), "before");
            EXPECT_FALSE(w.txtFScale(0).enabled() || w.optKeepOn->enabled() ||
                         w.cmdSet2->enabled() || w.cmdPreset(0).enabled());
            EXPECT_FALSE(loadingUp());
            restart();
        }
    }
}

TEST_F(CounterWindows, EditsFollowTheChannelsInUsePresetButtonsAllOfThem) {
    struct Case {
        int modelNum;
        std::string modelName;
        int unitChannels;
        int rows;  // rows the operations cover
    };
    const std::vector<Case> cases{
        {10, "J6P-FE16", 8, 8},
        {14, "J6P-FE8", 4, 4},
        // More channels than the window has rows: the rows of the window, and no further.
        {14, "J6P-FE8", 16, 8},
        {23, "J6U-FE8", 12, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.modelName + " " + std::to_string(c.unitChannels));
        start({c.modelName, c.unitChannels, " 1.05", "VQ"});
        auto& w = window(c.modelNum);
        const int all = w.design().channels;
        w.Init();
        EXPECT_EQ(sent(), uploadCommands(c.modelNum, c.rows));
        EXPECT_TRUE(host.messages.empty());
        w.txt_able(false);
        w.preset_able(true);
        for (int k = 0; k < all; ++k) {
            EXPECT_EQ(w.txtFScale(k).enabled(), k >= c.rows) << k;
            EXPECT_EQ(w.txtPreset(k).enabled(), k >= c.rows) << k;
            EXPECT_EQ(w.txtOver(k).enabled(), k >= c.rows) << k;
            EXPECT_TRUE(w.cmdPreset(k).enabled()) << k;
        }
        EXPECT_FALSE(w.optKeepOn->enabled());

        // A row outside the unit's channels is neither checked nor written.
        if (c.rows < all) w.txtFScale(c.rows).setText("not a number");
        EXPECT_TRUE(w.CheckData());
        unit->clearLog();
        w.Download();
        EXPECT_EQ(sent().size(), static_cast<std::size_t>(6 * c.rows + 3));
        restart();
    }
}

// Through the main window: identification picks the window by model (the Ethernet unit by its
// full name), the upload ends with the preset buttons on, monitoring turns them off and Stop on
// again, a download checks first and reads back.
TEST_F(CounterWindows, MainWindowDrivesTheCounterWindows) {
    for (const CounterKind& kind : counterKinds()) {
        SCOPED_TRACE(kind.name);
        useProfile(sim::makeCounterUnit({kind.modelName, kind.channels, " 1.05", "VQ"}));
        modules::RegisterModuleWindows();
        auto& main = core::frmDunax();
        main.btnConnect_Click();
        ASSERT_TRUE(g.Connected);
        ASSERT_EQ(g.UploadModelNum, kind.modelNum);
        auto& w = window(kind.modelNum);
        EXPECT_TRUE(w.shown());
        EXPECT_TRUE(w.cmdPreset(0).enabled());
        EXPECT_EQ(w.txtPA(1).text(), "37");  // one monitoring pass after the upload

        bool onDuringMonitoring = true;
        host.at(host.now() + 2000, [&] {
            onDuringMonitoring = w.cmdPreset(0).enabled() || w.txtFScale(0).enabled();
            platform::userClick(main.btnStop);
        });
        main.btnStart_Click();
        EXPECT_FALSE(onDuringMonitoring);
        EXPECT_TRUE(w.cmdPreset(kind.channels - 1).enabled() && w.txtFScale(0).enabled());
        EXPECT_NE(w.txtPA(0).text(), "0");  // the counts ran on

        w.txtFScale(0).setText("-1");
        unit->clearLog();
        main.btnDownload_Click();
        EXPECT_EQ(messageTexts(), (Cmds{"Data Error \r\nCheck data range."}));
        EXPECT_TRUE(writes().empty());

        w.txtFScale(0).setText("123456");
        main.btnDownload_Click();
        const auto it = channelItems(kind.modelNum, 1, true);
        EXPECT_EQ(unit->profile().value(it.group, it.max), "123456");
        EXPECT_EQ(w.txtFScale(0).text(), "123456");  // read back
        EXPECT_TRUE(w.cmdPreset(0).enabled());
        EXPECT_EQ(host.messages.size(), 1u);
        restart();
    }
}

// Controls lie inside their container, do not overlap within it, and boxes have a name for
// screen readers.
TEST_F(CounterWindows, LayoutKeepsControlsApartInsideAndNamed) {
    using platform::Control;
    for (const CounterKind& kind : counterKinds()) {
        auto& w = window(kind.modelNum);
        const auto& all = w.controls();
        for (const auto& c : all) {
            SCOPED_TRACE(std::string(kind.name) + "." + c->designName());
            const Control* box = c->container();
            EXPECT_TRUE(c->left() >= 0 && c->top() >= 0);
            EXPECT_LE(c->left() + c->width(), box ? box->width() : 9650 - 120);
            EXPECT_LE(c->top() + c->height(), box ? box->height() : 7400 - 500);
            if (c->kind() == platform::Kind::TextBox) {
                EXPECT_FALSE(c->accessibleName().empty());
            }
        }
        for (std::size_t i = 0; i < all.size(); ++i) {
            for (std::size_t j = i + 1; j < all.size(); ++j) {
                const Control& a = *all[i];
                const Control& b = *all[j];
                if (a.container() != b.container() || a.kind() == platform::Kind::Frame ||
                    b.kind() == platform::Kind::Frame) {
                    continue;
                }
                EXPECT_TRUE(a.left() + a.width() <= b.left() || b.left() + b.width() <= a.left() ||
                            a.top() + a.height() <= b.top() || b.top() + b.height() <= a.top())
                    << kind.name << ": " << a.designName() << " / " << b.designName();
            }
        }
    }
}

}  // namespace
}  // namespace dunax
