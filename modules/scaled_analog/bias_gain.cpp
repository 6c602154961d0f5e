#include "modules/scaled_analog/bias_gain.h"

#include "core/text.h"

namespace dunax::modules {

AnalogDesign BiasGainDesign() {
    AnalogDesign d;
    d.pages = 1;
    d.hints = {"", "", "-320.00 to 320.00", "-3.2000 to 3.2000", "", ""};
    d.edit = {ParamEdit::Fixed,    ParamEdit::Fixed,       ParamEdit::Editable,
              ParamEdit::Editable, ParamEdit::DisplayOnly, ParamEdit::DisplayOnly};
    d.displayOnlyInfoBack = true;
    d.rangeHeading = kSwitchRangeHeading;
    d.hold = false;
    d.monitorItems = 0;
    d.monitorExtension = false;
    return d;
}

std::vector<std::string> VoltageRangeRows(std::size_t dashes) {
    return {"-10V to 10V", "-5V to 5V", std::string(dashes, '-'),
            "0V to 10V",   "0V to 5V",  "1V to 5V"};
}

bool BiasGainWindow::CheckData() {
    const int n = ChannelsInUse();
    if (n == 0) return false;
    // A range list without a selection (a code the list does not hold) is not written.
    for (int k = 0; k < n; ++k) {
        if (!core::IsNumeric(txtGain(k).text()) || !core::IsNumeric(txtBias(k).text()))
            return false;
    }
    for (int k = 0; k < n; ++k) {
        const auto bias = core::ToDouble(txtBias(k).text());
        const auto gain = core::ToDouble(txtGain(k).text());
        if (!bias || !gain) return false;  // numeric in form, but beyond a double
        if (*bias < -320 || *bias > 320 || *gain < -3.2 || *gain > 3.2) return false;
    }
    return true;
}

}  // namespace dunax::modules
