// The thermocouple, RTD and thermistor windows against the simulated unit: what they send and
// in which order, what they show (lists, type texts, spans, units, status boxes), their check,
// and how they deal with silence and odd replies.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/connection.h"
#include "core/dispatch.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/main_window.h"
#include "core/module_window.h"
#include "core/tables.h"
#include "core/text.h"
#include "modules/analog_in/frm_bj4.h"
#include "modules/analog_in/frm_qn4.h"
#include "modules/analog_in/frm_zp4.h"
#include "modules/register.h"
#include "platform/color.h"
#include "sim/profile_temperature.h"
#include "support/layout_check.h"
#include "support/unit_fixture.h"

namespace dunax {
namespace {

using core::g;
using modules::TemperatureWindow;
using platform::color::InfoBackground;
using platform::color::Red;
using Cmds = std::vector<std::string>;

// What sets the three windows apart, as the tests see it.
struct Model {
    std::string code;  // "BJ4"
    int number;        // model number
    int typeRows;      // rows of the type list
    bool reselect;     // list reads select the channel group again
    bool typeFirst;    // download writes type and unit before the parameters
    bool page2Usable;  // Setting 2 usable while uploading
};
const std::vector<Model> kModels{
    {"BJ4", 1, 13, true, false, false},
    {"QN4", 2, 9, false, false, true},
    {"ZP4", 11, 1, false, true, true},
};

// The commands of one channel's upload.
void uploadChannel(Cmds& c, const Model& m, int ch) {
    const std::string grp = "G" + std::to_string(ch);
    c.push_back(grp);
    for (const char* i : {"I20", "I21", "I22", "I23", "I24", "I25"}) c.push_back(i);
    for (const char* i : {"I04", "I09", "I03"}) {
        if (m.reselect) c.push_back(grp);
        c.push_back(i);
    }
}

class TemperatureTest : public testing::UnitFixture {
  protected:
    void start(const sim::TemperatureUnit& u) {
        useProfile(sim::makeTemperatureUnit(u));
        connectAs(u.modelName, u.channels, u.extModule);
    }
    // A unit of model m on CC-Link.
    void start(const Model& m, std::vector<int> types = {0}, std::vector<char> units = {'C'}) {
        start({"J6P-" + m.code, 4, " 1.05", "VQ", std::move(types), std::move(units), "UP", -1});
    }

    void TearDown() override {
        modules::frmBJ4.reset();
        modules::frmQN4.reset();
        modules::frmZP4.reset();
        UnitFixture::TearDown();
    }

