// The frame shared by the analog module windows: per channel six scaling parameters (zero
// scale, full scale, bias, gain, zero base, full base), optionally a range list, the monitored
// values, the Output Hold/Clear choice, the extension module display and two settings pages.
//
// A window is described by an AnalogDesign (channel count, list rows, unit labels, which
// parameters are edited and written, hold, extension, pages, monitored items). The frame
// builds the controls from it and offers the window's operations as steps; a window that
// follows the common sequence calls UploadStandard()/DownloadStandard(), a window that departs
// from it composes its own sequence from the same steps.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "modules/window_parts.h"
#include "platform/control.h"

namespace dunax::modules {

// How txt_able treats a parameter box.
enum class ParamEdit {
    Editable,     // follows txt_able's flag
    DisplayOnly,  // created disabled; txt_able disables it whatever the flag
    Fixed,        // created disabled; txt_able never touches it
};

// What the upload does with the module-wide range code (item 09 of group 00, 08 on HLS for the
// model variants).
enum class RangeCodeUse {
    None,          // not read
    UnitLabels,    // read; selects the base-unit labels (15: each channel by its own range)
    PresenceOnly,  // read as a presence test; the value is not used
};

struct AnalogDesign {
    int modelNum = 0;      // the window's own model number (item numbers per channel)
    std::string formName;  // "frmKW4"
    int channels = 4;      // channel controls of the design
    int pages = 2;         // 2: frmSet1/frmSet2 with page buttons; 1: frmSet1 only
    std::array<std::string, 2> pageCaptions{"Setting 1", "Setting 2"};

    // The six parameters in item order (ChItem Item1..Item6).
    std::array<std::string, 6> rowTitles{"Zero scale", "Full scale", "Bias",
                                         "Gain",       "Zero base",  "Full base"};
    std::array<std::string, 6> hints{
        "-32000 to 32000", "-32000 to 32000", "-320.00 to 320.00", "-3.2000 to 3.2000", "", ""};
    std::array<ParamEdit, 6> edit{ParamEdit::Editable,    ParamEdit::Editable,
                                  ParamEdit::Editable,    ParamEdit::Editable,
                                  ParamEdit::DisplayOnly, ParamEdit::DisplayOnly};
    // Display-only boxes get the info background (0x80000018).
    bool displayOnlyInfoBack = false;
    // Which parameters the download writes (a parameter without an item is never written).
    std::array<bool, 6> written{true, true, true, true, true, true};

    // Range list rows, list index = range code of the channel (item 09); empty: no list.
    std::vector<std::string> rangeRows;
    std::string rangeHeading = "Range";
    RangeCodeUse rangeCode = RangeCodeUse::UnitLabels;
    // Base-unit labels by range code (used with RangeCodeUse::UnitLabels); without it every
    // channel shows fixedUnit.
    const std::vector<std::string>* unitTable = nullptr;
    std::string fixedUnit;

    bool hold = true;       // Output Hold/Clear on CC-Link .. FL-Remote
    bool extension = true;  // extension module display

    // Monitored values: items 21.. of group 00. A fixed count of items whatever the unit's
    // channel count, or 0 for one item per channel in use.
    int monitorItems = 4;
    bool monitorExtension = true;  // refresh the extension points on each monitoring pass
};

class AnalogWindow : public ModuleWindowParts {
  public:
    explicit AnalogWindow(AnalogDesign design);

    const AnalogDesign& design() const { return design_; }

    // --- The module window interface, common behaviour ---
    void ReadingData() override;
    // The family A check: scales, bias and gain numeric and within bounds, scales rewritten as
    // whole numbers. A range list without a selection (the unit reported a code the list does
    // not hold) passes: it is not written.
    bool CheckData() override;
    void txt_able(bool flag) override;

    void cmdSet1_Click();
    void cmdSet2_Click();

