// The MECHATROLINK settings window: the generation and transfer size and the station address
// that the unit reports, and the network time-out of its MECHATROLINK interface.
#pragma once

#include <optional>
#include <string>

#include "network/network_settings_window.h"
#include "platform/control.h"

namespace dunax::network {

class MechatroWindow : public NetworkSettingsWindow {
  public:
    MechatroWindow();

    platform::Control& Frame1;
    platform::Control& lblMode;
    platform::Control& lblByte;
    platform::Control& lblAddress;
    platform::Control& Frame2;
    platform::Control& txtTimeout;
    platform::Control& Label2;

    // Item 08: the mode switch, "MODE:M-II/32Byte" and the like; item 07: the station address.
    static constexpr const char* kItemMode = "08";
    static constexpr const char* kItemAddress = "07";
    // Item 51: the network time-out, in units of 0.1 s.

  private:
    // The upload only reads: nothing is written to the maintenance switch.
    std::optional<std::string> uploadPrologueData() const override { return std::nullopt; }
    bool uploadItems() override;
    std::optional<std::string> entryProblem() override;
    bool downloadItems() override;
    void txtTimeout_Change();
};

extern platform::FormInstance<MechatroWindow> frmMechatro;

}  // namespace dunax::network
