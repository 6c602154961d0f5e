// The windows of the discrete input modules: 8 points (model 9, code JR8U) and 4 points (model
// 25, code JR4T). They only show the input points: no settings, nothing written, no extension
// module display. The twins differ only in how many lamps are on show.
#pragma once

#include "modules/discrete_counter/discrete_window.h"

namespace dunax::modules {

class DiscreteInputWindow : public DiscreteWindow {
  public:
    // The module code labels the upload; nothing is read.
    void InitInputs();
    // The input points from item 21 of group 00, all four digits (hidden lamps too).
    void ReadingData() override;
    // No settings to enable.
    void txt_able(bool) override {}

    platform::Control* Frame1 = nullptr;  // "Value"

  protected:
    DiscreteInputWindow(std::string formName, std::string title, const std::string& header);
};

class JR8UWindow : public DiscreteInputWindow {
  public:
    JR8UWindow();
    void frmJR8U_Init() { InitInputs(); }
    // An input module: nothing to write.
    void frmJR8U_Download() {}

    void Init() override { frmJR8U_Init(); }
    void Download() override { frmJR8U_Download(); }
};

class JR4TWindow : public DiscreteInputWindow {
  public:
    JR4TWindow();
    void frmJR4T_Init() { InitInputs(); }
    void frmJR4T_Download() {}

    void Init() override { frmJR4T_Init(); }
    void Download() override { frmJR4T_Download(); }
};

extern platform::FormInstance<JR8UWindow> frmJR8U;
extern platform::FormInstance<JR4TWindow> frmJR4T;

}  // namespace dunax::modules
