// The window of the 8-channel pulse counter model (model 14, FE8): count, Max, Carry and preset
// of each channel on page 1, Output Hold/Clear on page 2. Every item lies in group "00": Carry
// and Max of CH k are items 30 + 2k and 31 + 2k, its count and preset item 21 + k.
#pragma once

#include "modules/discrete_counter/counter_frame.h"
#include "platform/control.h"

namespace dunax::modules {

class FE8Window : public CounterWindow {
  public:
    FE8Window();

    void frmFE8_Init();
    void frmFE8_Download();
    bool frmfe8_preset_able(bool flag) { return preset_able(flag); }

    void Init() override { frmFE8_Init(); }
    void Download() override { frmFE8_Download(); }
    void cmdPreset_Click(int Index) override;
};

extern platform::FormInstance<FE8Window> frmFE8;

}  // namespace dunax::modules