    TemperatureWindow& w() {
        switch (g.ModelNum) {
            case 1:
                return modules::frmBJ4();
            case 2:
                return modules::frmQN4();
            default:
                return modules::frmZP4();
        }
    }
    void setValue(const std::string& group, const std::string& item, const std::string& v) {
        unit->profile().find(group, item)->value = v;
    }
};

TEST_F(TemperatureTest, UploadReadsInOrderAndShowsEverything) {
    for (const Model& m : kModels) {
        SCOPED_TRACE(m.code);
        const std::vector<int> types =
            m.code == "ZP4" ? std::vector<int>{0} : std::vector<int>{0, 2, 3, 1};
        start({"J6P-" + m.code, 4, " 1.05", "DI", types, {'C', 'F', 'K', 'C'}, "DOWN", -1});
        w().Init();

        Cmds want{"G00", "I12", "G00", "I09", "G00", "I14", "G01", "I05"};
        for (int ch = 1; ch <= 4; ++ch) uploadChannel(want, m, ch);
        EXPECT_EQ(sent(), want);

        const core::TempRangeTable& table = m.code == "BJ4"   ? core::TcRange
                                            : m.code == "QN4" ? core::RtdRange
                                                              : core::ZP4Range;
        const bool mixed = m.code != "ZP4";  // module-wide code 15: each channel by its own
        EXPECT_EQ(w().lblV_Unit->caption(), m.code);
        EXPECT_EQ(w().txtUserBout(0).text(), "DOWN");
        EXPECT_EQ(w().txtZScale(2).text(), "0");
        EXPECT_EQ(w().txtFScale(2).text(), "10000");
        EXPECT_EQ(w().txtGain(2).text(), "1.0000");
        for (int k = 0; k < 4; ++k) {
            SCOPED_TRACE(k);
            const auto ku = static_cast<std::size_t>(k);
            const int unitIndex = std::vector<int>{0, 1, 2, 0}[ku];
            const int type = mixed ? types[ku] : 0;
            EXPECT_EQ(w().cmbUserRange(k).listCount(), m.typeRows);
            EXPECT_EQ(w().cmbUserRange(k).listIndex(), type);
            EXPECT_EQ(w().cmbUserUnit(k).list(), (Cmds{"C", "F", "K"}));
            EXPECT_EQ(w().cmbUserUnit(k).listIndex(), unitIndex);
            const std::string unitLabel = table[static_cast<std::size_t>(unitIndex)].Unit;
            EXPECT_EQ(w().lblZBase_Unit(k).caption(), unitLabel);
            EXPECT_EQ(w().lblFBase_Unit(k).caption(), unitLabel);
            const auto [lo, hi] = sim::temperatureSpan(m.code, type, "CFK"[unitIndex]);
            const std::string span = std::to_string(lo) + " to " + std::to_string(hi);
            EXPECT_EQ(w().lblZTemp(k).caption(), span);
            EXPECT_EQ(w().lblFTemp(k).caption(), span);
            EXPECT_EQ(w().txtZBase(k).text(), std::to_string(lo) + ".0");
            EXPECT_EQ(w().txtFBase(k).text(), std::to_string(hi) + ".0");
            EXPECT_EQ(w().lblType(k).caption(),
                      unit->profile().find(std::to_string(k + 1), "03")->live(0));
            EXPECT_EQ(w().Text1(k).text(), "DOWN");
            EXPECT_TRUE(w().cmbUserUnit(k).enabled());
            EXPECT_TRUE(w().txtZBase(k).enabled());  // the temperatures are the user's
        }
        EXPECT_FALSE(w().txtUserBout(0).enabled());
        EXPECT_FALSE(w().cmdSet1->enabled());
        EXPECT_TRUE(w().cmdSet2->enabled());
        EXPECT_TRUE(w().frmSet1->visible());
        EXPECT_EQ(w().lblV_Ext->caption(), "PY16");
        EXPECT_FALSE(loadingUp());
        EXPECT_TRUE(host.messages.empty());
        restart();
    }
}

// The type and unit replies as the unit may give them, and what the channel then shows.
TEST_F(TemperatureTest, TypeUnitAndSpanFromTheReplies) {
    struct Case {
        std::string model, moduleCode;  // module-wide type (item 09 of group 00)
        std::string ch1Unit, ch1Type, ch2Unit, ch2Type;
        int ch1Index, ch1UnitIndex, ch2Index, ch2UnitIndex;
        std::string ch1Span, ch2Span, ch2UnitLabel;
    };
    const std::vector<Case> cases{
        // Each channel by its own type under code 15; the module's type otherwise.
        {"BJ4", "F", "C", "2", "C", "5", 2, 0, 5, 0, "-260 to 1300", "-100 to 1860", "deg C"},
        {"BJ4", "3", "C", "2", "C", "5", 2, 0, 5, 0, "-272 to 500", "-272 to 500", "deg C"},
        {"BJ4", "F", "C", "C", "C", "A", 12, 0, 10, 0, "-52 to 1860", "-252 to 1000", "deg C"},
        {"BJ4", "F", "F", "10", "K", "7", 10, 1, 7, 2, "-422 to 1832", "221 to 2689", "K"},
        // No row for 13: no selection, the table's span of 13 (0 to 0).
        {"BJ4", "F", "C", "13", "C", "0", -1, 0, 0, 0, "0 to 0", "-272 to 1472", "deg C"},
        {"QN4", "F", "K", "0", "K", "5", 0, 2, 5, 2, "33 to 1173", "61 to 585", "K"},
        {"QN4", "F", "C", "6", "F", "8", 6, 0, 8, 1, "0 to 0", "-148 to 392", "deg F"},
        // A letter the list does not know keeps the previous channel's unit.
        {"QN4", "F", "X", "0", "Z", "0", 0, 0, 0, 0, "-240 to 900", "-240 to 900", "deg C"},
        {"QN4", "F", "K", "0", "CNG", "0", 0, 2, 0, 0, "33 to 1173", "-240 to 900", "deg C"},
        {"QN4", "F", "F", "1", "NEEDLESS", "1", 1, 1, 1, 1, "-400 to 1652", "-400 to 1652",
         "deg F"},
        // A refusal as a type is code 0.
        {"QN4", "F", "C", "CNG", "C", "NEEDLESS", 0, 0, 0, 0, "-240 to 900", "-240 to 900",
         "deg C"},
        {"ZP4", "0", "F", "0", "K", "0", 0, 1, 0, 2, "-58 to 230", "223 to 383", "K"},
        // The thermistor table has type 0 only: a type the window has no row or span for.
        {"ZP4", "F", "C", "0", "C", "1", 0, 0, -1, 0, "-50 to 110", "", "deg C"},
        {"ZP4", "4", "C", "0", "C", "0", 0, 0, 0, 0, "", "", "deg C"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model + " " + c.moduleCode + " " + c.ch1Unit + c.ch1Type + " " + c.ch2Unit +
                     c.ch2Type);
        start({"J6P-" + c.model, 2, " 1.05", "VQ", {0}, {'C'}, "UP", -1});
        setValue("00", "09", c.moduleCode);
        setValue("1", "04", c.ch1Unit);
        setValue("1", "09", c.ch1Type);
        setValue("2", "04", c.ch2Unit);
        setValue("2", "09", c.ch2Type);
        w().Init();
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(w().cmbUserRange(0).listIndex(), c.ch1Index);
        EXPECT_EQ(w().cmbUserUnit(0).listIndex(), c.ch1UnitIndex);
        EXPECT_EQ(w().cmbUserRange(1).listIndex(), c.ch2Index);
        EXPECT_EQ(w().cmbUserUnit(1).listIndex(), c.ch2UnitIndex);
        EXPECT_EQ(w().lblZTemp(0).caption(), c.ch1Span);
        EXPECT_EQ(w().lblFTemp(0).caption(), c.ch1Span);
        EXPECT_EQ(w().lblZTemp(1).caption(), c.ch2Span);
        EXPECT_EQ(w().lblFBase_Unit(1).caption(), c.ch2UnitLabel);
        restart();
    }
}

TEST_F(TemperatureTest, RefusedTextsAreShownAsTheyCome) {
    start(kModels[1]);
    unit->profile().refuse("1", "03");
    unit->profile().refuse("01", "05");  // the burnout direction
    w().Init();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(w().lblType(0).caption(), "CNG");
    EXPECT_EQ(w().txtUserBout(0).text(), "CNG");
    EXPECT_EQ(w().Text1(3).text(), "CNG");
}

TEST_F(TemperatureTest, DownloadWritesInTheModelsOrder) {
    for (const Model& m : kModels) {
        SCOPED_TRACE(m.code);
        start(m);
        w().Init();
        w().txtBias(1).setText("-1.50");
        w().txtFBase(1).setText("99.5");
        w().cmbUserUnit(1).setListIndex(2);
        w().cmbUserRange(1).setListIndex(m.typeRows - 1);
        w().optKeepOn->setValue(true);
        unit->clearLog();

        w().Download();

        Cmds want;
        for (int ch = 1; ch <= 4; ++ch) {
            const bool two = ch == 2;
            const std::string type = two ? std::to_string(m.typeRows - 1) : "0";
            const std::string unitIndex = two ? "2" : "0";
            const auto [lo, hi] = sim::temperatureSpan(m.code, 0, 'C');
            const Cmds params{"0",
                              "10000",
                              two ? "-1.50" : "0.00",
                              "1.0000",
                              std::to_string(lo) + ".0",
                              two ? "99.5" : std::to_string(hi) + ".0"};
            Cmds lists{"I09", "D" + type, "I04", "D" + unitIndex};
            Cmds body;
            for (int p = 0; p < 6; ++p) {
                body.push_back("I" + std::to_string(20 + p));
                body.push_back("D" + params[static_cast<std::size_t>(p)]);
            }
            want.push_back("G" + std::to_string(ch));
            if (m.typeFirst) {
                want.insert(want.end(), lists.begin(), lists.end());
                want.insert(want.end(), body.begin(), body.end());
            } else {
                want.insert(want.end(), body.begin(), body.end());
                want.insert(want.end(), lists.begin(), lists.end());
            }
        }
        want.insert(want.end(), {"G00", "I14", "D0"});
        EXPECT_EQ(sent(), want);
        EXPECT_EQ(unit->profile().value("2", "04"), "K");
        EXPECT_EQ(unit->profile().value("2", "25"), "99.5");
        EXPECT_EQ(unit->profile().value("00", "14"), "ON");
        EXPECT_FALSE(w().txtZScale(0).enabled());
        EXPECT_FALSE(w().cmbUserUnit(0).enabled());
        EXPECT_FALSE(w().cmdSet1->enabled() || w().cmdSet2->enabled());
        EXPECT_FALSE(loadingUp());
        restart();
    }
}

// A list without a selection is never written (no "-1"), and the check refuses it first.
TEST_F(TemperatureTest, AListWithoutASelectionIsNeverWritten) {
    for (const Model& m : kModels) {
        SCOPED_TRACE(m.code);
        start(m);
        w().Init();
        w().cmbUserRange(0).setListIndex(-1);
        w().cmbUserUnit(1).setListIndex(-1);
        EXPECT_TRUE(w().CheckData());  // lists without a selection are left out, not refused
        unit->clearLog();
        w().Download();
        const Cmds cmds = sent();
        EXPECT_EQ(std::count(cmds.begin(), cmds.end(), "D-1"), 0);
        EXPECT_EQ(std::count(cmds.begin(), cmds.end(), "I09"), 3);
        EXPECT_EQ(std::count(cmds.begin(), cmds.end(), "I04"), 3);
        // Every channel's writes still start with its own group.
        for (const char* grp : {"G1", "G2", "G3", "G4"})
            EXPECT_EQ(std::count(cmds.begin(), cmds.end(), grp), 1) << grp;
        EXPECT_EQ(cmds[0], "G1");
        EXPECT_EQ(unit->profile().value("1", "09"), "0");
        restart();
    }
}

TEST_F(TemperatureTest, ThermistorListHoldsOneRowAfterEveryUploadAndWritesZero) {
    start(kModels[2]);
    w().Init();
    w().cmbUserRange(0).addItem("extra");
    w().Init();
    EXPECT_EQ(w().cmbUserRange(0).listCount(), 1);
    unit->clearLog();
    w().Download();
    const Cmds cmds = sent();
    for (std::size_t i = 0; i + 1 < cmds.size(); ++i) {
        if (cmds[i] == "I09") {
            EXPECT_EQ(cmds[i + 1], "D0");
        }
    }
}

TEST_F(TemperatureTest, RtdSeparatorRowIsWrittenAsItStands) {
    start(kModels[1], {6, 0, 0, 0});
    w().Init();
    EXPECT_EQ(w().cmbUserRange(0).listIndex(), 6);
    EXPECT_TRUE(w().CheckData());  // no check stops a separator row
    w().cmbUserRange(1).setListIndex(7);
    unit->clearLog();
    w().Download();
    const Cmds cmds = sent();
    EXPECT_NE(std::find(cmds.begin(), cmds.end(), "D6"), cmds.end());
    EXPECT_NE(std::find(cmds.begin(), cmds.end(), "D7"), cmds.end());
}

TEST_F(TemperatureTest, CheckRules) {
    struct Case {
        std::string zs, bias, zt, ft;
        bool ok;
        std::string zsAfter;
    };
    const std::vector<Case> cases{
        {"0", "0.00", "-50.0", "110.0", true, "0"},
        {"12.5", "320", "123456", "-99999", true, "12"},  // temperatures only need be numbers
        {"1.5", "0", "abc", "110", false, "1.5"},         // refused before any rewriting
        {"1.5", "0", "0", "", false, "1.5"},
        {"32000.1", "0", "0", "0", false, "32000.1"},
        {"0", "320.01", "0", "0", false, "0"},
    };
    start(kModels[2]);
    w().Init();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zs + " " + c.bias + " " + c.zt + " " + c.ft);
        w().txtZScale(3).setText(c.zs);
        w().txtBias(3).setText(c.bias);
        w().txtZBase(3).setText(c.zt);
        w().txtFBase(3).setText(c.ft);
        EXPECT_EQ(w().CheckData(), c.ok);
        EXPECT_EQ(w().txtZScale(3).text(), c.zsAfter);
    }
    g.ChCount = 0;
    EXPECT_FALSE(w().CheckData());
}