    // --- Controls (by their design names) ---
    platform::ControlArray txtZScale, txtFScale, txtBias, txtGain, txtZBase, txtFBase;
    platform::ControlArray lblZScale, lblFScale, lblBias, lblGain;  // hints
    platform::ControlArray lblZBase_Unit, lblFBase_Unit;
    platform::ControlArray cmbUserRange;
    platform::ControlArray txtParData;
    platform::ControlArray txtChData, lblExtIndex;
    platform::ControlArray lblChTitle, lblRangeCh;  // channel headings of the pages

    platform::Control* Frame1 = nullptr;  // "Value"
    platform::Control* lblV_Unit = nullptr;
    platform::Control* lblV_Ext = nullptr;
    platform::Control* cmdSet1 = nullptr;
    platform::Control* cmdSet2 = nullptr;
    platform::Control* frmSet1 = nullptr;
    platform::Control* frmSet2 = nullptr;
    platform::Control* Label12 = nullptr;  // heading of the range lists
    platform::Control* Frame2 = nullptr;   // "Output Hold/Clear"
    platform::Control* optKeepOn = nullptr;
    platform::Control* optKeepOff = nullptr;

    // Parameter box array p (1..6 in item order).
    platform::ControlArray& param(int p);
    // Hint label array of parameter p (1..4).
    platform::ControlArray& hint(int p);

    // Whether the model has parameter p (1..6): its item number is not -1.
    bool hasParam(int p) const;

    // Channels the operations serve: the unit's channel count, but never past the controls.
    int ChannelsInUse() const;

  protected:
    // --- The common sequences ---
    void UploadStandard();
    void DownloadStandard();

    // --- Upload steps ---
    // Page 1, page buttons off, edits off, progress window, module code, extension display.
    void UploadOpening();
    // The module-wide range code 0..15; nullopt when the unit did not answer.
    std::optional<int> ReadRangeCode();
    // Output Hold/Clear: shown and read on CC-Link .. FL-Remote, hidden elsewhere; false when
    // the unit did not answer.
    bool ReadHold();
    // The item numbers of channel ch (1..16) in ChItem, from the window's own model.
    void SetOwnChItemNo(int ch) const;
    // Empties the channel's range list and adds the design's rows.
    void FillRangeList(int k);
    // The channel's parameters into ChItem and the boxes; false when the unit did not answer.
    bool ReadParameters(int ch);
    // The channel's range code (item 09) into its list; nullopt when the unit did not answer.
    // reselect: send the group command again before the item.
    std::optional<int> ReadChannelRange(int ch, bool reselect = false);
    // Base-unit labels of channel k from the design's table (or its fixed label).
    void SetUnitLabels(int k, int code);
    // Progress window away, page 2 button on, edits on. (An upload that could not read what it
    // needs ends with UploadFailed(); the window's edits stay off.)
    void UploadClosing();

    // --- Download steps ---
    void DownloadOpening();
    // The parameters the design writes, the first with the channel's group command. Every
    // write of a download is recorded under the name of its box or list.
    void WriteParameters(int ch);
    // The channel's range code (item 09); a list without a selection is not written.
    void WriteChannelRange(int ch);
    // Output Hold/Clear on CC-Link .. FL-Remote.
    void WriteHold();
    // Progress window away; after a download the unit stopped answering (no read-back
    // follows), the page buttons and edits open again.
    void DownloadClosing();

    // --- Monitoring steps ---
    void ReadMonitorValues();
    void RefreshExtension();

    // --- Checks ---
    bool CheckFamilyA();

    static std::string Group(int ch) { return std::to_string(ch); }

  private:
    void buildValueFrame();
    void buildPages();
    void buildGrid();
    void buildRangeLists();
    void addRangeList(int k, platform::Control& box, int left, int top, int width);
    // The range lists stand under the grid (one page, or channels on both pages) rather than
    // in a column of page 2.
    bool rangeInGrid() const;
    void buildHold();

    AnalogDesign design_;
};

}  // namespace dunax::modules
