// The window of the four-channel voltage module with a voltage range per channel (model 12,
// LQ4): five ranges. The same row index names other ranges than on the two-channel window
// (row 2 is 0 V..10 V here).
#pragma once

#include "modules/analog_frame.h"
#include "platform/control.h"

namespace dunax::modules {

class LQ4Window : public AnalogWindow {
  public:
    LQ4Window();

    void frmLQ4_Init();
    void frmLQ4_Download();

    void Init() override { frmLQ4_Init(); }
    void Download() override { frmLQ4_Download(); }
};

extern platform::FormInstance<LQ4Window> frmLQ4;

}  // namespace dunax::modules