TEST_F(TemperatureTest, StatusBoxesFollowTheSixthCharacter) {
    struct Case {
        std::string reply;                     // reply to item 04 of group 00
        std::vector<platform::Color> colours;  // of Text1(0..3) afterwards
    };
    const platform::Color I = InfoBackground, R = Red, O = 0x123456;  // O: left as it was
    const std::vector<Case> cases{
        {"0STATUS:000005", {R, I, R, I}},
        {"0STATUS:000000", {I, I, I, I}},
        {"0STATUS:00000F", {R, R, R, R}},
        {"0STATUS:000008FF", {I, I, I, R}},
        {"0STATUS:00000a", {O, O, O, O}},
        {"0STATUS:00005", {O, O, O, O}},
        {"CNG", {O, O, O, O}},
        {"CNU", {O, O, O, O}},  // "NEEDLESS" carries no status bits
        {"", {O, O, O, O}},
    };
    start({"J6P-BJ4", 2, " 1.05", "VQ", {0}, {'C'}, "UP", -1});
    w().Init();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        for (int k = 0; k < 4; ++k) w().Text1(k).setBackColor(O);  // all four, also CH 2, 3
        unit->faults().replies["I04"] = c.reply;
        w().ShowChannelStatusLamps();
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(w().Text1(k).backColor(), c.colours[static_cast<std::size_t>(k)]) << k;
    }
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(g.Connected);
}

