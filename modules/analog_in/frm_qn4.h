// The window of the four-channel RTD input model (model 2, QN4): a temperature input window
// with six RTD types and two separator rows.
#pragma once

#include "modules/analog_in/temperature_window.h"
#include "platform/control.h"

namespace dunax::modules {

class QN4Window : public TemperatureWindow {
  public:
    QN4Window();

    void frmQN4_Init();
    void frmQN4_Download();

    void Init() override { frmQN4_Init(); }
    void Download() override { frmQN4_Download(); }

    platform::ControlArray& lblRtdType = lblType;  // type text the unit reports per channel
};

extern platform::FormInstance<QN4Window> frmQN4;

}  // namespace dunax::modules
