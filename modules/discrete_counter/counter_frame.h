// The frame shared by the pulse counter windows (16 channels; 8 channels; 8 channels of the
// Ethernet series): per channel the live count, the two settings Max and Carry and a preset of
// the count; for the module its bit image as lamps, the extension module display and the
// Output Hold/Clear choice, on two settings pages.
//
// The frame owns the controls, the monitoring pass, the data checks and the enabling of the
// edits and preset buttons. Each window describes where its items lie (CounterDesign) and
// composes its upload, download and preset click from the frame's steps, because the three
// windows address the channels differently: by channel group in its plain and its two-digit
// form, or by item number within group "00".
#pragma once

#include <limits>
#include <string>

#include "modules/discrete_counter/bit_image.h"
#include "modules/window_parts.h"
#include "platform/control.h"

namespace dunax::modules {

// What the data check accepts for one channel.
struct CounterBounds {
    double maxLow = 0;
    double maxHigh = 0;
    double carryHigh = std::numeric_limits<double>::infinity();
    bool carryWithinMax = false;  // Carry may not exceed the channel's Max
};

struct CounterDesign {
    std::string formName;     // "frmFE16"
    std::string caption;      // title of the window
    int channels = 8;         // channel rows of the design (16 or 8)
    std::string bitItem;      // item of group "00" holding the bit image
    int firstCountItem = 21;  // item of group "00" holding the count of CH 0; the next ones follow
    CounterBounds bounds;
};

// The highest preset value the preset check lets through; the lowest is 0.
inline constexpr double kPresetHigh = 4294967295.0;

class CounterWindow : public ModuleWindowParts {
  public:
    explicit CounterWindow(CounterDesign design);

    const CounterDesign& design() const { return design_; }

    // --- The module window interface, common behaviour ---
    // One pass: the maintenance switch, the bit image, the extension points, every count.
    void ReadingData() override;
    // Max and Carry of every channel in use numeric and within the window's bounds; the boxes
    // of each channel that passes are rewritten as plain numbers.
    bool CheckData() override;
    void txt_able(bool flag) override;
    bool hasPresetAble() const override { return true; }
    bool preset_able(bool flag) override;
    // The preset value of CH Index numeric and within 0 to 4294967295; when it is, the box is
    // rewritten as a plain number.
    bool CheckData2(int Index);

    // The preset button of CH Index.
    virtual void cmdPreset_Click(int Index) = 0;
    void cmdSet1_Click();
    void cmdSet2_Click();

    // Colours the lamps from the hex digits of a bit image.
    void CDataDisplay(const std::string& hex);

    // Channels the operations serve: the unit's channel count, but never past the controls.
    int ChannelsInUse() const;

    // --- Controls (by their design names) ---
    platform::ControlArray txtCData;  // bit image lamps
    platform::ControlArray txtChData, lblExtIndex;
    platform::ControlArray txtPA, txtFScale, txtOver, txtPreset, cmdPreset;
    platform::ControlArray lblChNo;  // row labels "CH 0" ...

    platform::Control* Frame1 = nullptr;  // "Value"
    platform::Control* lblV_Unit = nullptr;
    platform::Control* lblV_Ext = nullptr;
    platform::Control* cmdSet1 = nullptr;
    platform::Control* cmdSet2 = nullptr;
    platform::Control* frmSet1 = nullptr;
    platform::Control* frmSet2 = nullptr;
    platform::Control* Frame4 = nullptr;  // "Output Hold/Clear"
    platform::Control* optKeepOn = nullptr;
    platform::Control* optKeepOff = nullptr;

  protected:
    // --- Upload steps ---
    // Page 1 on show with both page buttons off.
    void ShowFirstPage();
    // Progress window, module code, extension display.
    void UploadLoading();
    // Output Hold/Clear from item 14 of group "00"; false when the unit did not answer.
    bool ReadHold();
    // Carry and Max of channel ch (1..) into the boxes and ChItem(ch).Value1/Value2, each item
    // read with its group command; false when the unit did not answer.
    bool ReadCarryMax(int ch, const std::string& group, const std::string& carryItem,
                      const std::string& maxItem);
    // Progress window away, page 2 button on, edits on. The preset buttons are left to the
    // main window, which switches them once the whole upload is done. (A hold or channel read
    // without answer ends with UploadFailed(): "Upload Error" and a disconnect, so the window is
    // not left half read with its edits off and the link still up; what was read stays.)
    void UploadClosing();

    // --- Download steps ---
    // Edits, preset buttons and page buttons off; progress window.
    void DownloadOpening();
    // The texts of Carry and Max of channel ch as they stand, each with its group command;
    // the replies are not examined.
    void WriteCarryMax(int ch, const std::string& group, const std::string& carryItem,
                       const std::string& maxItem);
    // Output Hold/Clear, then the progress window away. Nothing is enabled again unless the
    // unit stopped answering: otherwise the read-back upload does that.
    void WriteHoldAndClose();

    // --- Preset steps ---
    // Shows the count that a preset reply carries; "NG" and no answer leave the count.
    void ShowPresetReply(int Index, const std::string& reply);
    // The main window's data-range message, for a preset value that fails its check.
    static void PresetRangeMessage();
    // Whether Index names a channel row of the design.
    bool IsChannel(int Index) const { return Index >= 0 && Index < design_.channels; }

    // --- Building the window ---
    // Output Hold/Clear in a frame on page (one of the settings pages) at left/top.
    void BuildHold(platform::Control& page, int left, int top);
    // The eight-channel page 1: one row per channel with its count, Max, Carry and preset, the
    // hold alone on page 2.
    void BuildEightChannelPages();
    // Accessible channel name, "CH A".
    static std::string ChName(int k);

    // Channel groups: "1".."16", and "01".."09", "10".."16".
    static std::string PlainGroup(int ch) { return std::to_string(ch); }
    static std::string TwoDigitGroup(int ch);

  private:
    void buildValueFrame();
    void buildPageFrames();

    CounterDesign design_;
    const BitImageVariant& bitImage_;
};

}  // namespace dunax::modules