// One pass: values, status boxes, extension points; the sensor that opens shows on its box
// and in its value, and the values move with time.
TEST_F(TemperatureTest, MonitoringPassOverTime) {
    start({"J6U-QN4", 4, " 1.05", "DO", {0, 5, 8, 2}, {'C', 'K', 'C', 'F'}, "UP", 3});
    w().Init();
    unit->clearLog();
    w().ReadingData();
    EXPECT_EQ(sent(), (Cmds{"G00", "I21", "G00", "I22", "G00", "I23", "G00", "I24", "G00", "I04",
                            "G00", "I12"}));
    const std::string first = w().txtParData(0).text();
    EXPECT_TRUE(core::IsNumeric(first));
    EXPECT_EQ(first.find('.'), std::string::npos);  // shown in tenths, without the point
    for (int k = 0; k < 4; ++k) EXPECT_EQ(w().Text1(k).backColor(), InfoBackground);

    host.advance(12000);  // CH 3's sensor is open from 10 s to 20 s
    w().ReadingData();
    EXPECT_NE(w().txtParData(0).text(), first);
    EXPECT_EQ(w().Text1(3).backColor(), Red);
    EXPECT_EQ(w().Text1(2).backColor(), InfoBackground);
    // Upscale burnout: the top of the JPt100 span in degrees Fahrenheit, in tenths.
    EXPECT_EQ(w().txtParData(3).text(), "10400");
    EXPECT_EQ(w().Text1(3).text(), "UP");

    // Extension points: a refusal or "NEEDLESS" leaves the points as they are.
    for (const char* reply : {"CNG", "CNU"}) {
        for (int i = 0; i < 16; ++i) w().txtChData(i).setBackColor(0x123456);
        unit->faults().replies["I12"] = reply;
        w().ReadingData();
        for (int i = 0; i < 16; ++i) EXPECT_EQ(w().txtChData(i).backColor(), 0x123456u) << i;
    }
    EXPECT_TRUE(host.messages.empty());
}

