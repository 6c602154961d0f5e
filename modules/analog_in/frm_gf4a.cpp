#include "modules/analog_in/frm_gf4a.h"

#include <string>

#include "core/download_record.h"
#include "core/link.h"
#include "core/tables.h"
#include "core/text.h"

namespace dunax::modules {

using platform::Control;
using platform::Kind;

platform::FormInstance<GF4AWindow> frmGF4A;

namespace {

constexpr const char* kStartupGroup = "01";  // the module's timer lives in channel group 01
constexpr const char* kStartupItem = "11";
constexpr const char* kDropoutItem = "12";

// Page 2, in twips: the drop out column beside the frame's range lists (rows 480 apart from
// 600), hold and startup timer on the right.
constexpr int kDropLeft = 3840;
constexpr int kDropUnitLeft = 4620;
constexpr int kDropRangeLeft = 5340;
constexpr int kRowTop = 600;
constexpr int kRowPitch = 480;
constexpr int kRightLeft = 6300;
constexpr int kRightWidth = 2880;

AnalogDesign gf4aDesign() {
    AnalogDesign d;
    d.modelNum = 8;
    d.formName = "frmGF4A";
    d.channels = 4;
    d.pages = 2;
    d.hints = {"0 to 60000", "0 to 60000", "-320.00 to 320.00", "-3.2000 to 3.2000", "", ""};
    // Zero base and full base are shown, never edited: they go back as uploaded.
    d.edit = {ParamEdit::Editable, ParamEdit::Editable,    ParamEdit::Editable,
              ParamEdit::Editable, ParamEdit::DisplayOnly, ParamEdit::DisplayOnly};
    d.displayOnlyInfoBack = true;
    // List index = range code of the channel.
    d.rangeRows = {"0-600A", "0-400A", "0-200A", "0-100A", "0-50A", "0-5A"};
    d.rangeHeading = "Range";
    d.rangeCode = RangeCodeUse::UnitLabels;
    d.unitTable = &core::RangeUnitGF4A;
    d.hold = true;
    d.extension = true;
    d.monitorItems = 4;
    d.monitorExtension = true;
    return d;
}

bool within(const std::string& text, double lo, double hi) {
    const auto v = core::ToDouble(text);
    return v && *v >= lo && *v <= hi;
}

}  // namespace

GF4AWindow::GF4AWindow() : AnalogWindow(gf4aDesign()) {
    buildDropout();
    buildStartup();
}

void GF4AWindow::buildDropout() {
    lblDropout = &add(Kind::Label, "lblDropout", frmSet2);
    lblDropout->setCaption("Drop out").setGeometry(kDropLeft, 300, 2280, 225);
    for (int k = 0; k < design().channels; ++k) {
        const int top = kRowTop + k * kRowPitch;
        add(Kind::TextBox, "txtDropout", k, frmSet2, txtDropout)
            .setAccessibleName(ChannelName(k) + " Drop out")
            .setAlignment(1)
            .setGeometry(kDropLeft, top + 15, 720, 285);
        add(Kind::Label, "lblDropoutUnit", k, frmSet2, lblDropoutUnit)
            .setCaption("x 0.1%")
            .setGeometry(kDropUnitLeft, top + 45, 660, 225);
        add(Kind::Label, "lblDropoutRange", k, frmSet2, lblDropoutRange)
            .setCaption("5 to 50")
            .setGeometry(kDropRangeLeft, top + 45, 780, 225);
    }
}

// The hold frame moves to the right column to make room for the drop out column; the startup
// timer stands under it.
void GF4AWindow::buildStartup() {
    Frame2->setGeometry(kRightLeft, 240, kRightWidth, 1320);
    Frame3 = &add(Kind::Frame, "Frame3", frmSet2);
    Frame3->setCaption("Startup timer").setGeometry(kRightLeft, 1740, kRightWidth, 1080);
    txtStartup = &add(Kind::TextBox, "txtStartup", Frame3);
    txtStartup->setAccessibleName("Startup timer").setAlignment(1).setGeometry(300, 360, 720, 285);
    lblStartupUnit = &add(Kind::Label, "lblStartupUnit", Frame3);
    lblStartupUnit->setCaption("x 0.1sec").setGeometry(1080, 390, 900, 225);
    lblStartupRange = &add(Kind::Label, "lblStartupRange", Frame3);
    lblStartupRange->setCaption("0 to 600").setGeometry(300, 720, 1200, 225);
}

// Range code, hold, startup timer, then per channel the six parameters, the drop out and the
// range (its group selected again). The unit labels follow the module-wide range code, or
// each channel's own range under code 15.
void GF4AWindow::frmGF4A_Init() {
    UploadOpening();
    const auto rangeCode = ReadRangeCode();
    if (!rangeCode) return UploadFailed();
    if (!ReadHold()) return UploadFailed();
    const std::string startup = core::SelectReadRetry(kRetries, kStartupGroup, kStartupItem);
    if (startup.empty()) return UploadFailed();
    txtStartup->setText(core::AfterColon(startup));

    for (int ch = 1; ch <= ChannelsInUse(); ++ch) {
        const int k = ch - 1;
        SetOwnChItemNo(ch);
        FillRangeList(k);
        if (!ReadParameters(ch)) return UploadFailed();
        SetUnitLabels(k, *rangeCode);
        const std::string dropout = core::SelectReadRetry(kRetries, Group(ch), kDropoutItem);
        if (dropout.empty()) return UploadFailed();
        txtDropout(k).setText(core::AfterColon(dropout));
        const auto range = ReadChannelRange(ch, /*reselect=*/true);
        if (!range) return UploadFailed();
        if (*rangeCode == 15) SetUnitLabels(k, *range);
        StepProgress();
    }
    UploadClosing();
}

// Per channel the six boxes as they stand, the range and the drop out; the hold setting where
// the network has it; the startup timer on every network.
void GF4AWindow::frmGF4A_Download() {
    DownloadOpening();
    for (int ch = 1; ch <= ChannelsInUse(); ++ch) {
        WriteParameters(ch);
        WriteChannelRange(ch);
        const Control& dropout = txtDropout(ch - 1);
        core::DownloadItemWrite(dropout.accessibleName(), kDropoutItem, dropout.text());
        StepProgress();
    }
    WriteHold();
    core::DownloadWrite(txtStartup->accessibleName(), kStartupGroup, kStartupItem,
                        txtStartup->text());
    DownloadClosing();
}

bool GF4AWindow::CheckData() {
    const int n = ChannelsInUse();
    for (int k = 0; k < n; ++k) {
        for (const auto* arr : {&txtZScale, &txtFScale, &txtGain, &txtBias, &txtDropout}) {
            if (!core::IsNumeric((*arr)(k).text())) return false;
        }
    }
    if (!core::IsNumeric(txtStartup->text())) return false;
    for (int k = 0; k < n; ++k) {
        if (!within(txtZScale(k).text(), 0, 60000) || !within(txtFScale(k).text(), 0, 60000) ||
            !within(txtBias(k).text(), -320, 320) || !within(txtGain(k).text(), -3.2, 3.2) ||
            !within(txtDropout(k).text(), 5, 50))
            return false;
    }
    return within(txtStartup->text(), 0, 600);
}

void GF4AWindow::txt_able(bool flag) {
    AnalogWindow::txt_able(flag);
    for (int k = 0; k < ChannelsInUse(); ++k) txtDropout(k).setEnabled(flag);
    txtStartup->setEnabled(flag);
}

}  // namespace dunax::modules
