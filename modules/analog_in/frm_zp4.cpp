#include "modules/analog_in/frm_zp4.h"

#include "core/tables.h"

namespace dunax::modules {

platform::FormInstance<ZP4Window> frmZP4;

namespace {

TemperatureDesign zp4Design() {
    TemperatureDesign d;
    d.modelNum = 11;
    d.formName = "frmZP4";
    d.typeRows = {"TH_502AT"};  // type code 0, the only entry of the range table
    d.typeListHeading = "RTD Type";
    d.typeLabelName = "lblRtdType";
    d.typeLabelHeading = "Rtd type";
    d.unitHeading = "Temp Unit ";
    d.ranges = &core::ZP4Range;
    // As the RTD window, except that the module takes a channel's type and unit before its
    // scaling parameters.
    d.page2DuringUpload = true;
    d.reselectListReads = false;
    d.typeAndUnitFirst = true;
    return d;
}

}  // namespace

ZP4Window::ZP4Window() : TemperatureWindow(zp4Design()) {}

void ZP4Window::frmZP4_Init() {
    UploadTemperature();
}

// Per channel the type (with the channel group), the unit, then the six parameters; then the
// hold setting.
void ZP4Window::frmZP4_Download() {
    DownloadTemperature();
}

}  // namespace dunax::modules