// An upload that cannot read what it needs says so and disconnects, wherever it stops; what
// was read before stays, the channels not reached keep what they showed.
TEST_F(TemperatureTest, UploadThatStopsEarlyIsReportedAndDisconnects) {
    struct Case {
        std::string what;
        int channel;  // 0: a module-wide read
        int step;     // the index of the unanswered read within the module part or channel
    };
    // Module part: G00 I09 G00 I14 G01 I05 (reads at 2, 4, 6). Channel: the parameters, then
    // 04, 09, 03.
    const std::vector<Case> cases{
        {"range code", 0, 2}, {"hold", 0, 4},      {"burnout", 0, 6},         {"CH 2 gain", 3, 5},
        {"CH 2 unit", 3, 8},  {"CH 2 type", 3, 9}, {"CH 2 type text", 3, 10},
    };
    for (const Model& m : kModels) {
        for (const Case& c : cases) {
            SCOPED_TRACE(m.code + " " + c.what);
            // A complete first upload with other values, so that leftovers can be told.
            start(m);
            w().Init();
            for (int ch = 1; ch <= 4; ++ch) {
                const std::string grp = std::to_string(ch);
                setValue(grp, "04", "K");
                setValue(grp, "21", "20000");
            }
            unit->clearLog();

            const int perChannel = m.reselect ? 13 : 10;
            std::size_t at = static_cast<std::size_t>(c.step);
            if (c.channel > 0) {
                // Within a channel, the list reads move one place per group command before them.
                int s = c.step;
                if (m.reselect && s >= 8) s += (s - 7);
                at = 6 + static_cast<std::size_t>((c.channel - 1) * perChannel + s);
            }
            unit->faults().silentFrom = at;
            w().Init();

            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_EQ(host.messages[0].text, "Upload Error");
            EXPECT_EQ(host.messages[0].title, "Upload");
            EXPECT_FALSE(g.Connected);
            EXPECT_FALSE(loadingUp());
            EXPECT_EQ(sent().size(), at - 1 + 4);  // four tries of the silent read, no more
            EXPECT_FALSE(w().txtBias(0).enabled());
            EXPECT_FALSE(w().cmbUserUnit(0).enabled());
            // CH 0 and 1 read again; CH 3 never reached.
            const bool channelsReached = c.channel > 0;
            EXPECT_EQ(w().txtFScale(1).text(), channelsReached ? "20000" : "10000");
            EXPECT_EQ(w().lblZBase_Unit(1).caption(), channelsReached ? "K" : "deg C");
            EXPECT_EQ(w().txtFScale(3).text(), "10000");
            EXPECT_EQ(w().lblZBase_Unit(3).caption(), "deg C");
            if (c.what == "CH 2 type") {
                // The unit came before the type: labels in K, span still the old one.
                EXPECT_EQ(w().lblZBase_Unit(2).caption(), "K");
                const auto [lo, hi] = sim::temperatureSpan(m.code, 0, 'C');
                EXPECT_EQ(w().lblZTemp(2).caption(),
                          std::to_string(lo) + " to " + std::to_string(hi));
            }
            restart();
        }
    }
}

