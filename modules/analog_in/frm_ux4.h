// The window of the four-channel percent input model (model 7, UX4): per channel zero scale,
// full scale, zero base and full base, and the percent value the unit reports (shown only);
// no range, no gain. For the module Output Hold/Clear and the extension module display.
#pragma once

#include "modules/analog_frame.h"
#include "platform/control.h"

namespace dunax::modules {

class UX4Window : public AnalogWindow {
  public:
    UX4Window();

    // Monitored values and extension points, then the percent of every channel.
    void ReadingData() override;
    // Scales, percent and bases numeric and within -32000..32000; the scales and bases rounded
    // to whole numbers and written back; the bases within 0..10000.
    bool CheckData() override;

    // Upload and download.
    void frmUX4_Init();
    void frmUX4_Download();

    void Init() override { frmUX4_Init(); }
    void Download() override { frmUX4_Download(); }
};

extern platform::FormInstance<UX4Window> frmUX4;

}  // namespace dunax::modules
