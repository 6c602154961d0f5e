// The bit-image display and the discrete windows that show bits: the 16- and 8-point output
// windows (with hold and the reply delay) and the discrete input windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/module_window.h"
#include "discrete_fixture.h"
#include "modules/discrete_counter/bit_image.h"
#include "modules/register.h"
#include "support/layout_check.h"

namespace dunax::testing {
namespace {

using core::g;
using modules::DiscreteWindow;

// A row of sixteen lamps, for the display routine alone.
struct LampForm : platform::Form {
    LampForm() : Form("frmLamps") {
        for (int n = 0; n < 16; ++n) add(platform::Kind::TextBox, "txtCData", n, nullptr, boxes);
    }
    platform::ControlArray boxes;
};

TEST(BitImage, HexToLampsPerVariant) {
    const struct {
        const char* form;
        const char* hex;
        const char* lamps;  // box 0 first
    } cases[] = {
        {"frmMX16", "12F0", "RRRRGGGGRGRRGRRR"},
        {"frmMX16", "12f0", "RRRR....RGRRGRRR"},   // lower case leaves its four boxes
        {"frmMX16", "5", "............GRGR"},      // one digit drives boxes 12..15 only
        {"frmMX16", "12F0E", "RRRRGGGGRGRRGRRR"},  // past the fourth digit: ignored
        {"frmMX16", " 1 2", "RGRR....GRRR...."},
        {"frmJR16", "FFFF", "GGGGGGGGGGGGGGGG"},
        {"frmJR8Y", "5", "................"},  // reads digits 3 and 4 only
        {"frmJR8Y", "12F0", "RRRRGGGG........"},
        {"frmJR8U", "0081", "GRRRRRRGRRRRRRRR"},
        {"frmJR4T", "0081", "GRRRRRRGRRRRRRRR"},  // hidden boxes are coloured too
        {"frmFE8", "A5", "GRGRRGRG........"},
        {"frmJ6UFE8", "A5F", "GRGRRGRG........"},
        {"frmFE16", "", "................"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.form) + " " + c.hex);
        LampForm f;
        blank(f.boxes);
        modules::CDataDisplay(f.boxes, modules::BitImageVariantOf(c.form), c.hex);
        EXPECT_EQ(lamps(f.boxes), c.lamps);
    }
}

TEST(BitImage, OnlyAReplyCarryingAnImageIsPainted) {
    const struct {
        const char* reply;
        bool painted;
        const char* lamps;
    } cases[] = {
        {"DATA:x12F0", true, "RRRRGGGGRGRRGRRR"}, {"DATA:xF", true, "............GGGG"},
        {"CNG", false, "................"},  // "C" is no bit image
        {"NEEDLESS", false, "................"},  {"", false, "................"},
        {"DATA:12F0", false, "................"},  // no "x": "DA" would read as digits
        {"DATA:x", false, "................"},
    };
    const auto& v = modules::BitImageVariantOf("frmMX16");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        LampForm f;
        blank(f.boxes);
        EXPECT_EQ(modules::CDataDisplayReply(f.boxes, v, c.reply), c.painted);
        EXPECT_EQ(lamps(f.boxes), c.lamps);
    }
}

class DiscreteBitsTest : public DiscreteFixture {
  protected:
    DiscreteWindow& win(const std::string& form) {
        if (form == "frmMX16") return modules::frmMX16();
        if (form == "frmJR16") return modules::frmJR16();
        if (form == "frmJR8Y") return modules::frmJR8Y();
        if (form == "frmJR8U") return modules::frmJR8U();
        return modules::frmJR4T();
    }
    modules::MX16Window& mx16() { return modules::frmMX16(); }
    static std::string modelOf(const std::string& form) { return "J6P-" + form.substr(3); }
};

struct BitWindowCase {
    std::string model;
    std::string form;
    Cmds init;  // upload without an extension module
    bool extension;
    int lamps;  // design boxes
    int visible;
    std::string header;
    std::string lampsAfter12F0;
};

