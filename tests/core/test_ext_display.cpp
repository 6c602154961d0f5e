// The extension module's points on a module window.
#include <gtest/gtest.h>

#include "core/ext_display.h"
#include "core_fixture.h"

namespace dunax::testing {
namespace {

using core::g;

class ExtDisplayTest : public CoreFixture {
  protected:
    void SetUp() override {
        CoreFixture::SetUp();
        core::OpenPort();
        for (int n = 0; n < 16; ++n) box(n).setBackColor(kUntouched);
    }

    platform::Control& box(int n) { return frmFake().txtChData(n); }

    // Box 0 first: "G" green, "R" red, "." untouched.
    std::string colours() {
        std::string s;
        for (int n = 0; n < 16; ++n) {
            const auto c = box(n).backColor();
            s += c == platform::color::Green ? 'G' : c == platform::color::Red ? 'R' : '.';
        }
        return s;
    }

    std::string visibleBoxes() {
        std::string s;
        for (int n = 0; n < 16; ++n) s += box(n).visible() ? '1' : '0';
        return s;
    }

    static constexpr platform::Color kUntouched = platform::color::Black;
};

TEST_F(ExtDisplayTest, BitImageToBoxes) {
    const struct {
        const char* hex;
        const char* colours;  // box 0 first
    } cases[] = {
        {"FFFF", "GGGGGGGGGGGGGGGG"}, {"0000", "RRRRRRRRRRRRRRRR"},  {"00F0", "RRRRGGGGRRRRRRRR"},
        {"C003", "GGRRRRRRRRRRRRGG"}, {"00ff", "........RRRRRRRR"},  {"F0", "........RRRRGGGG"},
        {"", "................"},     {"1234F", "RRGRGGRRRGRRGRRR"}, {" 1 2", "RGRR....GRRR...."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hex);
        for (int n = 0; n < 16; ++n) box(n).setBackColor(kUntouched);
        core::ExtDataDisplay(frmFake(), c.hex);
        EXPECT_EQ(colours(), c.colours);
    }
}

TEST_F(ExtDisplayTest, OnlyAReplyWithABitImageIsPainted) {
    const struct {
        const char* reply;
        bool painted;
    } cases[] = {{"EXTDATA:x00F0", true},
                 {"x00ff", true},
                 {"CNG", false},
                 {"NEEDLESS", false},
                 {"", false},
                 {"EXTDATA:x", false},
                 {"EXTDATA:xZZ", false},
                 {"EXTDATA:C003", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        for (int n = 0; n < 16; ++n) box(n).setBackColor(kUntouched);
        EXPECT_EQ(core::ExtDataDisplayReply(frmFake(), c.reply), c.painted);
        EXPECT_EQ(colours() != "................", c.painted);
    }
}

TEST_F(ExtDisplayTest, InitForTheChosenModule) {
    const struct {
        int points;
        const char* header;
        const char* visible;
    } cases[] = {{16, core::kExtHeader16, "1111111111111111"},
                 {8, core::kExtHeader8, "1111111100000000"},
                 {0, "earlier", "0000000000000000"}};
    unit->profile().setReadOnly("00", "12", "EXTDATA", "x00F0");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.points);
        g.ExtName = "DI";
        g.ExtCaption = "PY16";
        g.ExtChCount = c.points;
        frmFake().find("lblExtIndex", 0)->setCaption("earlier");
        core::ExtDisplayInit(frmFake());
        EXPECT_EQ(frmFake().find("lblExtIndex", 0)->caption(), c.header);
        EXPECT_TRUE(frmFake().find("lblExtIndex", 0)->visible());
        EXPECT_EQ(frmFake().find("lblV_Ext")->caption(), "PY16");
        EXPECT_TRUE(frmFake().find("lblV_Ext")->visible());
        EXPECT_EQ(visibleBoxes(), c.visible);
        EXPECT_EQ(colours(), "RRRRGGGGRRRRRRRR");  // the profile's item 12 is x00F0
    }
    EXPECT_EQ(std::string(core::kExtHeader8), "0  1  2  3                4  5  6  7");
}

TEST_F(ExtDisplayTest, InitWithoutExtensionModuleReadsNothing) {
    g.ExtName = "NONE";
    unit->clearLog();
    core::ExtDisplayInit(frmFake());
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(visibleBoxes(), "0000000000000000");
    EXPECT_EQ(colours(), "RRRRRRRRRRRRRRRR");
    EXPECT_FALSE(frmFake().find("lblV_Ext")->visible());
    EXPECT_EQ(frmFake().find("lblV_Ext")->caption(), "");
    EXPECT_FALSE(frmFake().find("lblExtIndex", 0)->visible());
}

TEST_F(ExtDisplayTest, RefusedOrNotApplicableItemLeavesTheBoxes) {
    g.ExtName = "DO";
    g.ExtChCount = 16;
    const struct {
        const char* label;
        std::function<void(sim::SimUnit&)> arrange;
    } cases[] = {
        {"CNG", [](sim::SimUnit& u) { u.profile().refuse("00", "12"); }},
        {"NEEDLESS",
         [](sim::SimUnit& u) {
             u.faults().needless.insert({"00", "12"});
         }},
        {"silent", [](sim::SimUnit& u) { u.faults().silent = true; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        c.arrange(*unit);
        core::ExtDisplayInit(frmFake());
        EXPECT_EQ(colours(), "................");
        unit->faults() = {};
    }
}

}  // namespace
}  // namespace dunax::testing
