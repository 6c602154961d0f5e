// What the bias and gain windows share: scaled analog models on which the user sets only the
// bias and the gain of each channel (and, on the voltage models, the channel's range). Zero
// scale, full scale, zero base and full base are read from the unit and shown, never edited.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "modules/analog_frame.h"

namespace dunax::modules {

// Heading above the range lists: the range takes effect only with these switches on the unit.
inline constexpr const char* kSwitchRangeHeading =
    "Range ( Corvane setting. SW1-3:ON  SW1-4:ON  SW1-5:ON  SW1-6:ON )";

// The common part of the design: one page; hints for bias and gain only; the scales never
// touched by txt_able, the bases disabled by it, all four on the info background; no Output
// Hold/Clear; one monitored value per channel in use and no extension refresh while
// monitoring (the upload shows the points once).
AnalogDesign BiasGainDesign();

// The voltage range list of these models, list index = range code. Code 2 has no range on
// them: its row is a run of dashes.
std::vector<std::string> VoltageRangeRows(std::size_t dashes);

class BiasGainWindow : public AnalogWindow {
  public:
    using AnalogWindow::AnalogWindow;

    // Bias and gain of every channel in use numeric, then within -320..320 and -3.2..3.2
    // (bounds included); a channel with a range list needs a range selected. Nothing is
    // rewritten. No channel in use: nothing was checked, so it fails.
    bool CheckData() override;
};

}  // namespace dunax::modules
