#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "core/globals.h"
#include "core/tables.h"

namespace dunax::core {
namespace {

class TablesTest : public ::testing::Test {
  protected:
    void SetUp() override { InitData(); }
    void TearDown() override { InitData(); }
};

TEST_F(TablesTest, StartValues) {
    g.ModelName = "J6XN-SD2";
    g.ModelNum = 22;
    g.Connected = true;
    g.ExtName = "DI";
    g.ChItem[3].Value2 = "1.00";
    InitData();
    EXPECT_EQ(g.ModelName, "NONE");
    EXPECT_EQ(g.ModelNum, -1);
    EXPECT_EQ(g.UploadModelNum, -1);
    EXPECT_EQ(g.NetType, -1);
    EXPECT_EQ(g.ChCount, 0);
    EXPECT_EQ(g.ComPortNo, 1);
    EXPECT_EQ(g.BaudRate, "9600");
    EXPECT_FALSE(g.ExtSelected || g.Monitoring || g.ModuleFormShown || g.Connected ||
                 g.NewFirmware);
    EXPECT_EQ(g.FE2DisplayMode + g.DataErrorNo + g.SubModelNum + g.ExtChCount, 0);
    EXPECT_EQ(g.ExtName + g.ExtCaption + g.VersionCaption, "");
    EXPECT_EQ(g.ChItem[3].Value2, "");
}

TEST_F(TablesTest, ItemNumbersPerModel) {
    struct Case {
        int model;
        std::array<int, 6> items;
    };
    const std::vector<Case> cases = {
        {0, {20, 21, 22, 23, 24, 25}},  {4, {20, 21, 22, 23, 24, 25}},
        {5, {-1, -1, -1, -1, -1, -1}},  {7, {20, 21, 34, -1, 32, 33}},
        {10, {13, 14, -1, -1, -1, -1}}, {14, {-1, -1, -1, -1, -1, -1}},
        {21, {20, 21, 22, 23, 28, 50}}, {22, {20, 21, 22, 23, 28, -1}},
        {24, {20, 21, 22, 23, 24, 25}}, {26, {20, 21, 22, 23, 24, 25}},
        {27, {-1, -1, -1, -1, -1, -1}},
    };
    for (const auto& c : cases) {
        for (int k = 1; k <= 6; ++k) {
            EXPECT_EQ(ItemNo(k, c.model), c.items[k - 1]) << "model " << c.model << " item " << k;
        }
    }
    EXPECT_EQ(ItemNo3[7], 34);
    EXPECT_EQ(ItemNo6[21], 50);
    EXPECT_EQ(ItemNo(1, 28), -1);
    EXPECT_EQ(ItemNo(1, -1), -1);
    EXPECT_EQ(ItemNo(7, 0), -1);
}

TEST_F(TablesTest, SetChItemNo) {
    g.ModelNum = 7;
    g.ChItem[1].Value3 = "kept";
    SetChItemNo(1);
    const ChItemRecord& r = g.ChItem[1];
    EXPECT_EQ((std::array{r.Item1, r.Item2, r.Item3, r.Item4, r.Item5, r.Item6}),
              (std::array<std::string, 6>{"20", "21", "34", "-1", "32", "33"}));
    EXPECT_EQ(r.Value3, "kept");

    g.ModelNum = 10;
    SetChItemNo(16);
    EXPECT_EQ(g.ChItem[16].Item1 + "," + g.ChItem[16].Item2 + "," + g.ChItem[16].Item6, "13,14,-1");

    // Unrecognised, unset or impossible model numbers and channels change nothing.
    const ChItemRecord before = g.ChItem[1];
    for (int model : {99, -1, 28}) {
        g.ModelNum = model;
        SetChItemNo(1);
        EXPECT_EQ(g.ChItem[1].Item3, before.Item3) << model;
        EXPECT_EQ(g.ChItem[1].Item4, before.Item4) << model;
    }
    g.ModelNum = 0;
    SetChItemNo(0);
    SetChItemNo(17);
    EXPECT_EQ(g.ChItem[0].Item1, "");
}

TEST(TempRanges, LengthsUnitsAndValues) {
    struct Lengths {
        const TempRangeTable* table;
        const char* name;
        std::array<std::size_t, 6> minMaxCFK;
    };
    for (const auto& [t, name, len] : std::vector<Lengths>{
             {&TcRange, "TcRange", {20, 21, 21, 21, 21, 21}},
             {&RtdRange, "RtdRange", {17, 17, 17, 17, 17, 17}},
             {&ZP4Range, "ZP4Range", {1, 1, 1, 1, 1, 1}},
         }) {
        for (std::size_t u = 0; u < 3; ++u) {
            EXPECT_EQ((*t)[u].MinArr.size(), len[2 * u]) << name << " unit " << u;
            EXPECT_EQ((*t)[u].MaxArr.size(), len[2 * u + 1]) << name << " unit " << u;
        }
        EXPECT_EQ((*t)[0].Unit, "deg C");
        EXPECT_EQ((*t)[1].Unit, "deg F");
        EXPECT_EQ((*t)[2].Unit, "K");
    }

    struct Entry {
        const char* what;
        const TempRangeTable& table;
        std::size_t type;
        std::array<int, 6> minMaxCFK;  // C min, C max, F min, F max, K min, K max
    };
    const std::vector<Entry> entries = {
        {"K(CA)", TcRange, 0, {-272, 1472, -458, 2682, 1, 1745}},
        {"B(RH)", TcRange, 4, {24, 1920, 75, 3488, 297, 2193}},
        {"C(WRe 5-26)", TcRange, 7, {-52, 2416, -62, 4381, 221, 2689}},
        {"PR", TcRange, 12, {-52, 1860, -62, 3380, 221, 2133}},
        {"after PR", TcRange, 19, {0, 0, 0, 0, 0, 0}},
        {"Pt100(JIS'97)", RtdRange, 0, {-240, 900, -400, 1652, 33, 1173}},
        {"Cu10", RtdRange, 5, {-212, 312, -350, 594, 61, 585}},
        {"separator", RtdRange, 6, {0, 0, 0, 0, 0, 0}},
        {"separator", RtdRange, 7, {0, 0, 0, 0, 0, 0}},
        {"Cu50", RtdRange, 8, {-100, 200, -148, 392, 173, 473}},
        {"after Cu50", RtdRange, 16, {0, 0, 0, 0, 0, 0}},
        {"TH_502AT", ZP4Range, 0, {-50, 110, -58, 230, 223, 383}},
    };
    for (const auto& e : entries) {
        std::array<int, 6> got{};
        for (std::size_t u = 0; u < 3; ++u) {
            got[2 * u] = e.table[u].MinArr[e.type];
            got[2 * u + 1] = e.table[u].MaxArr[e.type];
        }
        EXPECT_EQ(got, e.minMaxCFK) << e.what;
    }
    EXPECT_EQ(TcRange[1].MaxArr[20], 0);
    EXPECT_EQ(TcRange[2].MinArr[20], 0);
}

TEST(RangeUnits, LabelsByCode) {
    const std::vector<std::string>* sixteen[] = {&RangeUnitKW4, &RangeUnitKW8,  &RangeUnitLQ2,
                                                 &RangeUnitLQ4, &RangeUnitGF4A, &RangeUnitLQ4A};
    for (const auto* t : sixteen) {
        ASSERT_EQ(t->size(), 16u);
        EXPECT_EQ(RangeUnitAt(*t, 15), "");
        EXPECT_EQ(RangeUnitAt(*t, 16), "");
        EXPECT_EQ(RangeUnitAt(*t, -1), "");
    }
    const std::vector<std::string> kw4 = {"V", "V",  "V",  "V",  "V", "V", "V", "V",
                                          "V", "mA", "mA", "mA", "V", "V", "V", ""};
    EXPECT_EQ(RangeUnitKW4, kw4);
    EXPECT_EQ(RangeUnitKW8, kw4);
    EXPECT_EQ(RangeUnitAt(RangeUnitLQ2, 14), "V");
    EXPECT_EQ(RangeUnitAt(RangeUnitLQ4A, 0), "V");
    EXPECT_EQ(RangeUnitAt(RangeUnitGF4A, 14), "A");
    EXPECT_EQ(RangeUnitVH4N, std::vector<std::string>{"mA"});
    EXPECT_EQ(RangeUnitAt(RangeUnitVH4N, 1), "");
}

}  // namespace
}  // namespace dunax::core
