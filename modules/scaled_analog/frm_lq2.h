// The window of the two-channel voltage module with a voltage range per channel (model 3,
// LQ2): eight ranges from -10 V..10 V down to -0.5 V..0.5 V.
#pragma once

#include "modules/analog_frame.h"
#include "platform/control.h"

namespace dunax::modules {

class LQ2Window : public AnalogWindow {
  public:
    LQ2Window();

    void frmLQ2_Init();
    void frmLQ2_Download();

    void Init() override { frmLQ2_Init(); }
    void Download() override { frmLQ2_Download(); }
};

extern platform::FormInstance<LQ2Window> frmLQ2;

}  // namespace dunax::modules
