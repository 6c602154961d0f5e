// The window of the 16-channel pulse counter model (model 10, FE16): count, Max and Carry of
// each channel on page 1, the presets and Output Hold/Clear on page 2. A channel's settings are
// items of the channel's group, read in its plain form ("1") and written in its two-digit form
// ("01").
#pragma once

#include "modules/discrete_counter/counter_frame.h"
#include "platform/control.h"

namespace dunax::modules {

class FE16Window : public CounterWindow {
  public:
    FE16Window();

    void frmFE16_Init();
    void frmFE16_Download();
    bool frmfe16_preset_able(bool flag) { return preset_able(flag); }

    void Init() override { frmFE16_Init(); }
    void Download() override { frmFE16_Download(); }
    void cmdPreset_Click(int Index) override;

    // Head labels of the two blocks of page 1 (index 0 left, 1 right).
    platform::ControlArray lblCount, lblMax, lblCarry;
    platform::Control* Label17 = nullptr;  // "Preset Count", left block of page 2
    platform::Control* Label16 = nullptr;  // "Preset  Count", right block

  private:
    void buildSettingsPage();
    void buildPresetPage();
};

extern platform::FormInstance<FE16Window> frmFE16;

}  // namespace dunax::modules
