// The window of the four-channel current input model WZ4L (model 26): per channel the bias and
// the gain are set; the scales and bases (in mA) are shown and go back to the unit as they
// stand. One page, no range list; the extension module display.
#pragma once

#include "modules/scaled_analog/bias_gain.h"
#include "platform/control.h"

namespace dunax::modules {

class WZ4LWindow : public BiasGainWindow {
  public:
    WZ4LWindow();

    // Upload and download.
    void frmWZ4L_Init();
    void frmWZ4L_Download();

    void Init() override { frmWZ4L_Init(); }
    void Download() override { frmWZ4L_Download(); }
};

extern platform::FormInstance<WZ4LWindow> frmWZ4L;

}  // namespace dunax::modules
