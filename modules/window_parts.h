// The parts the module windows are built from and the steps they share: the "Value" frame with
// the module code, the live values and the extension module's points; the page buttons and
// pages; the Output Hold/Clear choice; the progress window's steps and the ending of an upload
// the unit did not answer; the channel item numbers and the live value and extension reads.
//
// Each window still lays out its own design and runs its own sequence in its own file; what
// stands here is only what several windows do the same way.
#pragma once

#include <string>

#include "core/link.h"
#include "core/module_window.h"
#include "platform/control.h"

namespace dunax::modules {

// Every exchange of a module window: four attempts, only an empty reply is retried.
using core::kRetries;

// --- Layout shared by the module windows, in twips (15 twips = 1 pixel). The window is
// 9650 x 7400 with its frame. ---
namespace layout {
inline constexpr int kWindowWidth = 9650;
inline constexpr int kWindowHeight = 7400;
inline constexpr int kMargin = 90;
inline constexpr int kContentWidth = 9330;
inline constexpr int kLabelHeight = 225;
inline constexpr int kBoxHeight = 285;
inline constexpr int kButtonHeight = 360;

// "Value" frame: module code on the left, then one column per channel.
inline constexpr int kValueTop = 45;
inline constexpr int kValueHeight = 1470;
inline constexpr int kValueColLeft = 1320;
inline constexpr int kValueColPitch = 1500;

// Page buttons under the "Value" frame, the pages under them.
inline constexpr int kPageButtonTop = 1590;
inline constexpr int kPageButtonWidth = 1335;
inline constexpr int kPageTop = 2025;
inline constexpr int kPageBottom = 6705;
}  // namespace layout

// Where the extension module's points stand: lblV_Ext names the module, lblExtIndex(0) is the
// point-number header with the sixteen boxes txtChData(0..15) under it.
struct ExtensionPlace {
    int captionLeft = 0, captionTop = 0, captionWidth = 0;  // lblV_Ext
    int left = 0, top = 0;                                  // lblExtIndex(0)
    const char* header = "";                                // lblExtIndex(0)'s caption
    // The boxes are lamps, disabled (no focus, no typing), rather than read-only boxes.
    bool lamps = false;
};

// The points in the "Value" frame, under the channel columns.
inline constexpr ExtensionPlace kValueFrameExtension{.captionLeft = 150,
                                                     .captionTop = 1125,
                                                     .captionWidth = 1080,
                                                     .left = layout::kValueColLeft,
                                                     .top = 870};

// "CH 0", "CH 1", ...
std::string ChannelName(int k);

// --- Progress window ---
// One more step on the progress bar.
void StepProgress();
// The progress window away, when it is up.
void CloseProgress();
// The ending of an upload that could not read what it needs: the progress window away (the
// upload is over), "Upload Error", and the link closed. The window keeps what was read so far.
void UploadFailed();

// --- Unit items ---
// The item numbers of model modelNum into ChItem(ch): whatever another window or an opened
// file left in the channel record, a window never reads or writes another model's items.
void SetChItemNo(int ch, int modelNum);
// CC-Link, DeviceNet, Modbus, MECHATROLINK, Ethernet and FL-Remote carry Output Hold/Clear;
// HLS and FLEX NETWORK do not.
bool HoldOffered();
// Item 14 of group 00: "ON" selects Output Hold, any other reply Output Clear. False, with
// nothing changed, when the unit did not answer.
bool ReadHoldChoice(platform::Control& keepOn, platform::Control& keepOff);
// Caption of the Output Hold/Clear frame, also the name under which a download reports it.
inline constexpr const char* kHoldCaption = "Output Hold/Clear";
// Item 14 of group 00: "0" for Output Hold, "1" for Output Clear, as a write of the running
// download; the unit's reply ("" for none).
std::string WriteHoldChoice(const platform::Control& keepOn);
// A monitored value into box: a reply with a number (its point removed) replaces the text;
// no answer or anything else leaves it.
void ShowMonitoredValue(platform::Control& box, const std::string& reply);
// Items 21.. of group 00 into boxes(0..count - 1).
void ReadLiveValues(const platform::ControlArray& boxes, int count);
// Item 12 of group 00 onto the extension points when an extension module is fitted; a refusal
// or "NEEDLESS" carries no bit image and leaves the points as they are.
void RefreshExtensionPoints(platform::Form& frm);

// --- Two settings pages ---
// Page 1 or 2 on show with its button off, the other page hidden with its button on (off as
// well when locked, while an operation runs).
void ShowSettingsPage(platform::Control& cmdSet1, platform::Control& frmSet1,
                      platform::Control& cmdSet2, platform::Control& frmSet2, int page,
                      bool locked = false);
// The page on show stays on show and the page buttons open again, after an operation that
// locked them.
void ReopenSettingsPage(platform::Control& cmdSet1, platform::Control& frmSet1,
                        platform::Control& cmdSet2, platform::Control& frmSet2);

// A module window built from the shared parts.
class ModuleWindowParts : public core::ModuleWindow {
  protected:
    // The window titled caption, at its design size.
    ModuleWindowParts(std::string formName, std::string caption);

    // The "Value" frame, Frame1, across the top of the window.
    platform::Control& addValueFrame();
    // lblV_Unit, "Type" until an upload names the module.
    platform::Control& addModuleCode(platform::Control* container, int left, int top);
    // Per channel its "CH k" heading Label1.. and its live value box txtParData(k), in columns
    // after the module code.
    void addChannelValues(platform::Control& frame, int channels, platform::ControlArray& values);
    // lblV_Ext (returned), lblExtIndex(0) and txtChData(0..15); all hidden until an upload
    // prepares them for the extension module.
    platform::Control& addExtensionPoints(platform::Control* container, const ExtensionPlace& at,
                                          platform::ControlArray& lblExtIndex,
                                          platform::ControlArray& txtChData);
    // A page button under the "Value" frame, slot 0 or 1.
    platform::Control& addPageButton(const std::string& name, const std::string& caption, int slot);
    // A settings page from top down to the bottom of the window's content.
    platform::Control& addPage(const std::string& name, int top);
    // The frame of the Output Hold/Clear choice (returned) with keepOn and keepOff (clearFirst:
    // "Output Clear" is the upper button).
    platform::Control& addHoldFrame(const std::string& frameName, platform::Control* container,
                                    int left, int top, platform::Control*& keepOn,
                                    platform::Control*& keepOff, bool clearFirst = false);
};

}  // namespace dunax::modules
