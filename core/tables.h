// Program-wide tables that no single window owns (item numbers per model, temperature ranges,
// base-unit labels) and the start values of the connection globals. The tables are constant
// and ready before main() runs; only the globals and the channel records change.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace dunax::core {

inline constexpr int kModelCount = 28;  // model numbers 0..27 select a module window
inline constexpr int kUnknownModel = 99;

// Item number of parameter 1..6 for each model: index [parameter - 1][model number];
// -1 where the model lacks the parameter.
using ItemNoList = std::array<int, kModelCount>;
extern const std::array<ItemNoList, 6> ItemNoTable;
extern const ItemNoList& ItemNo1;
extern const ItemNoList& ItemNo2;
extern const ItemNoList& ItemNo3;
extern const ItemNoList& ItemNo4;
extern const ItemNoList& ItemNo5;
extern const ItemNoList& ItemNo6;

// Item number of parameter param (1..6) on model modelNum (0..27); -1 for anything outside.
int ItemNo(int param, int modelNum);

// Lowest and highest temperature per sensor type in one unit of measure.
struct TempRangeRecord {
    std::vector<int> MinArr;
    std::vector<int> MaxArr;
    std::string Unit;  // "deg C", "deg F" or "K"
};

// Index 0 degrees Celsius, 1 degrees Fahrenheit, 2 kelvin: the order of the temperature unit
// list "C", "F", "K" of the temperature windows.
using TempRangeTable = std::array<TempRangeRecord, 3>;
extern const TempRangeTable TcRange;   // thermocouple types 0..12
extern const TempRangeTable RtdRange;  // RTD types 0..8 (6 and 7 are separator rows)
extern const TempRangeTable ZP4Range;  // thermistor type 0

// Base-unit labels of the zero base and full base boxes, indexed by range code. Code 15 means
// per-channel ranges and has an empty label.
extern const std::vector<std::string> RangeUnitKW4;
extern const std::vector<std::string> RangeUnitKW8;
extern const std::vector<std::string> RangeUnitLQ2;
extern const std::vector<std::string> RangeUnitLQ4;
extern const std::vector<std::string> RangeUnitGF4A;
extern const std::vector<std::string> RangeUnitLQ4A;
extern const std::vector<std::string> RangeUnitVH4N;

// The label of range code code, or "" when the table has no such code (the unit may report
// any code).
std::string RangeUnitAt(const std::vector<std::string>& table, int code);

// Sets the start values of the connection globals and empties every channel record. Run once
// by the main window while it loads, before anything else touches a global.
void InitData();

// Fills the item fields of g.ChItem[ch] from the item number tables for g.ModelNum; the value
// fields stay. Does nothing for an unrecognised model (99), for a model number outside 0..27
// or for ch outside 1..16.
void SetChItemNo(int ch);

}  // namespace dunax::core
