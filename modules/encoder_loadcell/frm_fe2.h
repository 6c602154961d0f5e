// The window of the two-channel encoder counter model (model 17, module code FE2). Per channel
// it shows the live position and speed, the latched values and the reset position, and edits
// the counter's settings on three pages: Setting (drop out, reset value, minimum and maximum,
// bias, gain, zero and full scale), Alarm (alarm timers, HLS command, alarms A and B) and
// Latch/Reset (seven enable flags and the eight request buttons).
//
// The window shows either its position controls or its speed controls; the program-wide
// FE2DisplayMode chooses which (0 position, 1 speed), set by the upload from the unit's count
// mode and switched by Command9.
//
// The operations live in separate files by concern: frm_fe2.cpp builds the window and handles
// pages and the display mode, frm_fe2_transfer.cpp uploads and downloads, frm_fe2_check.cpp
// checks the entries, frm_fe2_monitor.cpp monitors and sends the requests.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "modules/window_parts.h"
#include "platform/control.h"

namespace dunax::modules {

class FE2Window : public ModuleWindowParts {
  public:
    FE2Window();

    // --- The module window interface ---
    // Upload: the count mode, per channel the monitored values and the settings, then the
    // module-wide timers, frequency range and position count mode.
    void frmFE2_Init();
    // Download: the settings of both channels and the alarm timers, as the boxes stand.
    void frmFE2_Download();
    // One monitoring pass: the five live values of both channels.
    void ReadingData() override;
    // Checks and normalises the entries; on failure DataErrorNo names the rule (1..14).
    bool CheckData() override;
    void txt_able(bool flag) override;
    bool hasCmdset() const override { return true; }
    // Setting page shown, all three page buttons locked (monitoring).
    void cmdset_disable() override;
    // Setting page shown, Alarm and Latch/Reset buttons usable again.
    void cmdset_enable() override;
    void cmdSet1_Click();
    // Shows the position or the speed controls as FE2DisplayMode says.
    void dtype_change() override;

    void Init() override { frmFE2_Init(); }
    void Download() override { frmFE2_Download(); }

    // --- Event handlers ---
    void cmdSet3_Click();
    void cmdSet4_Click();
    // Switches between the position and the speed view.
    void Command9_Click();
    // Request button n (1..8): latch, reset, latch data clear, reset data clear of CH 0/CH 1.
    void Command_Click(int n);
    void Command1_Click() { Command_Click(1); }  // latch CH 0
    void Command2_Click() { Command_Click(2); }  // latch CH 1
    void Command3_Click() { Command_Click(3); }  // reset CH 0
    void Command4_Click() { Command_Click(4); }  // reset CH 1
    void Command5_Click() { Command_Click(5); }  // latch data clear CH 0
    void Command6_Click() { Command_Click(6); }  // latch data clear CH 1
    void Command7_Click() { Command_Click(7); }  // reset data clear CH 0
    void Command8_Click() { Command_Click(8); }  // reset data clear CH 1

    // Channels the operations that follow the unit's channel count serve: the count, but
    // never more than the window's two.
    static int ChannelsInUse();

    // --- Controls, by their design names; per-channel arrays hold index 0 (CH 0), 1 (CH 1) ---
    // Monitored values.
    platform::ControlArray txtCP, txtCS, txtLP, txtLS, txtRP;
    // Setting page.
    platform::ControlArray txtDO, txtReset, txtMin, txtMax, txtBias, txtGain, txtZS, txtFS;
    // Alarm page.
    platform::ControlArray txtOP;
    platform::ControlArray txtA1Type, txtA1SM, txtA1SH, txtA1PM, txtA1PH;
    platform::ControlArray txtA2Type, txtA2SM, txtA2SH, txtA2PM, txtA2PH;
    // Latch/Reset page.
    platform::ControlArray txtEL, txtHL, txtER, txtHR, txtZR, txtHLD, txtHRD;
    // Module-wide boxes: 0..2 alarm timers, 3 frequency range, 4 position count mode,
    // 6 count mode as text. There is no element 5.
    platform::ControlArray txtTM;

    platform::Control* frmFE2f = nullptr;   // container of pages and buttons
    platform::Control* cmdSet1 = nullptr;   // "Setting"
    platform::Control* cmdSet3 = nullptr;   // "Alarm"
    platform::Control* cmdSet4 = nullptr;   // "Latch/Reset"
    platform::Control* Command9 = nullptr;  // display toggle
    platform::Control* frmSet1 = nullptr;
    platform::Control* frmSet3 = nullptr;
    platform::Control* frmSet4 = nullptr;
    // Request buttons Command1..Command8 by their number; element 0 is unused.
    std::array<platform::Control*, 9> Command{};

    // The controls that the display mode shows or hides.
    const std::vector<platform::Control*>& speedGroup() const { return speedGroup_; }
    const std::vector<platform::Control*>& positionGroup() const { return positionGroup_; }

  private:
    // Building the window (frm_fe2.cpp).
    void buildFrame();
    void buildSettingPage();
    void buildAlarmPage();
    void buildLatchResetPage();
    void collectDisplayGroups();
    void showPage(platform::Control* page, bool lockButtons);

    // Upload steps (frm_fe2_transfer.cpp).
    bool ReadCountMode();
    bool ReadChannel(int ch);
    bool ReadModuleItems();

    // Request buttons (frm_fe2_monitor.cpp).
    void DisableRequestButtons();
    void EnableRequestButtons();

    // Labels of the pages kept in arrays: timer captions and hints, column heads, the alarm
    // type legend, the flag hints and the request row captions.
    platform::ControlArray lblTM_, lblTMHint_, lblAlmCh_, lblAlmLegend_, lblLRCh_, lblValid_,
        lblRequest_;

    std::vector<platform::Control*> speedGroup_;
    std::vector<platform::Control*> positionGroup_;
};

extern platform::FormInstance<FE2Window> frmFE2;

}  // namespace dunax::modules
