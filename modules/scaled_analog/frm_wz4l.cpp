#include "modules/scaled_analog/frm_wz4l.h"

namespace dunax::modules {

platform::FormInstance<WZ4LWindow> frmWZ4L;

namespace {

AnalogDesign wz4lDesign() {
    AnalogDesign d = BiasGainDesign();
    d.modelNum = 26;
    d.formName = "frmWZ4L";
    d.channels = 4;
    // The module-wide range code is read (the upload stops when the unit is silent) but labels
    // nothing: the bases are always in mA.
    d.rangeCode = RangeCodeUse::PresenceOnly;
    d.fixedUnit = "mA";
    d.extension = true;  // shown by the upload, not refreshed while monitoring
    return d;
}

}  // namespace

WZ4LWindow::WZ4LWindow() : BiasGainWindow(wz4lDesign()) {}

// Extension points, range code, then per channel the six values.
void WZ4LWindow::frmWZ4L_Init() {
    UploadStandard();
}

// Per channel all six values as the boxes hold them.
void WZ4LWindow::frmWZ4L_Download() {
    DownloadStandard();
}

}  // namespace dunax::modules