const std::vector<BitWindowCase> kBitWindows{
    {"J6P-MX16",
     "frmMX16",
     {"G00", "I14"},
     true,
     16,
     16,
     modules::kPointHeader16,
     "RRRRGGGGRGRRGRRR"},
    {"J6S-MX16H",
     "frmMX16",
     {"G00", "I14", "G00", "I58"},
     true,
     16,
     16,
     modules::kPointHeader16,
     "RRRRGGGGRGRRGRRR"},
    {"J6P-JR16",
     "frmJR16",
     {"G00", "I14"},
     true,
     16,
     16,
     modules::kPointHeader16,
     "RRRRGGGGRGRRGRRR"},
    {"J6S-JR8Y",
     "frmJR8Y",
     {"G00", "I14"},
     true,
     8,
     8,
     "0  1  2  3                4  5  6  7  ",
     "RRRRGGGG"},
    {"J6Q-JR8U",
     "frmJR8U",
     {},
     false,
     16,
     8,
     "0  1  2  3                4  5  6  7    ",
     "RRRRGGGGRGRRGRRR"},
    {"J6U-JR4T", "frmJR4T", {}, false, 16, 4, "0  1  2  3  ", "RRRRGGGGRGRRGRRR"},
};

TEST_F(DiscreteBitsTest, UploadAndMonitoringPassPerWindow) {
    for (const auto& c : kBitWindows) {
        for (const std::string ext : {"VQ", "DI"}) {
            SCOPED_TRACE(c.model + " " + ext);
            start(c.model, ext);
            setItem("21", "x12F0");
            setItem("12", "x8001");
            DiscreteWindow& w = win(c.form);
            blank(w.txtCData);
            w.Init();

            Cmds want = c.init;
            const bool extShown = c.extension && ext != "VQ";
            if (extShown) want.insert(want.begin(), {"G00", "I12"});
            EXPECT_EQ(sent(), want);
            EXPECT_EQ(w.lblV_Unit->caption(), core::AfterHyphen(c.model));
            EXPECT_EQ(w.lblExtIndex(1).caption(), c.header);
            ASSERT_EQ(static_cast<int>(w.txtCData.indices().size()), c.lamps);
            for (int n = 0; n < c.lamps; ++n) EXPECT_EQ(w.txtCData(n).visible(), n < c.visible);
            // The upload leaves the lamps for the monitoring pass.
            EXPECT_EQ(lamps(w.txtCData), std::string(static_cast<std::size_t>(c.lamps), '.'));
            EXPECT_EQ(w.find("txtChData", 0) != nullptr, c.extension);
            if (c.form == "frmMX16") {
                EXPECT_EQ(mx16().Frame3->visible(), c.model == "J6S-MX16H");
            }
            if (extShown) {
                EXPECT_TRUE(w.txtChData(15).visible());
                EXPECT_EQ(lamps(w.txtChData), "GRRRRRRRRRRRRRRG");
                EXPECT_EQ(w.lblV_Ext->caption(), "PY16");
            }

            unit->clearLog();
            w.ReadingData();
            want = {"G00", "I21"};
            if (extShown) want.insert(want.end(), {"G00", "I12"});
            EXPECT_EQ(sent(), want);
            EXPECT_EQ(lamps(w.txtCData), c.lampsAfter12F0);
            EXPECT_TRUE(host.messages.empty());
            restart();
        }
    }
}

TEST_F(DiscreteBitsTest, LampsFollowTheUnitOverTime) {
    start("J6P-MX16");
    mx16().ReadingData();
    const std::string first = lamps(mx16().txtCData);
    host.advance(500);
    mx16().ReadingData();
    EXPECT_NE(lamps(mx16().txtCData), first);
    EXPECT_EQ(lamps(mx16().txtCData).find('.'), std::string::npos);
}

// A refused read or a reply without an image paints no lamp, nor do its extension points.
TEST_F(DiscreteBitsTest, RefusalsAreNotPaintedAsBits) {
    start("J6P-JR16", "DO");
    for (const char* image : {"CNG", "NEEDLESS", "DATA:12F0"}) {
        SCOPED_TRACE(image);
        unit->faults().needless.clear();
        unit->profile().find("00", "21")->refused = false;
        unit->profile().find("00", "12")->refused = false;
        if (std::string(image) == "CNG") {
            unit->profile().refuse("00", "21").refuse("00", "12");
        } else if (std::string(image) == "NEEDLESS") {
            unit->faults().needless = {{"00", "21"}, {"00", "12"}};
        } else {
            setItem("21", image);
            setItem("12", image);
        }
        blank(modules::frmJR16().txtCData);
        blank(modules::frmJR16().txtChData);
        modules::frmJR16().ReadingData();
        EXPECT_EQ(lamps(modules::frmJR16().txtCData), "................");
        EXPECT_EQ(lamps(modules::frmJR16().txtChData), "................");
    }
}

