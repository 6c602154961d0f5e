#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "core/text.h"
#include "platform/scripted_host.h"

namespace dunax::core {
namespace {

struct TextCase {
    const char* routine;
    std::function<std::string(std::string_view)> fn;
    std::string in;
    std::string out;
};

TEST(TextRoutines, SeparatorsAndPoints) {
    const std::vector<TextCase> cases = {
        {"AfterHyphen", AfterHyphen, "J6XN-SD2", "SD2"},
        {"AfterHyphen", AfterHyphen, "KW4", "KW4"},
        {"AfterHyphen", AfterHyphen, "PY16-", ""},
        {"AfterHyphen", AfterHyphen, "A-B-C", "B-C"},
        {"AfterHyphen", AfterHyphen, "", ""},
        {"AfterX", AfterX, "0:x1F0A", "1F0A"},
        {"AfterX", AfterX, "0:X1F0A", "0:X1F0A"},
        {"AfterColon", AfterColon, "CNG", "CNG"},
        {"AfterColon", AfterColon, "NEEDLESS", "NEEDLESS"},
        {"AfterColon", AfterColon, "0MDL:J6XN-SD2", "J6XN-SD2"},
        {"AfterColon", AfterColon, "a:b:c", "b:c"},
        {"AfterColon", AfterColon, "LBL:", ""},
        {"BeforeColon", BeforeColon, "MNTSW:1.00", "MNTSW"},
        {"BeforeColon", BeforeColon, ":abc", ""},
        {"BeforeColon", BeforeColon, "", ""},
        {"BeforeColon", BeforeColon, "MNTSW", ""},  // no ":": never a label
        {"RemovePoint", RemovePoint, "-12.34", "-1234"},
        {"RemovePoint", RemovePoint, "1.2.3", "12.3"},
        {"RemovePoint", RemovePoint, "-250", "-250"},
        {"RemovePoint", RemovePoint, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.fn(c.in), c.out) << c.routine << "(\"" << c.in << "\")";
    }
}

TEST(TextRoutines, HexDigitVal) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"0", 0},   {"1", 1},  {"9", 9},  {"A", 10},  {"F", 15}, {"10", 10},
        {"16", 16}, {"f", 0},  {"G", 0},  {"0A", 0},  {"17", 0}, {"", 0},
        {" 1", 0},  {"1 ", 0}, {"1F", 0}, {"100", 0}, {"09", 0},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(HexDigitVal(in), out) << '"' << in << '"';
}

TEST(TextRoutines, SplitIP) {
    struct Case {
        std::string in, p1, p2, p3, p4;
    };
    const std::vector<Case> cases = {
        {"192.168.0.10", "192", "168", "0", "10"},
        {"1..3.4.5", "1", "", "3", "4.5"},
        {"10.0.1", "10", "0", "1", ""},
        {"abc", "abc", "", "", ""},
        {"", "", "", "", ""},
    };
    for (const auto& c : cases) {
        std::string p4 = "x", p3 = "x", p2 = "x", p1 = "x";
        SplitIP(c.in, p4, p3, p2, p1);
        EXPECT_EQ((std::vector<std::string>{p1, p2, p3, p4}),
                  (std::vector<std::string>{c.p1, c.p2, c.p3, c.p4}))
            << '"' << c.in << '"';
    }
}

TEST(TextRoutines, CheckNumber) {
    struct Case {
        std::string in;
        int out;
        bool refused;
    };
    const std::vector<Case> cases = {
        {"", 0, false},          {"255", 255, false},   {"  7 ", 7, false}, {"32767", 32767, false},
        {"1002.5", 1002, false},  // point after the third character: rounded half to even
        {"1003.5", 1004, false}, {"12e2", 1200, false}, {"-5", 0, true},    {"+5", 0, true},
        {".5", 0, true},         {"12.5", 0, true},     {" -5", 0, true},   {"32768", 0, true},
        {"99999", 0, true},      {"abc", 0, true},      {"1,5", 0, true},   {"   ", 0, true},
        {"nan", 0, true},
    };
    for (const auto& c : cases) {
        platform::ScriptedHost h;
        EXPECT_EQ(CheckNumber(c.in), c.out) << '"' << c.in << '"';
        if (c.refused) {
            ASSERT_EQ(h.messages.size(), 1u) << '"' << c.in << '"';
            EXPECT_EQ(h.messages[0].text, "Please enter number.");
            EXPECT_EQ(h.messages[0].icon, platform::Icon::Information);
            EXPECT_EQ(h.messages[0].buttons, platform::Buttons::OK);
            EXPECT_EQ(h.messages[0].title, "");
        } else {
            EXPECT_TRUE(h.messages.empty()) << '"' << c.in << '"';
        }
    }
}

