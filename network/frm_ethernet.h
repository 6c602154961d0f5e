// The Ethernet settings window: IP address, subnet mask and default gateway of the unit's
// Ethernet interface, its network time-out and the linger timers of its four TCP sockets; it
// shows the socket ports and the MAC address as the unit reports them.
//
// Unlike the other network windows it tests the link by writing "F" to the maintenance switch,
// reads and writes most items in the group that write selected, and does not lock its boxes
// but enables and disables them with the buttons (ctrl_able).
#pragma once

#include <initializer_list>
#include <optional>
#include <string>

#include "network/network_settings_window.h"
#include "platform/control.h"

namespace dunax::network {

class EthernetWindow : public NetworkSettingsWindow {
  public:
    EthernetWindow();

    void btnUpload_Click() override;
    void btnDownload_Click() override;

    // An address is shown in four boxes: box 3 holds the first number of the dotted text and
    // stands leftmost, box 0 the last.
    platform::Control& Label5;
    platform::ControlArray txtIP;
    platform::Control& Label3;
    platform::ControlArray txtSNM;
    platform::Control& Label1;
    platform::ControlArray txtDGW;
    platform::Control& Label10;
    platform::ControlArray lblMac;  // 0 and 1: the two halves of the MAC address
    platform::Control& Frame4;
    platform::Control& Label6;
    platform::Control& Label7;
    platform::Control& Label8;
    platform::Control& Label9;
    platform::ControlArray txtPort;  // 1..4: port of TCP socket 1..4, shown only
    platform::ControlArray Label4;   // 1 "Linger Timer", 2..5 socket numbers, 0 and 6..8 units
    platform::Control& Frame2;
    platform::ControlArray txtTimeout;  // 0: network time-out; 1..4: linger timers
    platform::Control& Label2;

    static constexpr const char* kItemVersion = "06";
    static constexpr const char* kItemIP = "29";
    static constexpr const char* kItemSubnetMask = "30";
    static constexpr const char* kItemGateway = "48";

  private:
    void Form_Load() override;
    bool uploadItems() override;
    bool downloadAfterUploadFailure() const override { return true; }
    std::optional<std::string> entryProblem() override;
    bool downloadItems() override;
    void openAfterDownload() override;

    // Enables or disables the buttons and the boxes and gives the boxes the look that goes
    // with it; the port boxes stay grey and as enabled as they are.
    void ctrl_able(bool flag);
    // Shows or hides the gateway by the unit's firmware version (the reply to item 06); true
    // when it is shown.
    bool gatewayGate(const std::string& versionReply);
    bool gatewayShown() const;

    void txtTimeout_Change(int index);
    void addressChange(platform::ControlArray& boxes, int index);
    void txtPort_Change(int index);

    platform::ControlArray addArray(platform::Kind kind, const std::string& name,
                                    std::initializer_list<int> indexes,
                                    platform::Control* container = nullptr);
};

extern platform::FormInstance<EthernetWindow> frmEthernet;

}  // namespace dunax::network
