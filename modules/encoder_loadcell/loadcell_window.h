// What the two load-cell windows share: per channel the scaling of the weight signal (zero
// scale, full scale, bias, gain) and the load ratio, the calibration buttons (Auto Zero, Zero,
// Span, Offset Clear), the live values and the extension points on the first page; the monitor
// output and gain adjustment on the second page. frmSD2 (frm_sd2.*) adds the filter mode, the
// Output Hold/Clear choice and the firmware-dependent second page; frmHLSSD2 (frm_hlssd2.*)
// keeps its second page out of sight.
//
// The channel group of a channel is spelt "1", "2" by the upload and download, and "01", "02"
// by the buttons; the unit takes both.
#pragma once

#include <array>
#include <string>

#include "modules/window_parts.h"
#include "platform/control.h"

namespace dunax::modules {

class LoadCellWindow : public ModuleWindowParts {
  public:
    // --- The module window interface, common part ---
    // One monitoring pass: the live values of both channels and the extension points.
    void ReadingData() override;
    // Scales, bias, gain and load ratio numeric and within bounds; the scales are rewritten
    // as whole numbers channel by channel.
    bool CheckData() override;
    // The first page's edits and calibration buttons (and Output Hold/Clear where there is
    // one); empties the calibration value boxes whatever the flag.
    void txt_able(bool flag) override;
    bool hasTxtAble2() const override { return true; }
    // The second page's monitor output and gain adjustment boxes and buttons.
    void txt_able2(bool flag) override;
    // Shows or hides the second page's monitor output and gain adjustment controls (and the
    // filter mode label where there is one).
    void txt_visible2(bool flag) override;

    void cmdSet1_Click();
    void cmdSet2_Click();

    // --- Button families, k the channel (0, 1) ---
    // Calibration: item 30 Zero, 31 Span, 32 Auto Zero, 33 Offset Clear.
    void Calibrate(int k, int item);
    // Output (42), UP/DOWN/APPLY (40): the unit's echo goes into the channel's box.
    void Output(int k);
    void GainAdjust(int k, const std::string& step);  // "U", "D", or "" for APPLY
    void Cancel(int k);
    void AutoScale(int k);

    // Channels the operations serve: the unit's channel count, never more than the two of
    // the window.
    static int ChannelsInUse();

    // --- Controls, by their design names; arrays hold index 0 (CH 0) and 1 (CH 1) ---
    platform::ControlArray txtParData, txtChData, lblExtIndex;
    platform::ControlArray txtZScale, txtFScale, txtBias, txtGain, txtZBase, txtParData2;
    platform::ControlArray txtAdjscale, txtAdjGain;

    platform::Control* Frame1 = nullptr;  // "Value"
    platform::Control* Label1 = nullptr;
    platform::Control* Label2 = nullptr;
    platform::Control* lblV_Unit = nullptr;
    platform::Control* lblV_Ext = nullptr;
    platform::Control* fraSetModel = nullptr;
    platform::Control* cmdSet1 = nullptr;
    platform::Control* cmdSet2 = nullptr;
    platform::Control* lblMode = nullptr;  // frmSD2 only
    platform::Control* frmSet1 = nullptr;
    platform::Control* frmSet2 = nullptr;
    platform::Control* Label3 = nullptr;
    platform::Control* Label4 = nullptr;
    platform::Control* Label5 = nullptr;
    platform::Control* Label6 = nullptr;
    platform::Control* cmdAutoZero0 = nullptr;
    platform::Control* cmdAutoZero1 = nullptr;
    platform::Control* cmdZero0 = nullptr;
    platform::Control* cmdZero1 = nullptr;
    platform::Control* cmdSpan0 = nullptr;
    platform::Control* cmdSpan1 = nullptr;
    platform::Control* lblAdj = nullptr;
    platform::Control* lblAdjgain = nullptr;
    platform::Control* cmdApplyCH0 = nullptr;  // frmSD2 only
    platform::Control* cmdApplyCH1 = nullptr;  // frmSD2 only
    platform::Control* cmdGainUPCH0 = nullptr;
    platform::Control* cmdGainUPCH1 = nullptr;
    platform::Control* cmdGainDOWNCH0 = nullptr;
    platform::Control* cmdGainDOWNCH1 = nullptr;
    platform::Control* cmdGainApplyCH0 = nullptr;
    platform::Control* cmdGainApplyCH1 = nullptr;
    platform::Control* Frame2 = nullptr;  // "Output Hold/Clear", frmSD2 only
    platform::Control* optKeepOn = nullptr;
    platform::Control* optKeepOff = nullptr;
    // Command1..Command6 by their number (element 0 unused): Offset Clear CH 1 and CH 0,
    // Output CH 1 and CH 0, Canncel CH 1 and CH 0.
    std::array<platform::Control*, 7> Command{};

  protected:
    // full: the window of the hold networks and newer firmware (filter mode, Output
    // Hold/Clear, Auto Scale); otherwise the reduced HLS window.
    LoadCellWindow(const std::string& formName, int modelNum, bool full);

    // --- Upload steps ---
    // First page on show, page buttons and edits off, progress window, module code,
    // extension points.
    void UploadOpening();
    // The channel's five settings into ChItem and its boxes; false when the unit did not
    // answer. The boxes are filled once all five have been read.
    bool ReadSettings(int ch);
    // Reads item of the channel's group (sent again) into box; false when no answer.
    bool ReadChannelItem(int ch, const std::string& item, platform::Control& box);

    // --- Download steps ---
    void DownloadOpening();
    // The channel's five settings as the boxes stand, each recorded under its box's name.
    void WriteSettings(int ch);
    // Progress window away; after a download the unit stopped answering (no read-back
    // follows), the edits (and on frmSD2 the page buttons and second page) open again.
    void DownloadClosing();

    // The item numbers of this window's own model in ChItem(ch): whatever another window left
    // there, this window never reads or writes another model's items.
    void SetOwnChItemNo(int ch) const;

    static std::string Group(int ch) { return std::to_string(ch); }
    // The group of the buttons of channel k: "01", "02".
    static std::string ButtonGroup(int k) { return "0" + std::to_string(k + 1); }

    const int modelNum_;
    const bool full_;

  private:
    void buildValueFrame();
    void buildPageButtons();
    void buildFirstPage();
    void buildSecondPage();
    // The "CH 0" and "CH 1" headings of a page's two columns.
    // A button of channel k: its accessible name tells the channel ("CH 0 Zero"), as its
    // place under the channel's heading tells the eye.
    platform::Control& addChannelButton(platform::Control* page, const std::string& name,
                                        const char* caption, int k);
    void addChannelHeadings(platform::Control* page, const char* name0, const char* name1,
                            platform::Control*& head0, platform::Control*& head1);
    void wireButtons();

    // The maintenance write that opens every button's exchange; false: the unit did not take
    // it and the button does nothing more.
    static bool ButtonPrologue(int k);
    // A second-page write with the text of a box: only a number is sent.
    void EchoWrite(int k, const std::string& item, const std::string& data,
                   platform::ControlArray& box);
};

}  // namespace dunax::modules
