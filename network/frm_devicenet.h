// The DeviceNet settings window: the status setting, the serial ID and the network time-out of
// the unit's DeviceNet interface.
#pragma once

#include <optional>
#include <string>

#include "network/network_settings_window.h"
#include "platform/control.h"

namespace dunax::network {

class DeviceNetWindow : public NetworkSettingsWindow {
  public:
    DeviceNetWindow();

    platform::Control& Frame1;
    platform::Control& cmbStatus;
    platform::Control& Frame3;
    platform::Control& txtSerial;
    platform::Control& Frame2;
    platform::Control& txtTimeout;
    platform::Control& Label2;

    // Item 68: the status setting, "OFF" or on, written as the list index of cmbStatus.
    static constexpr const char* kItemStatus = "68";
    // Item 50: the serial ID, passed through as the unit gives it.
    static constexpr const char* kItemSerial = "50";
    // Item 51: the network time-out, in units of 0.1 s.

  private:
    void Form_Load() override;
    bool uploadItems() override;
    std::optional<std::string> entryProblem() override;
    bool downloadItems() override;
    void txtTimeout_Change();
};

extern platform::FormInstance<DeviceNetWindow> frmDeviceNet;

}  // namespace dunax::network
