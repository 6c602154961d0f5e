// The Modbus settings window: the serial frame of the unit's Modbus port (mode and parity to
// set, data bits and stop bits to show) and its network time-out.
#pragma once

#include <optional>
#include <string>

#include "network/network_settings_window.h"
#include "platform/control.h"

namespace dunax::network {

class ModbusWindow : public NetworkSettingsWindow {
  public:
    ModbusWindow();

    platform::Control& Frame1;
    platform::Control& Label1;
    platform::Control& cmbMode;
    platform::Control& Label3;
    platform::Control& txtDataBit;
    platform::Control& Label4;
    platform::Control& cmbParity;
    platform::Control& Label5;
    platform::Control& txtStop;
    platform::Control& Frame2;
    platform::Control& txtTimeout;
    platform::Control& Label2;

    // Items 54 mode and 56 parity, written as list indexes; 55 data bits and 57 stop bits,
    // shown only; 51 the network time-out, in units of 0.1 s.
    static constexpr const char* kItemMode = "54";
    static constexpr const char* kItemDataBit = "55";
    static constexpr const char* kItemParity = "56";
    static constexpr const char* kItemStop = "57";

  private:
    void Form_Load() override;
    bool uploadItems() override;
    bool downloadAfterUploadFailure() const override { return true; }
    std::optional<std::string> entryProblem() override;
    bool downloadItems() override;
    void txtTimeout_Change();
};

extern platform::FormInstance<ModbusWindow> frmModbus;

}  // namespace dunax::network
