// The window of the four-channel current module (model 13, WZ4): the parameter grid on page 1,
// Output Hold/Clear alone on page 2; bases in mA.
#pragma once

#include "modules/analog_frame.h"
#include "platform/control.h"

namespace dunax::modules {

class WZ4Window : public AnalogWindow {
  public:
    WZ4Window();

    void frmWZ4_Init();
    void frmWZ4_Download();

    void Init() override { frmWZ4_Init(); }
    void Download() override { frmWZ4_Download(); }
};

extern platform::FormInstance<WZ4Window> frmWZ4;

}  // namespace dunax::modules
