// The window of the two-channel load-cell model (model 21, module code SD2). Beyond the shared
// load-cell window it offers, on newer firmware, the second page (monitor output with Auto
// Scale, gain adjustment) and the filter mode, and on the networks that have it the Output
// Hold/Clear choice on that page. On older firmware without hold the window has its first
// page only.
#pragma once

#include "modules/encoder_loadcell/loadcell_window.h"

namespace dunax::modules {

class SD2Window : public LoadCellWindow {
  public:
    SD2Window();

    // Upload: the layout for the firmware and network, Output Hold/Clear, per channel the
    // five settings and, on newer firmware, monitor output, filter mode and gain adjustment.
    void frmSD2_Init();
    // Download: the five settings of each channel, then Output Hold/Clear.
    void frmSD2_Download();

    void Init() override { frmSD2_Init(); }
    void Download() override { frmSD2_Download(); }

  private:
    // Page buttons, second page and hold frame for the firmware and the network.
    void ApplyLayout();
    bool ReadSecondPage(int ch);
};

extern platform::FormInstance<SD2Window> frmSD2;

}  // namespace dunax::modules
