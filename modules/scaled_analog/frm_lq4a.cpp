#include "modules/scaled_analog/frm_lq4a.h"

#include "core/tables.h"

namespace dunax::modules {

platform::FormInstance<LQ4AWindow> frmLQ4A;

namespace {

AnalogDesign lq4aDesign() {
    AnalogDesign d = BiasGainDesign();
    d.modelNum = 19;
    d.formName = "frmLQ4A";
    d.channels = 4;
    d.rangeRows = VoltageRangeRows(11);
    d.rangeCode = RangeCodeUse::UnitLabels;
    d.unitTable = &core::RangeUnitLQ4A;
    d.extension = true;  // shown by the upload, not refreshed while monitoring
    return d;
}

}  // namespace

LQ4AWindow::LQ4AWindow() : BiasGainWindow(lq4aDesign()) {}

// Extension points, range code, then per channel the six values and the channel's range; the
// unit labels follow the module-wide range code, or each channel's own range under code 15.
void LQ4AWindow::frmLQ4A_Init() {
    UploadStandard();
}

// Per channel all six values as the boxes hold them, then the range.
void LQ4AWindow::frmLQ4A_Download() {
    DownloadStandard();
}

}  // namespace dunax::modules
