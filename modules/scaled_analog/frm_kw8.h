// The window of the eight-channel voltage input model KWH8 (model 18): per channel the bias,
// the gain and the range are set; the scales and bases are shown. CH 0 to CH 3 on the first
// page, CH 4 to CH 7 on the second. No Output Hold/Clear, no extension module display.
#pragma once

#include "modules/scaled_analog/bias_gain.h"
#include "platform/control.h"

namespace dunax::modules {

class KW8Window : public BiasGainWindow {
  public:
    KW8Window();

    // Upload and download.
    void frmKW8_Init();
    void frmKW8_Download();

    void Init() override { frmKW8_Init(); }
    void Download() override { frmKW8_Download(); }
};

extern platform::FormInstance<KW8Window> frmKW8;

}  // namespace dunax::modules
