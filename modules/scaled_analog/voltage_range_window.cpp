#include "modules/scaled_analog/voltage_range_window.h"

#include <utility>

namespace dunax::modules {

AnalogDesign VoltageRangeDesign(int modelNum, std::string formName, int channels,
                                std::vector<std::string> rangeRows,
                                const std::vector<std::string>& unitTable) {
    AnalogDesign d;
    d.modelNum = modelNum;
    d.formName = std::move(formName);
    d.channels = channels;
    d.pages = 2;
    d.rangeRows = std::move(rangeRows);
    d.rangeHeading = "Selected Range";
    // The module-wide code labels every channel's bases; code 15: each channel by its own range.
    d.rangeCode = RangeCodeUse::UnitLabels;
    d.unitTable = &unitTable;
    d.fixedUnit = "V";
    // The bases go back to the unit as uploaded.
    d.edit = {ParamEdit::Editable, ParamEdit::Editable,    ParamEdit::Editable,
              ParamEdit::Editable, ParamEdit::DisplayOnly, ParamEdit::DisplayOnly};
    d.displayOnlyInfoBack = true;
    d.hold = true;
    d.extension = true;
    d.monitorItems = channels;
    d.monitorExtension = true;
    return d;
}

}  // namespace dunax::modules
