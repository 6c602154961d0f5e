// The window of the two-channel current module (model 4, WZ2): one page with the parameter
// grid and Output Hold/Clear beside it; bases in mA.
#pragma once

#include "modules/analog_frame.h"
#include "platform/control.h"

namespace dunax::modules {

class WZ2Window : public AnalogWindow {
  public:
    WZ2Window();

    void frmWZ2_Init();
    void frmWZ2_Download();

    void Init() override { frmWZ2_Init(); }
    void Download() override { frmWZ2_Download(); }
};

extern platform::FormInstance<WZ2Window> frmWZ2;

}  // namespace dunax::modules
