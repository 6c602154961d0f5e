#include "modules/analog_in/frm_qn4.h"

#include "core/tables.h"

namespace dunax::modules {

platform::FormInstance<QN4Window> frmQN4;

namespace {

TemperatureDesign qn4Design() {
    TemperatureDesign d;
    d.modelNum = 2;
    d.formName = "frmQN4";
    // List index = RTD type code = index into the range table. The separator rows are rows
    // like any other: the unit may report them, and they are written back as 6 and 7.
    const std::string separator(13, '-');
    d.typeRows = {"Pt100(JIS'97)", "Pt100(JIS'89)", "JPt100(JIS'89)", "Pt50(JIS'81)", "Ni100",
                  "Cu10",          separator,       separator,        "Cu50"};
    d.typeListHeading = "RTD Type";
    d.typeLabelName = "lblRtdType";
    d.typeLabelHeading = "Rtd type";
    d.unitHeading = "Temp Unit ";
    d.ranges = &core::RtdRange;
    // Setting 2 can be looked at while the upload runs; the unit, type and type text are read
    // in the group the parameter reads left selected.
    d.page2DuringUpload = true;
    d.reselectListReads = false;
    d.typeAndUnitFirst = false;
    return d;
}

}  // namespace

QN4Window::QN4Window() : TemperatureWindow(qn4Design()) {}

void QN4Window::frmQN4_Init() {
    UploadTemperature();
}

// Per channel the six parameters, then the type and the unit; then the hold setting.
void QN4Window::frmQN4_Download() {
    DownloadTemperature();
}

}  // namespace dunax::modules
