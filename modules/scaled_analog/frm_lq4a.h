// The window of the four-channel voltage input model LQ4L (model 19): per channel the bias,
// the gain and the range are set; the scales and bases are shown and go back to the unit as
// they stand. One page; the extension module display.
#pragma once

#include "modules/scaled_analog/bias_gain.h"
#include "platform/control.h"

namespace dunax::modules {

class LQ4AWindow : public BiasGainWindow {
  public:
    LQ4AWindow();

    // Upload and download.
    void frmLQ4A_Init();
    void frmLQ4A_Download();

    void Init() override { frmLQ4A_Init(); }
    void Download() override { frmLQ4A_Download(); }
};

extern platform::FormInstance<LQ4AWindow> frmLQ4A;

}  // namespace dunax::modules
