// What a configuration file holds for each module model and each field network: the records,
// in file order, each item tied to the control (by name and index) it is saved from and opened
// into, and the steps that opening a file takes besides filling those controls. Saving and
// opening walk the same step lists, so writer and reader always agree on the layout.
#pragma once

#include <string>
#include <vector>

#include "core/tables.h"

namespace dunax::config_file {

// Where an item comes from when saving and goes to when opening.
enum class Source {
    Text,            // a quoted text: a text box's Text
    TextInteger,     // a whole number: a text box's Text converted; opened as its decimal text
    TextIntegerOr0,  // as TextInteger, but an empty box is saved as 0
    ListIndex,       // a whole number: a combo box's ListIndex (-1 nothing selected)
    OptionValue,     // a truth value: an option button's Value
    SubModelNum,     // a whole number: the model variant global
};

struct Field {
    Source source;
    std::string control;  // the control's name in its window
    int index = -1;       // its index in a control array, -1 when it is not in one
};

enum class StepKind {
    Record,           // one record of the file (fields); opening puts each value into its field's
                      // control, or holds the record for a later ApplyHeld/UnitLabels step
    Pages,            // opening: page 1 shown, page buttons set
    FirstPage,        // opening: frmSet1 shown
    FillList,         // opening: a combo box emptied and filled with rows
    Caption,          // opening: a label's caption set to text
    ApplyHeld,        // opening: the held record's values into its fields' controls
    UnitLabels,       // opening: base-unit labels from the held temperature-unit record
    Code,             // opening: the module code label
    ReplyDelayFrame,  // opening: the reply-delay frame shown (flag) or hidden
    Visible2,         // opening: the load-cell window's second page (flag)
    DisplayType,      // opening: the encoder counter window redraws for its display mode
    Show,             // opening: the module window shown
};

struct Step {
    explicit Step(StepKind k) : kind(k) {}

    StepKind kind;
    std::vector<Field> fields;  // Record, ApplyHeld
    int held = -1;              // Record: slot it is held in (-1: applied at once); ApplyHeld,
                                // UnitLabels: the slot they use
    std::string control;        // FillList, Caption
    int index = -1;
    const std::vector<std::string>* rows = nullptr;  // FillList
    std::string text;                                // Caption
    const core::TempRangeTable* table = nullptr;     // UnitLabels
    bool flag = false;                               // ReplyDelayFrame, Visible2
};

// Slots of held records.
inline constexpr int kHeldRanges = 0;
inline constexpr int kHeldUnits = 1;
inline constexpr int kHeldDropouts = 2;
inline constexpr int kHeldSlots = 3;

// The module section of model modelNum (0..27); empty for any other number. The layout of
// model 5 depends on the full model name, the load-cell window's second page on newFirmware.
std::vector<Step> ModuleSteps(int modelNum, const std::string& modelName, bool newFirmware);

// The network section of network type netType (0..7); empty for any other type. The Ethernet
// gateway record depends on the version caption.
std::vector<Step> NetworkSteps(int netType, const std::string& versionCaption);

// Whether a unit with this version caption keeps a default gateway: the three characters after
// the first ":" are neither " 0." nor " 1.".
bool HasGateway(const std::string& versionCaption);

// The rows that opening a file puts into the range and unit lists.
extern const std::vector<std::string> kListL12, kListL8, kListL5, kListL6, kListL6S, kListLTC,
    kListLRTD, kListLTH, kListLCT, kListLU;

}  // namespace dunax::config_file
