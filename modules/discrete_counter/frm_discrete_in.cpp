#include "modules/discrete_counter/frm_discrete_in.h"

namespace dunax::modules {

platform::FormInstance<JR8UWindow> frmJR8U;
platform::FormInstance<JR4TWindow> frmJR4T;

DiscreteInputWindow::DiscreteInputWindow(std::string formName, std::string title,
                                         const std::string& header)
    : DiscreteWindow(std::move(formName), std::move(title)) {
    Frame1 = &addLampValueFrame(header);
    // Carried by the design, never filled: these modules take no extension module.
    lblV_Ext = &add(platform::Kind::Label, "lblV_Ext", Frame1);
    lblV_Ext->setGeometry(150, 1410, 1080, 225);
    frmSet1 = &addFrame("frmSet1", "", nullptr, 90, 2100, 9330, 4605);
}

void DiscreteInputWindow::InitInputs() {
    ShowModuleCode();
}

void DiscreteInputWindow::ReadingData() {
    ReadBitImage();
}

JR8UWindow::JR8UWindow()
    : DiscreteInputWindow("frmJR8U", "JR8U", "0  1  2  3                4  5  6  7    ") {}

JR4TWindow::JR4TWindow() : DiscreteInputWindow("frmJR4T", "JR4T", "0  1  2  3  ") {}

}  // namespace dunax::modules
