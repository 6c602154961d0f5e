// The window of the 8-channel pulse counter unit of the Ethernet series (model 23, the unit
// "J6U-FE8"): the controls and pages of the 8-channel counter window, with Carry (13), Max (14)
// and the preset (11) as items of the channel's group "01".."08", the bit image in item 16 and
// the counts in items 17..24 of group "00". A preset is preceded by the maintenance switch.
#pragma once

#include "modules/discrete_counter/counter_frame.h"
#include "platform/control.h"

namespace dunax::modules {

class J6UFE8Window : public CounterWindow {
  public:
    J6UFE8Window();

    void frmJ6UFE8_Init();
    void frmJ6UFE8_Download();
    bool frmj6ufe8_preset_able(bool flag) { return preset_able(flag); }

    void Init() override { frmJ6UFE8_Init(); }
    void Download() override { frmJ6UFE8_Download(); }
    void cmdPreset_Click(int Index) override;
};

extern platform::FormInstance<J6UFE8Window> frmJ6UFE8;

}  // namespace dunax::modules
