// The window of the four-channel AC current input model (model 8, code GF4E): per channel the
// six scaling parameters, a current range and a drop out level; for the module a startup timer,
// Output Hold/Clear and the extension module display.
#pragma once

#include "modules/analog_frame.h"
#include "platform/control.h"

namespace dunax::modules {

class GF4AWindow : public AnalogWindow {
  public:
    GF4AWindow();

    // Scales 0..60000, bias, gain, drop out 5..50 and the startup timer 0..600, all numeric;
    // nothing is rewritten. A channel without a range selected fails.
    bool CheckData() override;
    // The frame's edits, then each channel's drop out and the startup timer.
    void txt_able(bool flag) override;

    // Upload and download.
    void frmGF4A_Init();
    void frmGF4A_Download();

    void Init() override { frmGF4A_Init(); }
    void Download() override { frmGF4A_Download(); }

    // --- Controls of page 2 besides the frame's ---
    platform::ControlArray txtDropout, lblDropoutUnit, lblDropoutRange;
    platform::Control* lblDropout = nullptr;  // "Drop out" heading
    platform::Control* Frame3 = nullptr;      // "Startup timer"
    platform::Control* txtStartup = nullptr;
    platform::Control* lblStartupUnit = nullptr;
    platform::Control* lblStartupRange = nullptr;

  private:
    void buildDropout();
    void buildStartup();
};

extern platform::FormInstance<GF4AWindow> frmGF4A;

}  // namespace dunax::modules
