// The window of the 16-point output module (model 6, code JR16): the 16 output points, the
// extension module's points and Output Hold/Clear. Its "Force Output " frame is built but never
// shown: the program offers no forced outputs.
#pragma once

#include "modules/discrete_counter/discrete_window.h"

namespace dunax::modules {

class JR16Window : public DiscreteWindow {
  public:
    JR16Window();

    void frmJR16_Init();
    void frmJR16_Download();
    void ReadingData() override;
    void txt_able(bool flag) override;

    void Init() override { frmJR16_Init(); }
    void Download() override { frmJR16_Download(); }

    // The force-output frame's buttons, should it ever be shown.
    void Command1_Click();
    void Command2_Click(int index);

    platform::Control* Frame1 = nullptr;    // "Value"
    platform::Control* Frame2 = nullptr;    // "Output Hold/Clear"
    platform::Control* Frame3 = nullptr;    // "Force Output ", hidden and disabled
    platform::Control* Command1 = nullptr;  // "Enable "
    platform::Control* Label1 = nullptr;    // "CH:"
    platform::ControlArray Command2;        // one button per output, "0".."F"

    bool ForceHidden = false;
};

extern platform::FormInstance<JR16Window> frmJR16;

}  // namespace dunax::modules