// The thermocouple window keeps Setting 2 off while it uploads; the others let it be clicked.
TEST_F(TemperatureTest, PageTwoDuringTheUpload) {
    for (const Model& m : kModels) {
        SCOPED_TRACE(m.code);
        start(m);
        bool enabledWhileUploading = false;
        host.soon([&] {
            enabledWhileUploading = w().cmdSet2->enabled();
            if (enabledWhileUploading) platform::userClick(*w().cmdSet2);
        });
        w().Init();
        EXPECT_EQ(enabledWhileUploading, m.page2Usable);
        EXPECT_EQ(w().txtZScale(3).text(), "0");  // the upload went on to its end
        EXPECT_TRUE(w().cmdSet2->enabled());
        // The click made while an exchange ran is handled once the events run again.
        host.doEvents();
        EXPECT_EQ(w().frmSet2->visible(), m.page2Usable);
        EXPECT_EQ(w().cmdSet1->enabled(), m.page2Usable);
        EXPECT_NE(w().cmdSet2->enabled(), m.page2Usable);
        restart();
    }
}

TEST_F(TemperatureTest, EditSwitchAndChannelCount) {
    start({"J6P-BJ4", 2, " 1.05", "VQ", {4}, {'C'}, "UP", -1});
    w().Init();
    Cmds want{"G00", "I09", "G00", "I14", "G01", "I05"};
    uploadChannel(want, kModels[0], 1);
    uploadChannel(want, kModels[0], 2);
    EXPECT_EQ(sent(), want);
    EXPECT_EQ(w().Text1(2).text(), "");  // a channel the unit does not have

    w().txt_able(false);
    for (auto* arr : {&w().txtZScale, &w().txtFScale, &w().txtBias, &w().txtGain, &w().txtZBase,
                      &w().txtFBase, &w().cmbUserRange, &w().cmbUserUnit}) {
        EXPECT_FALSE((*arr)(1).enabled());
        EXPECT_TRUE((*arr)(2).enabled());
    }
    EXPECT_FALSE(w().optKeepOn->enabled());
    w().txt_able(true);
    EXPECT_TRUE(w().txtFBase(1).enabled());
    EXPECT_FALSE(w().txtUserBout(0).enabled());
}

