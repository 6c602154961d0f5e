// A file says which firmware its unit had as identification read it: the version caption
// holds the unit's own text, with or without its leading blank.
#include <gtest/gtest.h>

#include "config_file_fixture.h"
#include "core/globals.h"

namespace dunax {
namespace {

using core::g;

class FirmwareHeaderTest : public testing::ConfigFileTest {};

TEST_F(FirmwareHeaderTest, NewFirmwareAsIdentificationFindsIt) {
    struct Case {
        const char* caption;
        bool newFirmware;
    } cases[] = {
        {"Version :  1.02", false},  // the unit sent " 1.02"
        {"Version : 1.02", false},   // the unit sent "1.02"
        {"Version :  1.03", false}, {"Version :  1.05", true},
        {"Version : 1.10", true},   {"Version :   1.02", true},  // not a version the unit sends
    };
    for (const auto& c : cases) {
        const std::string file = std::string("\"J6P-KW4\",0,\"") + c.caption +
                                 "\",4,0\r\n"
                                 "0,9,3,11\r\n"
                                 "#FALSE#,#TRUE#\r\n"
                                 "\"0\",\"10000\",\"0.00\",\"1.0000\",\"-10.000\",\"10.000\"\r\n"
                                 "\"0\",\"10000\",\"0.00\",\"1.0000\",\"-10.000\",\"10.000\"\r\n"
                                 "\"0\",\"10000\",\"0.00\",\"1.0000\",\"-10.000\",\"10.000\"\r\n"
                                 "\"0\",\"10000\",\"0.00\",\"1.0000\",\"-10.000\",\"10.000\"\r\n"
                                 "25\r\n";
        writeFile(path("unit.uJx"), file);
        g.NewFirmware = !c.newFirmware;
        open(path("unit.uJx"));
        EXPECT_TRUE(host.messages.empty()) << c.caption << ": " << host.messages[0].text;
        EXPECT_EQ(g.VersionCaption, c.caption);
        EXPECT_EQ(g.NewFirmware, c.newFirmware) << c.caption;
        host.messages.clear();
    }
}

}  // namespace
}  // namespace dunax
