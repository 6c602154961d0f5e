// The window of the 8-channel relay output module (model 16, code BV8): per channel the input
// (DI) and output (DO) states read back from the unit as "ON" in green or "OFF" in red, the
// extension module's points and Output Hold/Clear.
#pragma once

#include <string>

#include "modules/discrete_counter/discrete_window.h"

namespace dunax::modules {

class BV8Window : public DiscreteWindow {
  public:
    BV8Window();

    void frmBV8_Init();
    void frmBV8_Download();
    void ReadingData() override;
    void txt_able(bool flag) override;

    void Init() override { frmBV8_Init(); }
    void Download() override { frmBV8_Download(); }

    platform::Control* Frame1 = nullptr;  // "BV8", the state rows
    platform::Control* Frame4 = nullptr;  // "Output Hold/Clear"

  private:
    // Row i (1..8) from the reply of item 20 + i.
    void ShowChannel(int i, const std::string& reply);
    // Items 21 .. 20 + rows of group 00, which must be selected.
    void ReadStates(int rows);
};

extern platform::FormInstance<BV8Window> frmBV8;

}  // namespace dunax::modules
