#include "modules/scaled_analog/frm_tlq2.h"

namespace dunax::modules {

platform::FormInstance<TLQ2Window> frmTLQ2;

namespace {

AnalogDesign tlq2Design() {
    AnalogDesign d;
    d.modelNum = 15;
    d.formName = "frmTLQ2";
    d.channels = 2;
    d.pages = 1;
    // The module's range code item is read only to see that the unit answers; the bases carry
    // no unit.
    d.rangeCode = RangeCodeUse::PresenceOnly;
    d.fixedUnit = "";
    d.edit = {ParamEdit::Editable, ParamEdit::Editable,    ParamEdit::Editable,
              ParamEdit::Editable, ParamEdit::DisplayOnly, ParamEdit::DisplayOnly};
    d.displayOnlyInfoBack = true;
    d.hold = false;
    d.extension = true;
    d.monitorItems = 2;  // items 21 and 22 whatever the unit's channel count
    d.monitorExtension = true;
    return d;
}

}  // namespace

TLQ2Window::TLQ2Window() : AnalogWindow(tlq2Design()) {}

// Presence test, then per channel the six parameters.
void TLQ2Window::frmTLQH2_Init() {
    UploadStandard();
}

// Per channel the six boxes as they stand.
void TLQ2Window::frmTLQH2_Download() {
    DownloadStandard();
}

}  // namespace dunax::modules
