// What the current windows have in common: current modules whose bases are always in
// milliamperes. Per channel the six scaling parameters (zero base and full base shown, never
// edited); no range list and no range code; for the module Output Hold/Clear and the extension
// module display.
#pragma once

#include <string>

#include "modules/analog_frame.h"

namespace dunax::modules {

// The window's own parameters: model number, design name, channel controls and pages. One
// page holds the grid with the hold choice beside it; with two pages the hold choice stands
// alone on page 2. The monitored values are one per channel of the window, whatever the unit's
// channel count.
AnalogDesign CurrentDesign(int modelNum, std::string formName, int channels, int pages);

}  // namespace dunax::modules
