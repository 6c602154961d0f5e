// The window of the two-channel scaling module (model 15, TLQH2): per channel the six scaling
// parameters on one page; no range list, no unit labels, no Output Hold/Clear on any network.
// The upload and download are named after the model code.
#pragma once

#include "modules/analog_frame.h"
#include "platform/control.h"

namespace dunax::modules {

class TLQ2Window : public AnalogWindow {
  public:
    TLQ2Window();

    void frmTLQH2_Init();
    void frmTLQH2_Download();

    void Init() override { frmTLQH2_Init(); }
    void Download() override { frmTLQH2_Download(); }
};

extern platform::FormInstance<TLQ2Window> frmTLQ2;

}  // namespace dunax::modules
