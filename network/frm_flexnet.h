// The settings window of units on HLS and on FLEX NETWORK: the network time-out and, for the
// analog models that have one, the conversion-rate or averaging code of item 52.
#pragma once

#include <optional>
#include <string>

#include "network/network_settings_window.h"
#include "platform/control.h"

namespace dunax::network {

class FlexnetWindow : public NetworkSettingsWindow {
  public:
    FlexnetWindow();

    platform::Control& Frame1;
    platform::Control& txtAve;
    platform::Control& Label3;
    platform::Control& Label4;
    platform::Control& Label5;
    platform::Control& Label6;
    platform::Control& Label7;
    platform::Control& Label8;
    platform::Control& Frame2;
    platform::Control& txtTimeout;
    platform::Control& Label2;

    // Item 51: the network time-out, in units of 0.1 s; item 52: the conversion-rate or
    // averaging code, by the variant of the fitted analog model (SubModelNum).
    static constexpr const char* kItemCode = "52";

    // Whether code is one that the unit takes at item 52 for the variant: exact texts only.
    static bool validCode(int subModelNum, const std::string& code);

  private:
    void Form_Load() override;
    bool uploadItems() override;
    std::optional<std::string> entryProblem() override;
    bool downloadItems() override;
    void txtTimeout_Change();
};

extern platform::FormInstance<FlexnetWindow> frmFlexnet;

}  // namespace dunax::network