TEST(NumberTexts, ParseRules) {
    struct Case {
        std::string in;
        std::optional<double> value;  // nullopt: not a number text
        std::optional<std::int16_t> int16;
    };
    const std::vector<Case> cases = {
        {"0", 0.0, 0},
        {"  -12.5\t", -12.5, -12},
        {"+3.5", 3.5, 4},
        {"5.", 5.0, 5},
        {".5", 0.5, 0},
        {"-0.5", -0.5, 0},
        {"-2.5", -2.5, -2},
        {"1e3", 1000.0, 1000},
        {"1.5E+2", 150.0, 150},
        {"25e-1", 2.5, 2},
        {"-32768.4", -32768.4, -32768},
        {"-32768.6", -32768.6, std::nullopt},
        {"32767.5", 32767.5, std::nullopt},
        {"1e400", std::nullopt, std::nullopt},
        {"-1e400", std::nullopt, std::nullopt},
        {"1e-400", 0.0, 0},
        {"0.000001e-400", 0.0, 0},
        {"", std::nullopt, std::nullopt},
        {"   ", std::nullopt, std::nullopt},
        {".", std::nullopt, std::nullopt},
        {"-", std::nullopt, std::nullopt},
        {"+-5", std::nullopt, std::nullopt},
        {"--5", std::nullopt, std::nullopt},
        {"- 5", std::nullopt, std::nullopt},
        {"1 2", std::nullopt, std::nullopt},
        {"1,5", std::nullopt, std::nullopt},
        {"1e", std::nullopt, std::nullopt},
        {"1e+", std::nullopt, std::nullopt},
        {"e5", std::nullopt, std::nullopt},
        {"1.2.3", std::nullopt, std::nullopt},
        {"nan", std::nullopt, std::nullopt},
        {"inf", std::nullopt, std::nullopt},
        {"-Infinity", std::nullopt, std::nullopt},
        {"0x1p3", std::nullopt, std::nullopt},
        {"0x10", std::nullopt, std::nullopt},
        {"12a", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsNumeric(c.in), c.value.has_value()) << '"' << c.in << '"';
        EXPECT_EQ(ToDouble(c.in), c.value) << '"' << c.in << '"';
        EXPECT_EQ(ToInt16(c.in), c.int16) << '"' << c.in << '"';
    }
}

TEST(NumberTexts, RoundHalfEven16) {
    const std::vector<std::pair<double, std::optional<std::int16_t>>> cases = {
        {2.5, 2},
        {3.5, 4},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {0.49999999999999994, 0},
        {2.5000000000000004, 3},
        {-32768.5, -32768},
        {32766.5, 32766},
        {32767.4, 32767},
        {-32769.0, std::nullopt},
        {1e300, std::nullopt},
        {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
        {std::numeric_limits<double>::infinity(), std::nullopt},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(RoundHalfEven16(in), out) << in;
}

TEST(NumberTexts, ShortestDecimal) {
    const std::vector<std::pair<double, std::string>> cases = {
        {12.5, "12.5"},
        {13.0, "13"},
        {-0.0, "0"},
        {0.1, "0.1"},
        {-7.25, "-7.25"},
        {1e6, "1000000"},
        {123456789012.0, "123456789012"},
        {1e-5, "0.00001"},
        {1.0 / 3, "0.3333333333333333"},
        {1e21, "1e+21"},
        {1e-7, "1e-07"},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(ShortestDecimal(in), out);
        EXPECT_EQ(ToDouble(ShortestDecimal(in)), in) << out;
    }
}

}  // namespace
}  // namespace dunax::core
