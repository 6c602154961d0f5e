#include "modules/scaled_analog/frm_vh4n.h"

#include "core/tables.h"
#include "modules/scaled_analog/current_window.h"

namespace dunax::modules {

platform::FormInstance<VH4NWindow> frmVH4N;

namespace {

// The four-channel current window on two pages, with two differences: the module-wide range
// code is read (the upload stops when the unit is silent) but selects nothing, and the bases
// are labelled from the model's own unit table, whose one entry is mA.
AnalogDesign vh4nDesign() {
    AnalogDesign d = CurrentDesign(24, "frmVH4N", 4, 2);
    d.rangeCode = RangeCodeUse::PresenceOnly;
    d.fixedUnit = core::RangeUnitAt(core::RangeUnitVH4N, 0);
    return d;
}

}  // namespace

VH4NWindow::VH4NWindow() : AnalogWindow(vh4nDesign()) {
    // The unit labels stay blank until an upload sets them.
    for (int k : lblZBase_Unit.indices()) {
        lblZBase_Unit(k).setCaption("");
        lblFBase_Unit(k).setCaption("");
    }
}

// Extension points, range code (read, not used), hold, then per channel the six values, the
// bases labelled mA.
void VH4NWindow::frmVH4N_Init() {
    UploadStandard();
}

// Per channel the six boxes as they stand; then the hold setting.
void VH4NWindow::frmVH4N_Download() {
    DownloadStandard();
}

}  // namespace dunax::modules
