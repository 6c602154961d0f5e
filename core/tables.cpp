#include "core/tables.h"

#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>

#include "core/globals.h"

namespace dunax::core {

namespace {

// Items 20..25 (zero scale, full scale, bias, gain, zero base, full base) unless the model
// says otherwise.
constexpr std::array<ItemNoList, 6> makeItemNoTable() {
    std::array<ItemNoList, 6> t{};
    for (int k = 0; k < 6; ++k) {
        for (int m = 0; m < kModelCount; ++m) t[k][m] = 20 + k;
    }
    auto set = [&t](int model, std::array<int, 6> items) {
        for (int k = 0; k < 6; ++k) t[k][model] = items[k];
    };
    // Discrete, counter and encoder models without per-channel scaling parameters:
    // frmMX16, frmJR16, frmJR8U, frmFE8, frmBV8, frmMXJ16, frmJ6UFE8, frmJR4T, frmJR8Y.
    for (int model : {5, 6, 9, 14, 16, 20, 23, 25, 27}) set(model, {-1, -1, -1, -1, -1, -1});
    set(7, {20, 21, 34, -1, 32, 33});   // frmUX4
    set(10, {13, 14, -1, -1, -1, -1});  // frmFE16
    set(21, {20, 21, 22, 23, 28, 50});  // frmSD2
    set(22, {20, 21, 22, 23, 28, -1});  // frmHLSSD2
    return t;
}

// Builds the three unit records from the Celsius limits; the Celsius minimum list has
// celsiusMinLen entries, the other five lists otherLen. Fahrenheit and kelvin are rounded to
// the nearest whole degree; a 0 in Celsius marks a separator row or an unused entry and stays
// 0 in every unit.
TempRangeTable makeRange(std::vector<int> minC, std::vector<int> maxC, std::size_t celsiusMinLen,
                         std::size_t otherLen) {
    auto convert = [](const std::vector<int>& c, std::size_t len, auto f) {
        std::vector<int> out(len, 0);
        for (std::size_t i = 0; i < c.size() && i < len; ++i) {
            out[i] = c[i] == 0 ? 0 : static_cast<int>(std::lround(f(c[i])));
        }
        return out;
    };
    auto toF = [](int c) { return c * 1.8 + 32.0; };
    auto toK = [](int c) { return c + 273.15; };
    auto same = [](int c) { return static_cast<double>(c); };
    return {{
        {convert(minC, celsiusMinLen, same), convert(maxC, otherLen, same), "deg C"},
        {convert(minC, otherLen, toF), convert(maxC, otherLen, toF), "deg F"},
        {convert(minC, otherLen, toK), convert(maxC, otherLen, toK), "K"},
    }};
}

std::vector<std::string> labels(std::initializer_list<std::pair<int, const char*>> runs) {
    std::vector<std::string> v;
    for (const auto& [count, text] : runs) v.insert(v.end(), count, text);
    return v;
}

}  // namespace

constinit const std::array<ItemNoList, 6> ItemNoTable = makeItemNoTable();
const ItemNoList& ItemNo1 = ItemNoTable[0];
const ItemNoList& ItemNo2 = ItemNoTable[1];
const ItemNoList& ItemNo3 = ItemNoTable[2];
const ItemNoList& ItemNo4 = ItemNoTable[3];
const ItemNoList& ItemNo5 = ItemNoTable[4];
const ItemNoList& ItemNo6 = ItemNoTable[5];

int ItemNo(int param, int modelNum) {
    if (param < 1 || param > 6 || modelNum < 0 || modelNum >= kModelCount) return -1;
    return ItemNoTable[param - 1][modelNum];
}

// Types: K(CA), E(CRC), J(IC), T(CC), B(RH), R, S, C(WRe 5-26), N, U, L, P, PR; the Celsius
// minimum list runs to index 19, every other list to index 20.
const TempRangeTable TcRange =
    makeRange({-272, -272, -260, -272, 24, -100, -100, -52, -272, -252, -252, -52, -52},
              {1472, 1120, 1300, 500, 1920, 1860, 1860, 2416, 1400, 700, 1000, 1496, 1860}, 20, 21);

// Types: Pt100(JIS'97), Pt100(JIS'89), JPt100(JIS'89), Pt50(JIS'81), Ni100, Cu10, two
// separator rows, Cu50; entries 9 to 16 are unused.
const TempRangeTable RtdRange = makeRange({-240, -240, -236, -236, -100, -212, 0, 0, -100},
                                          {900, 900, 560, 700, 252, 312, 0, 0, 200}, 17, 17);

// Type 0: thermistor TH_502AT.
const TempRangeTable ZP4Range = makeRange({-50}, {110}, 1, 1);

const std::vector<std::string> RangeUnitKW4 = labels({{9, "V"}, {3, "mA"}, {3, "V"}, {1, ""}});
const std::vector<std::string> RangeUnitKW8 = RangeUnitKW4;
const std::vector<std::string> RangeUnitLQ2 = labels({{15, "V"}, {1, ""}});
const std::vector<std::string> RangeUnitLQ4 = labels({{15, "V"}, {1, ""}});
const std::vector<std::string> RangeUnitGF4A = labels({{15, "A"}, {1, ""}});
const std::vector<std::string> RangeUnitLQ4A = labels({{15, "V"}, {1, ""}});
const std::vector<std::string> RangeUnitVH4N = {"mA"};

std::string RangeUnitAt(const std::vector<std::string>& table, int code) {
    if (code < 0 || static_cast<std::size_t>(code) >= table.size()) return "";
    return table[static_cast<std::size_t>(code)];
}

void InitData() {
    // The default values of Globals are the start values; everything else starts as 0,
    // false or the empty text.
    g = Globals{};
}

void SetChItemNo(int ch) {
    if (ch < kChItemFirst || ch > kChItemLast) return;
    if (g.ModelNum < 0 || g.ModelNum >= kModelCount) return;  // 99: unrecognised model
    ChItemRecord& rec = g.ChItem[static_cast<std::size_t>(ch)];
    for (int k = 1; k <= 6; ++k) rec.item(k) = std::to_string(ItemNo(k, g.ModelNum));
}

}  // namespace dunax::core
