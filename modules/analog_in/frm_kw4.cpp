#include "modules/analog_in/frm_kw4.h"

#include "core/tables.h"

namespace dunax::modules {

platform::FormInstance<KW4Window> frmKW4;

namespace {

AnalogDesign kw4Design() {
    AnalogDesign d;
    d.modelNum = 0;
    d.formName = "frmKW4";
    d.channels = 4;
    d.pages = 2;
    // List index = range code of the channel.
    d.rangeRows = {"-10V to 10V",   "-5V to 5V",     "-1V to 1V",   "0V to 10V",
                   "0V to 5V",      "1V to 5V",      "0V to 1V",    "-0.5V to 0.5V",
                   "-------------", "-20mA to 20mA", "4mA to 20mA", "0mA to 20mA"};
    d.rangeHeading = "Range";
    d.rangeCode = RangeCodeUse::UnitLabels;  // 08 instead of 09 for KW4/KWH4 on HLS
    d.unitTable = &core::RangeUnitKW4;
    // Zero base and full base are shown, never edited: they go back as uploaded.
    d.edit = {ParamEdit::Editable, ParamEdit::Editable,    ParamEdit::Editable,
              ParamEdit::Editable, ParamEdit::DisplayOnly, ParamEdit::DisplayOnly};
    d.displayOnlyInfoBack = true;
    d.hold = true;
    d.extension = true;
    d.monitorItems = 4;  // items 21..24 whatever the unit's channel count
    d.monitorExtension = true;
    return d;
}

}  // namespace

KW4Window::KW4Window() : AnalogWindow(kw4Design()) {}

// Range code, hold, then per channel the six parameters and the channel's range; the unit
// labels follow the module-wide range code, or each channel's own range under code 15.
void KW4Window::frmKW4_Init() {
    UploadStandard();
}

// Per channel the six boxes as they stand and the range; then the hold setting.
void KW4Window::frmKW4_Download() {
    DownloadStandard();
}

}  // namespace dunax::modules
