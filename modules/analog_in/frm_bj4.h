// The window of the four-channel thermocouple input model (model 1, BJ4): a temperature input
// window with thirteen thermocouple types.
#pragma once

#include "modules/analog_in/temperature_window.h"
#include "platform/control.h"

namespace dunax::modules {

class BJ4Window : public TemperatureWindow {
  public:
    BJ4Window();

    void frmBJ4_Init();
    void frmBJ4_Download();

    void Init() override { frmBJ4_Init(); }
    void Download() override { frmBJ4_Download(); }

    platform::ControlArray& lblTcType = lblType;  // type text the unit reports per channel
};

extern platform::FormInstance<BJ4Window> frmBJ4;

}  // namespace dunax::modules