TEST_F(TemperatureTest, RangeItemAndHoldByNetwork) {
    struct Case {
        std::string model, rangeItem;
        bool hold;
    };
    const std::vector<Case> cases{
        {"J6XN-BJ4", "I08", false},  // the variants report their type as item 08 on HLS
        {"J6XN-QN4", "I08", false}, {"J6XN-ZP4", "I09", false},
        {"J6YR-QN4", "I09", false}, {"J6S-ZP4", "I09", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        const int type = c.model.find("ZP4") != std::string::npos ? 0 : 1;
        start({c.model, 4, " 1.05", "VQ", {type}, {'C'}, "UP", -1});
        w().Init();
        EXPECT_TRUE(host.messages.empty());
        const Cmds cmds = sent();
        ASSERT_GE(cmds.size(), 2u);
        EXPECT_EQ(cmds[1], c.rangeItem);
        EXPECT_EQ(std::count(cmds.begin(), cmds.end(), "I14"), c.hold ? 1 : 0);
        EXPECT_EQ(w().Frame2->visible(), c.hold);
        unit->clearLog();
        w().Download();
        const Cmds down = sent();
        EXPECT_EQ(std::count(down.begin(), down.end(), "I14"), c.hold ? 1 : 0);
        restart();
    }
}

// The simulated unit's spans are the program's range tables.
TEST(TemperatureSpans, SimulatedUnitAgreesWithTheRangeTables) {
    const std::vector<std::pair<std::string, const core::TempRangeTable*>> tables{
        {"BJ4", &core::TcRange}, {"QN4", &core::RtdRange}, {"ZP4", &core::ZP4Range}};
    for (const auto& [code, table] : tables) {
        const int types = code == "BJ4" ? 13 : code == "QN4" ? 9 : 1;
        for (int u = 0; u < 3; ++u) {
            for (int t = 0; t < types; ++t) {
                const auto [lo, hi] = sim::temperatureSpan(code, t, "CFK"[u]);
                const auto& rec = (*table)[static_cast<std::size_t>(u)];
                EXPECT_EQ(TemperatureWindow::SpanText(*table, u, t),
                          std::to_string(lo) + " to " + std::to_string(hi))
                    << code << " " << t << " " << rec.Unit;
            }
        }
    }
    EXPECT_EQ(TemperatureWindow::SpanText(core::ZP4Range, 0, 1), "");
    EXPECT_EQ(TemperatureWindow::SpanText(core::TcRange, 3, 0), "");
}

// Through the main window: each ready-made unit is uploaded into its window, downloaded and
// read back.
TEST_F(TemperatureTest, MainWindowUploadsAndDownloadsEachModel) {
    modules::RegisterModuleWindows();
    for (const char* name : {"J6S-BJ4+DI", "J6U-QN4+DO", "J6P-ZP4"}) {
        SCOPED_TRACE(name);
        useProfile(*sim::profileFor(name));
        if (std::string(name).find('+') != std::string::npos)
            whenModalClick("frmExtSelect", "Command2");
        core::frmDunax().btnConnect_Click();
        ASSERT_TRUE(g.Connected);
        TemperatureWindow& win = w();
        EXPECT_EQ(core::ModuleWindowFor(g.ModelNum), &win);
        EXPECT_TRUE(win.shown());
        EXPECT_TRUE(host.messages.empty());
        EXPECT_FALSE(win.txtParData(0).text().empty());  // the first monitoring pass ran

        win.txtGain(0).setText("1.25");
        win.cmbUserUnit(0).setListIndex(1);
        core::frmDunax().btnDownload_Click();
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(unit->profile().value("1", "23"), "1.25");
        EXPECT_EQ(win.lblZBase_Unit(0).caption(), "deg F");  // read back
        EXPECT_TRUE(win.txtGain(0).enabled());
        restart();
        modules::RegisterModuleWindows();
    }
}

// Every control inside its container, no two controls of one container overlapping, every box
// named for screen readers, every caption fitting.
TEST_F(TemperatureTest, LayoutKeepsControlsApartInsideAndNamed) {
    for (const Model& m : kModels) {
        SCOPED_TRACE(m.code);
        start({"J6P-" + m.code, 4, " 1.05", "DI", {0}, {'C'}, "DOWN", -1});
        w().Init();
        testing::expectTidy(w());
        EXPECT_EQ(w().find("Text1", 2)->accessibleName(), "CH 2 Status");
        EXPECT_EQ(w().find("cmbUserUnit", 1)->accessibleName(), "CH 1 Temp Unit");
        restart();
    }
}

}  // namespace
}  // namespace dunax
