#include "modules/analog_in/frm_bj4.h"

#include "core/tables.h"

namespace dunax::modules {

platform::FormInstance<BJ4Window> frmBJ4;

namespace {

TemperatureDesign bj4Design() {
    TemperatureDesign d;
    d.modelNum = 1;
    d.formName = "frmBJ4";
    // List index = thermocouple type code = index into the range table.
    d.typeRows = {"K(CA)",       "E(CRC)", "J(IC)", "T(CC)", "B(RH)", "R", "S",
                  "C(WRe 5-26)", "N",      "U",     "L",     "P",     "PR"};
    d.typeListHeading = "TC Type";
    d.typeLabelName = "lblTcType";
    d.typeLabelHeading = "Tc type";
    d.unitHeading = "Temp Unit";
    d.ranges = &core::TcRange;
    // Both page buttons stay off until the upload is done, and the module wants its channel
    // group selected again before each of the unit, type and type text reads.
    d.page2DuringUpload = false;
    d.reselectListReads = true;
    d.typeAndUnitFirst = false;
    return d;
}

}  // namespace

BJ4Window::BJ4Window() : TemperatureWindow(bj4Design()) {}

void BJ4Window::frmBJ4_Init() {
    UploadTemperature();
}

// Per channel the six parameters, then the type and the unit; then the hold setting.
void BJ4Window::frmBJ4_Download() {
    DownloadTemperature();
}

}  // namespace dunax::modules
