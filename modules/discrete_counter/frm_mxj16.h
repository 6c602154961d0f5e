// The window of the discrete input/output module with 8 inputs and 8 outputs (model 20, code
// MXJ16): per channel the input (DI) and output (DO) states as "ON" in red or "OFF" in green,
// Output Hold/Clear, and per pair of output channels the output mode, maintained or momentary.
#pragma once

#include <array>

#include "modules/discrete_counter/discrete_window.h"

namespace dunax::modules {

class MXJ16Window : public DiscreteWindow {
  public:
    MXJ16Window();

    void frmMXJ16_Init();
    void frmMXJ16_Download();
    void ReadingData() override;
    void txt_able(bool flag) override;

    void Init() override { frmMXJ16_Init(); }
    void Download() override { frmMXJ16_Download(); }

    // Output-mode frames: Frame1 CH 0/1, Frame3 CH 2/3, Frame4 CH 4/5, Frame5 CH 6/7.
    platform::Control *Frame1 = nullptr, *Frame3 = nullptr, *Frame4 = nullptr, *Frame5 = nullptr;
    platform::Control* Frame2 = nullptr;  // "Output Hold/Clear"
    platform::Control* Frame6 = nullptr;  // "Value", the state rows
    // optOut1, 3, 5, 7 "Mainteined"; optOut2, 4, 6, 8 "Momentary".
    platform::Control *optOut1 = nullptr, *optOut2 = nullptr, *optOut3 = nullptr,
                      *optOut4 = nullptr, *optOut5 = nullptr, *optOut6 = nullptr,
                      *optOut7 = nullptr, *optOut8 = nullptr;

  private:
    struct Pair {
        const char* item;  // output mode item of group 00
        platform::Control* maintained;
        platform::Control* momentary;
    };
    std::array<Pair, 4> pairs() const;
};

extern platform::FormInstance<MXJ16Window> frmMXJ16;

}  // namespace dunax::modules
