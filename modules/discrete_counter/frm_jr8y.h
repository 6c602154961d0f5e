// The window of the 8-point output module (model 27, code JR8Y): the 8 output points (the last
// two digits of the bit image), the extension module's points and Output Hold/Clear.
#pragma once

#include "modules/discrete_counter/discrete_window.h"

namespace dunax::modules {

class JR8YWindow : public DiscreteWindow {
  public:
    JR8YWindow();

    void frmJR8Y_Init();
    void frmJR8Y_Download();
    void ReadingData() override;
    void txt_able(bool flag) override;

    void Init() override { frmJR8Y_Init(); }
    void Download() override { frmJR8Y_Download(); }

    platform::Control* Frame1 = nullptr;  // "Value"
    platform::Control* Frame2 = nullptr;  // "Output Hold/Clear"
};

extern platform::FormInstance<JR8YWindow> frmJR8Y;

}  // namespace dunax::modules
