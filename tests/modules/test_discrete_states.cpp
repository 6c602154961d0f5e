// The read-back windows: the relay output window (DI/DO states, hold) and the input/output
// window (DI/DO states, hold, output modes).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "discrete_fixture.h"

namespace dunax::testing {
namespace {

using core::g;
using platform::color::DarkGreen;
using platform::color::Red;

// The state words of rows 1..8, "ON"/"OFF" by colour: "g" green ON, "r" red ON, "G" green OFF,
// "R" red OFF, "." anything else; DI and DO of a row side by side.
std::string states(const platform::ControlArray& di, const platform::ControlArray& dOut) {
    auto one = [](const platform::Control& c) {
        const bool green = c.foreColor() == DarkGreen, red = c.foreColor() == Red;
        if (c.text() == "ON") return green ? 'g' : red ? 'r' : '.';
        if (c.text() == "OFF") return green ? 'G' : red ? 'R' : '.';
        return '.';
    };
    std::string s;
    for (int i = 1; i <= 8; ++i) {
        if (i > 1) s += ' ';
        s += one(di(i));
        s += one(dOut(i));
    }
    return s;
}

Cmds items(int first, int last) {
    Cmds c;
    for (int i = first; i <= last; ++i) c.push_back("I" + std::to_string(i));
    return c;
}

class BV8Test : public DiscreteFixture {
  protected:
    modules::BV8Window& w() { return modules::frmBV8(); }
    std::string rows() { return states(w().txtDICh, w().txtDOCh); }
};

TEST_F(BV8Test, StateValueToWords) {
    const struct {
        const char* value;
        const char* row;  // DI then DO: ON green, OFF red
    } cases[] = {{"10", "Rg"}, {"01", "gR"}, {"1", "gg"},   {"", "RR"},
                 {"11", "gg"}, {"00", "RR"}, {"1x0", "Rg"}, {"ON", "RR"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        start("J6P-BV8");
        setItem("21", c.value);
        w().ReadingData();
        EXPECT_EQ(rows().substr(0, 2), c.row);
        restart();
    }
}

TEST_F(BV8Test, UploadReadsHoldThenChannelsInUse) {
    start("J6P-BV8", "VQ", 4);
    setItem("14", "ON");
    w().frmBV8_Init();
    Cmds want{"G00", "I14"};
    for (const auto& i : items(21, 24)) want.push_back(i);
    EXPECT_EQ(sent(), want);
    EXPECT_EQ(w().lblV_Unit->caption(), "BV8");
    EXPECT_TRUE(w().optKeepOn->value());
    EXPECT_TRUE(w().optKeepOn->enabled());
    EXPECT_EQ(rows().substr(12), ".. .. .. ..");  // rows 5..8 not read
    EXPECT_EQ(rows().substr(0, 11).find('.'), std::string::npos);
    EXPECT_EQ(w().lblChNo(1).caption(), "CH 0");
    EXPECT_EQ(w().lblChNo(8).caption(), "CH 7");

    // Monitoring reads all eight rows, after the maintenance switch.
    unit->clearLog();
    w().ReadingData();
    want = {"G00", "I01", "DF"};
    for (const auto& i : items(21, 28)) want.push_back(i);
    EXPECT_EQ(sent(), want);
    EXPECT_EQ(rows().find('.'), std::string::npos);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(BV8Test, MonitoringRefreshesTheExtensionPoints) {
    start("J6S-BV8", "DI");
    setItem("12", "xC003");
    w().frmBV8_Init();
    EXPECT_EQ(lamps(w().txtChData), "GGRRRRRRRRRRRRGG");
    setItem("12", "x00F0");
    unit->clearLog();
    w().ReadingData();
    Cmds want{"G00", "I01", "DF", "G00", "I12"};
    for (const auto& i : items(21, 28)) want.push_back(i);
    EXPECT_EQ(sent(), want);
    EXPECT_EQ(lamps(w().txtChData), "RRRRGGGGRRRRRRRR");
}

// The design has eight rows: a larger channel count reads eight.
TEST_F(BV8Test, ChannelCountAboveEightReadsEightRows) {
    start("J6P-BV8", "VQ", 16);
    w().frmBV8_Init();
    Cmds want{"G00", "I14"};
    for (const auto& i : items(21, 28)) want.push_back(i);
    EXPECT_EQ(sent(), want);
}

TEST_F(BV8Test, UnansweredHoldLeavesTheEditsOff) {
    start("J6P-BV8");
    emptyReplyTo("I14");
    w().frmBV8_Init();
    EXPECT_FALSE(w().optKeepOn->enabled());
    EXPECT_FALSE(w().optKeepOff->enabled());
    EXPECT_EQ(rows(), ".. .. .. .. .. .. .. ..");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(g.Connected);
    w().txt_able(true);  // Stop or Disconnect
    EXPECT_TRUE(w().optKeepOn->enabled());
}

// No answer, a refusal or an item that does not apply says nothing about a channel: its row
// keeps what it showed.
TEST_F(BV8Test, RowsWithoutAStateKeepTheirWords) {
    start("J6P-BV8");
    for (int i = 21; i <= 28; ++i) setItem(std::to_string(i), "11");
    w().ReadingData();
    ASSERT_EQ(rows(), "gg gg gg gg gg gg gg gg");
    setItem("21", "00");
    emptyReplyTo("I22");
    unit->profile().refuse("00", "23");
    unit->faults().needless.insert({"00", "24"});
    w().ReadingData();
    EXPECT_EQ(rows(), "RR gg gg gg gg gg gg gg");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(g.Connected);
}

class MXJ16Test : public DiscreteFixture {
  protected:
    modules::MXJ16Window& w() { return modules::frmMXJ16(); }
    std::string rows() { return states(w().txtDICh, w().txtDOCh); }
    // "M" maintained, "m" momentary, "." neither, for pairs 0/1 .. 6/7.
    std::string modes() {
        std::string s;
        const platform::Control* opts[4][2] = {{w().optOut1, w().optOut2},
                                               {w().optOut3, w().optOut4},
                                               {w().optOut5, w().optOut6},
                                               {w().optOut7, w().optOut8}};
        for (const auto& p : opts) {
            s += p[0]->value() && !p[1]->value()   ? 'M'
                 : !p[0]->value() && p[1]->value() ? 'm'
                                                   : '.';
        }
        return s;
    }
};

TEST_F(MXJ16Test, UploadReadsHoldThenModes) {
    start("J6S-MXJ16", "DO");
    setItem("12", "x0001");
    setItem("14", "ON");
    setItem("16", "0");
    setItem("17", "1");
    setItem("18", "00");
    setItem("19", "CNG");
    w().frmMXJ16_Init();
    EXPECT_EQ(sent(), (Cmds{"G00", "I12", "G00", "I14", "G00", "I16", "G00", "I17", "G00", "I18",
                            "G00", "I19"}));
    EXPECT_EQ(w().lblV_Unit->caption(), "MXJ16");
    EXPECT_TRUE(w().optKeepOn->value());
    EXPECT_EQ(modes(), "Mmmm");  // only "0" is maintained
    EXPECT_EQ(lamps(w().txtChData), "GRRRRRRRRRRRRRRR");
    EXPECT_EQ(w().lblChNo(1).caption(), "CH: 0");
    EXPECT_EQ(w().optOut1->caption(), "Mainteined");
}

TEST_F(MXJ16Test, UploadStopsAtTheFirstUnansweredRead) {
    start("J6S-MXJ16");
    setItem("14", "OFF");
    setItem("16", "1");
    for (auto* o : {w().optOut1, w().optOut3, w().optOut5, w().optOut7}) o->setValue(true);
    emptyReplyTo("I17");
    w().frmMXJ16_Init();
    const Cmds cmds = sent();
    EXPECT_EQ(cmds.back(), "I17");
    EXPECT_EQ(std::count(cmds.begin(), cmds.end(), "I18"), 0);
    EXPECT_TRUE(w().optKeepOff->value());
    EXPECT_EQ(modes(), "mMMM");  // pair 0/1 read, the others as they were
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(g.Connected);
}

TEST_F(MXJ16Test, DownloadWritesHoldThenModes) {
    start("J6S-MXJ16");
    w().optKeepOff->setValue(true);
    w().optOut1->setValue(true);
    for (auto* o : {w().optOut4, w().optOut6, w().optOut8}) o->setValue(true);
    w().frmMXJ16_Download();
    EXPECT_EQ(sent(), (Cmds{"G00", "I14", "D1", "G00", "I16", "D0", "G00", "I17", "D1", "G00",
                            "I18", "D1", "G00", "I19", "D1"}));
    EXPECT_EQ(unit->profile().value("00", "17"), "1");
}

// A refused write is noted under its frame's caption and the download goes on; a write left
// without any answer ends it there.
TEST_F(MXJ16Test, DownloadGoesOnPastARefusalAndStopsAtSilence) {
    const struct {
        const char* what;
        const char* item;  // the write that goes wrong
        bool silent;       // no answer at all (else refused)
        int modeWrites;    // mode items the unit received
        std::vector<std::string> refused;
    } cases[] = {
        {"hold refused", "14", false, 4, {"Output Hold/Clear"}},
        {"pair 0/1 refused", "16", false, 4, {"CH 0/1 Output Mode"}},
        {"pair 4/5 refused", "18", false, 4, {"CH 4/5 Output Mode"}},
        {"hold unanswered", "14", true, 0, {}},
        {"pair 0/1 unanswered", "16", true, 1, {}},
        {"pair 4/5 unanswered", "18", true, 3, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        start("J6S-MXJ16");
        w().optKeepOn->setValue(true);
        w().optOut1->setValue(true);
        w().optOut3->setValue(true);
        w().optOut5->setValue(true);
        w().optOut7->setValue(true);
        if (c.silent)
            unit->faults().replies["I" + std::string(c.item)] = "";
        else
            unit->profile().find("00", c.item)->writable = false;  // the data is refused
        w().frmMXJ16_Download();
        const Cmds cmds = sent();
        int modes = 0;
        for (const auto& i : items(16, 19)) modes += std::count(cmds.begin(), cmds.end(), i) > 0;
        EXPECT_EQ(modes, c.modeWrites);
        EXPECT_EQ(std::count(cmds.begin(), cmds.end(), "I" + std::string(c.item)), 4);
        EXPECT_EQ(core::DownloadUnitGone(), c.silent);
        EXPECT_EQ(core::DownloadRefusals(), c.refused);
        EXPECT_TRUE(host.messages.empty());
        restart();
    }
}

TEST_F(MXJ16Test, MonitoringShowsStatesInTheirColours) {
    start("J6S-MXJ16", "DI");
    const char* values[8] = {"1;0", "0;1", "1;1", "0;0", "x;1", "1;", "01;1", "0;1"};
    for (int i = 0; i < 8; ++i) setItem(std::to_string(21 + i), values[i]);
    w().ReadingData();
    Cmds want{"G00", "I01", "DF"};  // no extension refresh here
    for (const auto& i : items(21, 28)) want.push_back(i);
    EXPECT_EQ(sent(), want);
    EXPECT_EQ(rows(), "rG Gr rr GG Gr rG Gr Gr");
}

TEST_F(MXJ16Test, AValueNotOfTwoFieldsEndsThePassSilently) {
    for (const std::string bad : {"1;1;0", "1", "CNG"}) {
        SCOPED_TRACE(bad);
        start("J6S-MXJ16");
        for (int i = 21; i <= 28; ++i) setItem(std::to_string(i), "1;1");
        setItem("23", bad);
        if (bad == "CNG") unit->profile().refuse("00", "23");
        w().ReadingData();
        const Cmds cmds = sent();
        EXPECT_EQ(cmds.back(), "I23");
        EXPECT_EQ(rows(), "rr rr .. .. .. .. .. ..");
        EXPECT_TRUE(host.messages.empty());
        EXPECT_TRUE(g.Connected);
        restart();
    }
}

TEST_F(MXJ16Test, UnansweredStateEndsMonitoringWithAMessage) {
    start("J6S-MXJ16");
    for (int i = 21; i <= 28; ++i) setItem(std::to_string(i), "0;0");
    emptyReplyTo("I24");
    g.Monitoring = true;
    w().ReadingData();
    expectOnlyMessage("Uploading incomplete", "Uploading");
    EXPECT_FALSE(g.Connected);
    EXPECT_FALSE(g.Monitoring);
    EXPECT_EQ(rows(), "GG GG GG .. .. .. .. ..");

    // Not connected: the pass ends without a word.
    host.messages.clear();
    core::OpenPort();
    w().ReadingData();
    EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace dunax::testing
