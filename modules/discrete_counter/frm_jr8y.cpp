#include "modules/discrete_counter/frm_jr8y.h"

#include "core/ext_display.h"

namespace dunax::modules {

platform::FormInstance<JR8YWindow> frmJR8Y;

JR8YWindow::JR8YWindow() : DiscreteWindow("frmJR8Y", "JR8Y") {
    Frame1 = &addLampValueFrame("0  1  2  3                4  5  6  7  ");
    addExtension(Frame1, 150, 1440, 1170);

    frmSet1 = &addFrame("frmSet1", "", nullptr, 90, 2100, 9330, 4605);
    Frame2 = &addHold("Frame2", frmSet1, 240, 240);
}

void JR8YWindow::frmJR8Y_Init() {
    ShowModuleCode();
    core::ExtDisplayInit(*this);
    ReadHold();
}

void JR8YWindow::frmJR8Y_Download() {
    WriteHold();
}

void JR8YWindow::ReadingData() {
    ReadBitImage();
    RefreshExtension();
}

void JR8YWindow::txt_able(bool flag) {
    optKeepOn->setEnabled(flag);
    optKeepOff->setEnabled(flag);
}

}  // namespace dunax::modules
