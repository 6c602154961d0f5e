// The shape of every module and network section as a saved file shows it: per line, the type
// of each item in order (S quoted text, I whole number, B truth value). Round trips cannot see
// a layout that writer and reader get wrong alike; these rows can.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "config_file_fixture.h"

namespace dunax {
namespace {

using core::g;
namespace cf = config_file;

// "SSSSSS" x n, as lines.
std::vector<std::string> rep(const std::string& line, int n) {
    return std::vector<std::string>(static_cast<std::size_t>(n), line);
}

std::vector<std::string> join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// The item types of each line after the header.
std::vector<std::string> shape(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    bool header = true;
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, 2, "\r\n") == 0) {
            if (!header) lines.push_back(line);
            header = false;
            line.clear();
            i += 2;
            continue;
        }
        if (text[i] == ',') {
            ++i;
            continue;
        }
        if (text[i] == '"') {
            i = text.find('"', i + 1) + 1;
            line += 'S';
        } else {
            line += text[i] == '#' ? 'B' : 'I';
            while (i < text.size() && text[i] != ',' && text[i] != '\r') ++i;
        }
    }
    return lines;
}

class LayoutShapeTest : public testing::ConfigFileTest {};

TEST_F(LayoutShapeTest, EveryModelAndNetworkWritesItsRecordsInOrder) {
    const std::vector<std::string> cc{"I"};
    const std::vector<std::string> ethernet{"I", "IIII", "IIII", "IIII", "IIII", "IIII"};
    struct Row {
        const char* name;
        const char* version;
        int model;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"J6P-KW4", " 2.00", 0, join({{"IIII", "BB"}, rep("SSSSSS", 4), cc})},
        {"J6P-BJ4", " 2.00", 1, join({{"IIII", "IIII", "BB"}, rep("SSSSSS", 4), cc})},
        {"J6P-QN4", " 2.00", 2, join({{"IIII", "IIII", "BB"}, rep("SSSSSS", 4), cc})},
        {"J6P-LQ2", " 2.00", 3, join({{"II", "BB"}, rep("SSSSSS", 2), cc})},
        {"J6P-WZ2", " 2.00", 4, join({{"BB"}, rep("SSSSSS", 2), cc})},
        {"J6S-MX16H", " 2.00", 5, {"BB", "I", "III"}},
        {"J6S-MX16", " 2.00", 5, {"BB", "III"}},
        {"J6P-JR16", " 2.00", 6, {"BB", "I"}},
        {"J6P-UX4", " 2.00", 7, join({{"BB"}, rep("SSSS", 4), cc})},
        {"J6P-GF4E", " 2.00", 8, join({{"IIII", "IIII", "IBB"}, rep("SSSSSS", 4), cc})},
        {"J6P-JR8U", " 2.00", 9, cc},
        {"J6P-FE16", " 2.00", 10, join({{"BB"}, rep("S", 16), cc})},
        {"J6P-ZP4", " 2.00", 11, join({{"IIII", "IIII", "BB"}, rep("SSSSSS", 4), cc})},
        {"J6P-LQ4", " 2.00", 12, join({{"IIII", "BB"}, rep("SSSSSS", 4), cc})},
        {"J6P-WZ4", " 2.00", 13, join({{"BB"}, rep("SSSSSS", 4), cc})},
        {"J6P-FE8", " 2.00", 14, join({{"BB"}, rep("SS", 8), cc})},
        {"J6P-TLQH2", " 2.00", 15, join({rep("SSSSSS", 2), cc})},
        {"J6P-BV8", " 2.00", 16, {"BB", "I"}},
        {"J6P-FE2",
         " 2.00",
         17,
         {std::string(9, 'S'), std::string(10, 'S'), std::string(7, 'S'), std::string(9, 'S'),
          std::string(10, 'S'), std::string(7, 'S'), "SSS", "I"}},
        {"J6P-KWH8", " 2.00", 18, join({{"IIIIIIII"}, rep("SSSSSS", 8), cc})},
        {"J6P-LQ4L", " 2.00", 19, join({{"IIII"}, rep("SSSSSS", 4), cc})},
        {"J6P-MXJ16", " 2.00", 20, join({{"BB"}, rep("BB", 4), cc})},
        {"J6P-SD2", " 2.00", 21, join({{"BB"}, rep("SSSSS", 2), cc})},
        {"J6XN-SD2", " 2.00", 22, join({rep("SSSSS", 2), {"I", "I"}})},
        {"J6U-FE8", " 2.00", 23, join({{"BB"}, rep("SS", 8), ethernet})},
        {"J6P-VH4N", " 2.00", 24, join({{"BB"}, rep("SSSSSS", 4), cc})},
        {"J6P-JR4T", " 2.00", 25, cc},
        {"J6P-WZ4L", " 2.00", 26, join({rep("SSSSSS", 4), cc})},
        {"J6P-JR8Y", " 2.00", 27, {"BB", "I"}},
        // The network sections, behind the same KW4 records.
        {"J6Q-KW4", " 2.00", 0, join({{"IIII", "BB"}, rep("SSSSSS", 4), {"SII"}})},
        {"J6S-KW4", " 2.00", 0, join({{"IIII", "BB"}, rep("SSSSSS", 4), {"III"}})},
        {"J6SK-KW4", " 2.00", 0, join({{"IIII", "BB"}, rep("SSSSSS", 4), {"I"}})},
        {"J6U-KW4", "1.10", 0,
         join({{"IIII", "BB"}, rep("SSSSSS", 4), {"I", "IIII", "IIII", "IIII", "IIII"}})},
        {"J6WB-KW4", " 2.00", 0, join({{"IIII", "BB"}, rep("SSSSSS", 4), {"II"}})},
        {"J6XN-KW4", " 2.00", 0, join({{"IIII", "BB"}, rep("SSSSSS", 4), {"I", "I"}})},
        {"J6YR-KW4", " 2.00", 0, join({{"IIII", "BB"}, rep("SSSSSS", 4), {"I", "I"}})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + row.version);
        restart();
        identify(row.name, row.version);
        ASSERT_EQ(g.ModelNum, row.model);
        ASSERT_NE(core::ModuleWindowFor(g.ModelNum), nullptr);
        fill(0);
        EXPECT_EQ(shape(cf::ComposeConfigText()), row.lines);
    }
}

