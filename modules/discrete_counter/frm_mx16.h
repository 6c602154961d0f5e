// The window of the 16-point output module (model 5, code MX16): the 16 output points, the
// extension module's points, Output Hold/Clear and, on the model "J6S-MX16H", the reply delay
// timer (item 58, 0 to 100 ms).
#pragma once

#include "modules/discrete_counter/discrete_window.h"

namespace dunax::modules {

class MX16Window : public DiscreteWindow {
  public:
    MX16Window();

    void frmMX16_Init();
    void frmMX16_Download();
    void ReadingData() override;
    void txt_able(bool flag) override;
    // The reply delay must be a whole number of 0 to 100 ms before it is written.
    bool CheckData() override;

    void Init() override { frmMX16_Init(); }
    void Download() override { frmMX16_Download(); }

    void Text1_Change();

    platform::Control* Frame1 = nullptr;  // "Value"
    platform::Control* Frame2 = nullptr;  // "Output Hold/Clear"
    platform::Control* Frame3 = nullptr;  // "Reply Delay Timer"
    platform::Control* Text1 = nullptr;   // reply delay, ms
    platform::Control* Label2 = nullptr;

    static constexpr const char* kReplyDelayModel = "J6S-MX16H";
};

// A reply delay the unit can take: one to three digits, 0 to 100.
bool ReplyDelayValid(const std::string& text);

extern platform::FormInstance<MX16Window> frmMX16;

}  // namespace dunax::modules
