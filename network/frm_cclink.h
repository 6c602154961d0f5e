// The CC-Link settings window: the network time-out of the unit's CC-Link interface.
#pragma once

#include <optional>
#include <string>

#include "network/network_settings_window.h"
#include "platform/control.h"

namespace dunax::network {

class CCLinkWindow : public NetworkSettingsWindow {
  public:
    CCLinkWindow();

    platform::Control& Frame2;
    platform::Control& txtTimeout;
    platform::Control& Label2;

    // Item 51: the network time-out, in units of 0.1 s.

  private:
    bool uploadItems() override;
    std::optional<std::string> entryProblem() override;
    bool downloadItems() override;
    void txtTimeout_Change();
};

extern platform::FormInstance<CCLinkWindow> frmCCLINK;

}  // namespace dunax::network