// What opening a file does to each window besides its records: page buttons and frames, range
// and unit lists, base-unit labels, the module code, the reply-delay frame and the load-cell
// window's second page.
TEST_F(LayoutShapeTest, OpeningSetsEachWindowsPagesListsAndLabels) {
    enum Pages { None, Both, First };
    struct Row {
        const char* name;
        const char* version;
        Pages pages;
        const std::vector<std::string>* list;  // cmbUserRange(0) after opening
        const char* label;                     // lblFBase_Unit(1); nullptr: not set
        bool code;                             // lblV_Unit set
    };
    const Row rows[] = {
        {"J6P-KW4", " 2.00", Both, &cf::kListL12, nullptr, true},
        {"J6P-BJ4", " 2.00", Both, &cf::kListLTC, "", true},
        {"J6P-QN4", " 2.00", Both, &cf::kListLRTD, "", true},
        {"J6P-LQ2", " 2.00", Both, &cf::kListL8, nullptr, true},
        {"J6P-WZ2", " 2.00", First, nullptr, "mA", true},
        {"J6S-MX16H", " 2.00", None, nullptr, nullptr, true},
        {"J6P-UX4", " 2.00", Both, nullptr, nullptr, true},
        {"J6P-GF4E", " 2.00", Both, &cf::kListLCT, "A", true},
        {"J6P-JR8U", " 2.00", None, nullptr, nullptr, true},
        {"J6P-FE16", " 2.00", Both, nullptr, nullptr, true},
        {"J6P-ZP4", " 2.00", Both, &cf::kListLTH, "", true},
        {"J6P-LQ4", " 2.00", Both, &cf::kListL5, nullptr, true},
        {"J6P-WZ4", " 2.00", Both, nullptr, "mA", true},
        {"J6P-FE8", " 2.00", Both, nullptr, nullptr, true},
        {"J6P-TLQH2", " 2.00", None, nullptr, nullptr, true},
        {"J6P-FE2", " 2.00", None, nullptr, nullptr, false},
        {"J6P-KWH8", " 2.00", Both, &cf::kListL6, nullptr, true},
        {"J6P-LQ4L", " 2.00", None, &cf::kListL6S, nullptr, true},
        {"J6P-SD2", " 1.02", Both, nullptr, nullptr, true},
        {"J6P-SD2", " 2.00", Both, nullptr, nullptr, true},
        {"J6XN-SD2", " 1.02", Both, nullptr, nullptr, true},
        {"J6U-FE8", " 2.00", Both, nullptr, nullptr, true},
        {"J6P-VH4N", " 2.00", Both, nullptr, nullptr, true},
        {"J6P-WZ4L", " 2.00", First, nullptr, "mA", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + row.version);
        restart();
        identify(row.name, row.version);
        fill(0);
        save(path("w.uJx"));
        ASSERT_TRUE(host.messages.empty()) << host.messages[0].text;
        platform::Form& w = *core::ModuleWindowFor(g.ModelNum);
        auto at = [&w](const char* n, int i = -1) -> platform::Control& {
            platform::Control* c = w.find(n, i);
            if (!c) throw std::runtime_error(w.name() + " lacks " + n);
            return *c;
        };
        // A state that opening must change.
        for (const char* n : {"cmdSet1", "cmdSet2"}) {
            if (auto* c = w.find(n)) c->setEnabled(n[6] == '1');
        }
        for (const char* n : {"frmSet1", "frmSet2"}) {
            if (auto* c = w.find(n)) c->setVisible(n[6] == '2');
        }
        if (auto* c = w.find("lblFBase_Unit", 1)) c->setCaption("?");
        if (auto* c = w.find("lblV_Unit")) c->setCaption("?");
        if (auto* c = w.find("Frame3")) c->setVisible(row.name != std::string("J6S-MX16H"));
        if (auto* c = w.find("lblAdj")) c->setVisible(!(g.NewFirmware || g.ModelNum == 22));
        g.ModelName = "NONE";

        open(path("w.uJx"));
        ASSERT_TRUE(host.messages.empty()) << host.messages[0].text;
        EXPECT_EQ(w.find("frmSet1") && w.find("frmSet1")->visible(), row.pages != None);
        if (row.pages == Both) {
            EXPECT_FALSE(at("cmdSet1").enabled());
            EXPECT_TRUE(at("cmdSet2").enabled());
            EXPECT_FALSE(at("frmSet2").visible());
        } else if (auto* c = w.find("cmdSet1")) {
            EXPECT_TRUE(c->enabled());
        }
        if (row.list) {
            EXPECT_EQ(at("cmbUserRange", 0).list(), *row.list);
        }
        if (row.label) {
            const std::string want = *row.label ? row.label : [&] {
                const int pos = at("cmbUserUnit", 1).listIndex();
                EXPECT_EQ(at("cmbUserUnit", 1).list(), cf::kListLU);
                const auto& table = g.ModelNum == 1   ? core::TcRange
                                    : g.ModelNum == 2 ? core::RtdRange
                                                      : core::ZP4Range;
                return table[static_cast<std::size_t>(pos)].Unit;
            }();
            EXPECT_EQ(at("lblFBase_Unit", 1).caption(), want);
        } else if (auto* c = w.find("lblFBase_Unit", 1)) {
            EXPECT_EQ(c->caption(), "?");
        }
        if (auto* c = w.find("lblV_Unit")) {
            EXPECT_EQ(c->caption(), row.code ? core::AfterHyphen(row.name) : "?");
        } else {
            EXPECT_FALSE(row.code);
        }
        if (g.ModelNum == 5) {
            EXPECT_TRUE(at("Frame3").visible());
        }
        if (g.ModelNum == 21 || g.ModelNum == 22) {
            EXPECT_EQ(at("lblAdj").visible(), g.NewFirmware || g.ModelNum == 22);
        }
        EXPECT_EQ(logCount("show " + w.name()), 1);
    }
}

}  // namespace
}  // namespace dunax
