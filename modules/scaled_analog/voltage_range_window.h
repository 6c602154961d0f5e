// What the voltage range windows have in common: voltage modules whose channels each choose a
// voltage range from a list. Per channel the range and the six scaling parameters (zero base
// and full base shown, never edited); for the module the range code that labels the bases,
// Output Hold/Clear and the extension module display. Page 1 holds the parameter grid, page 2
// the range lists and the hold choice.
#pragma once

#include <string>
#include <vector>

#include "modules/analog_frame.h"

namespace dunax::modules {

// The window's own parameters: model number, design name, channel controls, the rows of the
// range list (row index = the range code exchanged as item 09 of the channel group) and the
// base-unit labels by module-wide range code. The monitored values are one per channel of the
// window, whatever the unit's channel count.
AnalogDesign VoltageRangeDesign(int modelNum, std::string formName, int channels,
                                std::vector<std::string> rangeRows,
                                const std::vector<std::string>& unitTable);

}  // namespace dunax::modules
