// The window of the four-channel thermistor input model (model 11, ZP4): a temperature input
// window with one thermistor type, whose download writes a channel's type and unit before its
// scaling parameters.
#pragma once

#include "modules/analog_in/temperature_window.h"
#include "platform/control.h"

namespace dunax::modules {

class ZP4Window : public TemperatureWindow {
  public:
    ZP4Window();

    void frmZP4_Init();
    void frmZP4_Download();

    void Init() override { frmZP4_Init(); }
    void Download() override { frmZP4_Download(); }

    platform::ControlArray& lblRtdType = lblType;  // type text the unit reports per channel
};

extern platform::FormInstance<ZP4Window> frmZP4;

}  // namespace dunax::modules
