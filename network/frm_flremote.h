// The FL-Remote settings window: the token watchdog timer and the allowable minimum frame
// interval of the unit's FL-Remote interface.
#pragma once

#include <optional>
#include <string>

#include "network/network_settings_window.h"
#include "platform/control.h"

namespace dunax::network {

class FLRemoteWindow : public NetworkSettingsWindow {
  public:
    FLRemoteWindow();

    platform::Control& Frame1;
    platform::Control& Text1;
    platform::Control& Label1;
    platform::Control& Frame3;
    platform::Control& Text2;
    platform::Control& Label3;

    // Item 51: the token watchdog timer, in units of 100 us.
    static constexpr const char* kItemWatchdog = "51";
    // Item 52: the allowable minimum frame interval, in units of 1 ms.
    static constexpr const char* kItemFrameInterval = "52";

  private:
    bool uploadItems() override;
    std::optional<std::string> entryProblem() override;
    std::string downloadPrologueData() const override { return "F"; }
    bool downloadItems() override;
};

extern platform::FormInstance<FLRemoteWindow> frmFLRemote;

}  // namespace dunax::network