// Only "ON" reads as Output Hold; a download writes "0" for hold and "1" for clear.
TEST_F(DiscreteBitsTest, HoldReadAndWritten) {
    const struct {
        const char* reply;
        bool hold;
    } cases[] = {{"ON", true}, {"OFF", false}, {"CNG", false}, {"NEEDLESS", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        start("J6P-JR16");
        const std::string reply = c.reply;
        if (reply == "CNG")
            unit->profile().refuse("00", "14");
        else if (reply == "NEEDLESS")
            unit->faults().needless.insert({"00", "14"});
        else
            setItem("14", reply);
        auto& w = modules::frmJR16();
        w.optKeepOn->setValue(!c.hold);
        w.Init();
        EXPECT_EQ(w.optKeepOn->value(), c.hold);
        EXPECT_EQ(w.optKeepOff->value(), !c.hold);
        restart();

        start("J6P-JR8Y");
        (c.hold ? modules::frmJR8Y().optKeepOn : modules::frmJR8Y().optKeepOff)->setValue(true);
        modules::frmJR8Y().Download();
        EXPECT_EQ(sent(), (Cmds{"G00", "I14", c.hold ? "D0" : "D1"}));
        EXPECT_EQ(unit->profile().value("00", "14"), c.hold ? "ON" : "OFF");
        restart();
    }
}
TEST_F(DiscreteBitsTest, UnansweredHoldEndsTheUploadSilently) {
    start("J6S-MX16H");
    emptyReplyTo("I14");
    mx16().optKeepOn->setValue(true);
    mx16().Init();
    // Four attempts, then nothing: no reply delay read, no message, no disconnect.
    EXPECT_EQ(sent(), (Cmds{"G00", "I14", "G00", "I14", "G00", "I14", "G00", "I14"}));
    EXPECT_TRUE(mx16().optKeepOn->value());
    EXPECT_FALSE(mx16().Frame3->visible());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(g.Connected);
}

TEST_F(DiscreteBitsTest, ReplyDelayUploadAndDownload) {
    start("J6S-MX16H");
    mx16().Init();
    EXPECT_TRUE(mx16().Frame3->visible());
    EXPECT_EQ(mx16().Text1->text(), "10");

    // The unit echoes what it took; the box shows the echo.
    mx16().Text1->setText("055");
    ASSERT_TRUE(mx16().CheckData());
    unit->clearLog();
    mx16().Download();
    EXPECT_EQ(sent(), (Cmds{"G00", "I14", "D1", "G00", "I58", "D055"}));
    EXPECT_EQ(unit->profile().value("00", "58"), "55");
    EXPECT_EQ(mx16().Text1->text(), "55");
    EXPECT_TRUE(host.messages.empty());
}

// A delay outside 0..100 (or no number at all) is never written: the check refuses it while
// the box is on show, and a download that gets past the check leaves item 58 alone.
TEST_F(DiscreteBitsTest, InvalidReplyDelayIsNotWritten) {
    const struct {
        const char* text;
        bool valid;
    } cases[] = {{"0", true},    {"100", true},   {"7", true},    {"101", false},
                 {"150", false}, {"", false},     {"-5", false},  {"abc", false},
                 {"1e2", false}, {"50.5", false}, {" 50", false}, {"0100", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        start("J6S-MX16H");
        mx16().Init();
        mx16().Text1->setText(c.text);
        EXPECT_EQ(mx16().CheckData(), c.valid);
        unit->clearLog();
        mx16().Download();
        const Cmds cmds = sent();
        EXPECT_EQ(std::count(cmds.begin(), cmds.end(), "I58"), c.valid ? 1 : 0);
        EXPECT_EQ(unit->profile().value("00", "58"),
                  c.valid ? std::to_string(std::stoi(c.text)) : std::string("10"));
        restart();
    }
}

// The unit never answered item 58: the box was never filled and the frame stays hidden, so
// the check lets the hold through and the download writes the hold alone.
TEST_F(DiscreteBitsTest, UnreadReplyDelayIsNeitherCheckedNorWritten) {
    for (const std::string how : {"silent", "CNG", "NEEDLESS"}) {
        SCOPED_TRACE(how);
        start("J6S-MX16H");
        if (how == "silent")
            emptyReplyTo("I58");
        else if (how == "CNG")
            unit->profile().refuse("00", "58");
        else
            unit->faults().needless.insert({"00", "58"});
        mx16().Init();
        EXPECT_FALSE(mx16().Frame3->visible());
        EXPECT_EQ(mx16().Text1->text(), "");
        EXPECT_TRUE(host.messages.empty());
        EXPECT_TRUE(mx16().CheckData());
        unit->clearLog();
        mx16().optKeepOn->setValue(true);
        mx16().Download();
        EXPECT_EQ(sent(), (Cmds{"G00", "I14", "D0"}));
        restart();
    }
}

TEST_F(DiscreteBitsTest, ReplyDelayTypingWarns) {
    const struct {
        const char* text;
        Cmds messages;
    } cases[] = {
        {"150", {"Please enter 0 to 100."}},
        {"100", {}},
        {"0", {}},
        {"", {}},
        {"-5", {"Please enter number."}},
        {"abc", {"Please enter number."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        mx16().Text1->setText("1");
        host.messages.clear();
        mx16().Text1->setText(c.text);
        EXPECT_EQ(messageTexts(), c.messages);
        for (const auto& m : host.messages) {
            EXPECT_EQ(m.icon, platform::Icon::Information);
            EXPECT_EQ(m.title, "");
        }
        EXPECT_EQ(mx16().Text1->text(), c.text);  // left as typed
    }
}

TEST_F(DiscreteBitsTest, ForceOutputButtonsIfTheFrameWereShown) {
    start("J6U-JR16");
    auto& w = modules::frmJR16();
    w.Init();
    EXPECT_FALSE(w.Frame3->visible());
    unit->clearLog();
    EXPECT_EQ(w.Command1->caption(), "Enable ");
    w.Command1_Click();
    EXPECT_EQ(w.Command1->caption(), "Enable");
    EXPECT_FALSE(w.Command2(0).visible());
    w.Command1_Click();
    EXPECT_EQ(w.Command1->caption(), "Disable");
    EXPECT_TRUE(w.Label1->visible());
    EXPECT_TRUE(w.Command2(15).visible());
    EXPECT_EQ(w.Command2(10).caption(), "A");
    // Monitoring start and stop reach the force buttons too.
    w.txt_able(false);
    EXPECT_FALSE(w.Command1->enabled() || w.Command2(15).enabled() || w.optKeepOff->enabled());
    w.txt_able(true);
    EXPECT_TRUE(w.Command1->enabled() && w.Command2(15).enabled() && w.optKeepOff->enabled());
    w.Command2_Click(10);
    const Cmds cmds = sent();
    ASSERT_GE(cmds.size(), 3u);
    EXPECT_EQ(Cmds(cmds.begin(), cmds.begin() + 3), (Cmds{"G01", "I03", "D10"}));
}

// Through the main window: each model reaches its own window, uploaded and shown.
TEST_F(DiscreteBitsTest, MainWindowDispatchesEachModel) {
    const struct {
        const char* model;
        int modelNum;
        const char* form;
    } cases[] = {{"J6P-MX16", 5, "frmMX16"},    {"J6P-JR16", 6, "frmJR16"},
                 {"J6Q-JR8U", 9, "frmJR8U"},    {"J6P-BV8", 16, "frmBV8"},
                 {"J6S-MXJ16", 20, "frmMXJ16"}, {"J6U-JR4T", 25, "frmJR4T"},
                 {"J6S-JR8Y", 27, "frmJR8Y"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.model);
        useProfile(sim::makeDiscreteUnit({c.model, " 1.05", "VQ"}));
        modules::RegisterModuleWindows();
        core::frmDunax().btnConnect_Click();
        EXPECT_TRUE(g.Connected);
        EXPECT_EQ(g.UploadModelNum, c.modelNum);
        core::ModuleWindow* w = core::ModuleWindowFor(c.modelNum);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->name(), c.form);
        EXPECT_TRUE(w->shown());
        EXPECT_EQ(w->find("lblV_Unit")->caption(), core::AfterHyphen(c.model));
        EXPECT_TRUE(host.messages.empty());
        EXPECT_TRUE(core::frmDunax().btnDownload.enabled());
        restart();
    }
}

TEST_F(DiscreteBitsTest, WindowsAreTidy) {
    expectTidy(modules::frmMX16());
    expectTidy(modules::frmJR16());
    expectTidy(modules::frmJR8Y());
    expectTidy(modules::frmJR8U());
    expectTidy(modules::frmJR4T());
    expectTidy(modules::frmBV8());
    expectTidy(modules::frmMXJ16());
}

}  // namespace
}  // namespace dunax::testing
