// The window of the load-cell model on the HLS network (model 22, full name "J6XN-SD2"): the
// shared load-cell window with its first page only. Its upload still fills the monitor output
// and gain adjustment boxes of the second page, which is never shown.
#pragma once

#include "modules/encoder_loadcell/loadcell_window.h"

namespace dunax::modules {

class HLSSD2Window : public LoadCellWindow {
  public:
    HLSSD2Window();

    // Upload: per channel the five settings and the two values of the hidden second page.
    void frmHLSSD2_Init();
    // Download: the five settings of each channel.
    void frmHLSSD2_Download();

    void Init() override { frmHLSSD2_Init(); }
    void Download() override { frmHLSSD2_Download(); }
};

extern platform::FormInstance<HLSSD2Window> frmHLSSD2;

}  // namespace dunax::modules
