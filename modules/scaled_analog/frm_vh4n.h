// The window of the four-channel current input model VH4N (model 24), the four-channel current
// window with a range code read and a unit table of its own: per channel the six
// scaling values, the scales, bias and gain edited and the bases (in mA) shown; page 1 the
// values, page 2 Output Hold/Clear on CC-Link .. FL-Remote; the extension module display.
#pragma once

#include "modules/analog_frame.h"
#include "platform/control.h"

namespace dunax::modules {

class VH4NWindow : public AnalogWindow {
  public:
    VH4NWindow();

    // Upload and download.
    void frmVH4N_Init();
    void frmVH4N_Download();

    void Init() override { frmVH4N_Init(); }
    void Download() override { frmVH4N_Download(); }
};

extern platform::FormInstance<VH4NWindow> frmVH4N;

}  // namespace dunax::modules
