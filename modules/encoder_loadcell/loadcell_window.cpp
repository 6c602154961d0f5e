// The load-cell windows' shared part: controls and layout, page buttons, switching of the
// edits, the upload and download steps, the monitoring pass and the data check.
#include "modules/encoder_loadcell/loadcell_window.h"

#include <algorithm>

#include "core/dispatch.h"
#include "core/download_record.h"
#include "core/ext_display.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/text.h"

namespace dunax::modules {

using layout::kBoxHeight;
using layout::kButtonHeight;
using layout::kContentWidth;
using layout::kLabelHeight;
using layout::kMargin;
using layout::kPageButtonWidth;
using platform::Control;
using platform::Kind;

namespace {

constexpr int kChannels = 2;

// --- Layout, in twips, beyond the shared one ---

// Page buttons in their frame, the filter mode beside them, the pages below.
constexpr int kSetModelTop = 1560;
constexpr int kSetModelWidth = 2880;
constexpr int kSetModelHeight = 480;
constexpr int kModeLeft = 3150;
constexpr int kModeWidth = 6000;
constexpr int kPageTop = 2085;
constexpr int kPageHeight = 4620;

// Both pages: row captions, then one column per channel, hints at the right.
constexpr int kCaptionLeft = 150;
constexpr int kCaptionWidth = 1560;
constexpr std::array<int, 2> kCol{1800, 4500};
constexpr int kBoxWidth = 1500;
constexpr int kButtonWidth = 1200;
constexpr int kButtonGap = 60;
constexpr int kSmallButtonWidth = 780;
constexpr int kHintLeft = 7140;
constexpr int kHintWidth = 2040;
constexpr int kHeadTop = 180;
constexpr int kRowTop = 480;
constexpr int kRowPitch = 420;
constexpr int kCaptionDrop = 30;  // a caption sits this far below the top of its box

}  // namespace

// "frmSD2" is titled "SD2".
LoadCellWindow::LoadCellWindow(const std::string& formName, int modelNum, bool full)
    : ModuleWindowParts(formName, formName.substr(3)), modelNum_(modelNum), full_(full) {
    buildValueFrame();
    buildPageButtons();
    buildFirstPage();
    buildSecondPage();
    wireButtons();

    // Design state: the first page; the calibration buttons off until an upload; the second
    // page's monitor output and gain adjustment out of sight until the firmware is known.
    cmdSet1->setEnabled(false);
    cmdSet2->setEnabled(full_);
    frmSet2->setVisible(false);
    if (!full_) {
        cmdSet1->setVisible(false);
        cmdSet2->setVisible(false);
    }
    for (Control* b : {cmdAutoZero0, cmdAutoZero1, cmdZero0, cmdZero1, cmdSpan0, cmdSpan1,
                       Command[1], Command[2]})
        b->setEnabled(false);
    txt_visible2(false);
}

// --- Building the window ---

// Module code, the two live values, the extension points.
void LoadCellWindow::buildValueFrame() {
    Frame1 = &addValueFrame();
    lblV_Unit = &addModuleCode(Frame1, 150, 330);
    addChannelValues(*Frame1, kChannels, txtParData);
    Label1 = find("Label1");
    Label2 = find("Label2");
    lblV_Ext = &addExtensionPoints(Frame1, kValueFrameExtension, lblExtIndex, txtChData);
}

void LoadCellWindow::buildPageButtons() {
    fraSetModel = &add(Kind::Frame, "fraSetModel");
    fraSetModel->setGeometry(kMargin, kSetModelTop, kSetModelWidth, kSetModelHeight);
    cmdSet1 = &add(Kind::CommandButton, "cmdSet1", fraSetModel);
    cmdSet1->setCaption("Setting 1").setGeometry(60, 75, kPageButtonWidth, 330);
    cmdSet2 = &add(Kind::CommandButton, "cmdSet2", fraSetModel);
    cmdSet2->setCaption("Setting 2")
        .setGeometry(60 + kPageButtonWidth + 90, 75, kPageButtonWidth, 330);
    if (full_) {
        lblMode = &add(Kind::Label, "lblMode");
        lblMode->setCaption("Mode").setGeometry(kModeLeft, kSetModelTop + 135, kModeWidth,
                                                kLabelHeight);
    }
    frmSet1 = &add(Kind::Frame, "frmSet1");
    frmSet1->setGeometry(kMargin, kPageTop, kContentWidth, kPageHeight);
    frmSet2 = &add(Kind::Frame, "frmSet2");
    frmSet2->setGeometry(kMargin, kPageTop, kContentWidth, kPageHeight);
}

void LoadCellWindow::addChannelHeadings(Control* page, const char* name0, const char* name1,
                                        Control*& head0, Control*& head1) {
    head0 = &add(Kind::Label, name0, page);
    head1 = &add(Kind::Label, name1, page);
    for (int k = 0; k < kChannels; ++k) {
        (k == 0 ? head0 : head1)
            ->setCaption(ChannelName(k))
            .setAlignment(2)
            .setGeometry(kCol[static_cast<std::size_t>(k)], kHeadTop, kBoxWidth, kLabelHeight);
    }
}

Control& LoadCellWindow::addChannelButton(Control* page, const std::string& name,
                                          const char* caption, int k) {
    return add(Kind::CommandButton, name, page)
        .setCaption(caption)
        .setAccessibleName(ChannelName(k) + " " + caption);
}

// Row by row, so that the tab order follows reading order.
void LoadCellWindow::buildFirstPage() {
    Control* p = frmSet1;
    addChannelHeadings(p, "Label4", "Label3", Label4, Label3);

    struct Row {
        const char* box;
        platform::ControlArray* arr;
        const char* title;
        const char* caption;
        const char* hintName;
        const char* hint;
    };
    const std::array<Row, 5> rows{{
        {"txtZScale", &txtZScale, "lblZScale01", "Zero scale", "lblZScale", "-32000 to 32000"},
        {"txtFScale", &txtFScale, "lblFScale01", "Full scale", "lblFScale", "-32000 to 32000"},
        {"txtBias", &txtBias, "lblBias01", "Bias", "lblBias", "-320.00 to 320.00"},
        {"txtGain", &txtGain, "lblGain01", "Gain", "lblGain", "-3.2000 to 3.2000"},
        {"txtZBase", &txtZBase, "lblZBase01", "Load ratio", "lblZBase", "10.00 to 100.00"},
    }};
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const Row& row = rows[r];
        const int top = kRowTop + static_cast<int>(r) * kRowPitch;
        add(Kind::Label, row.title, p)
            .setCaption(row.caption)
            .setGeometry(kCaptionLeft, top + kCaptionDrop, kCaptionWidth, kLabelHeight);
        for (int k = 0; k < kChannels; ++k) {
            add(Kind::TextBox, row.box, k, p, *row.arr)
                .setAccessibleName(ChannelName(k) + " " + row.caption)
                .setAlignment(1)
                .setGeometry(kCol[static_cast<std::size_t>(k)], top, kBoxWidth, kBoxHeight);
        }
        add(Kind::Label, row.hintName, p)
            .setCaption(row.hint)
            .setGeometry(kHintLeft, top + kCaptionDrop, kHintWidth, kLabelHeight);
    }

    // Calibration buttons: two rows of two per channel, then the value read after them.
    const int buttonTop = kRowTop + 5 * kRowPitch + 60;
    auto button = [this, p](const std::string& name, const char* caption, int k, int slot,
                            int line) {
        Control& b = addChannelButton(p, name, caption, k);
        b.setGeometry(kCol[static_cast<std::size_t>(k)] + slot * (kButtonWidth + kButtonGap),
                      buttonTop + line * (kButtonHeight + kButtonGap), kButtonWidth, kButtonHeight);
        return &b;
    };
    cmdAutoZero0 = button("cmdAutoZero0", "Auto Zero", 0, 0, 0);
    cmdZero0 = button("cmdZero0", "Zero", 0, 1, 0);
    cmdAutoZero1 = button("cmdAutoZero1", "Auto Zero", 1, 0, 0);
    cmdZero1 = button("cmdZero1", "Zero", 1, 1, 0);
    cmdSpan0 = button("cmdSpan0", "Span", 0, 0, 1);
    Command[2] = button("Command2", "Offset Clear", 0, 1, 1);
    cmdSpan1 = button("cmdSpan1", "Span", 1, 0, 1);
    Command[1] = button("Command1", "Offset Clear", 1, 1, 1);

    const int valueTop = buttonTop + 2 * (kButtonHeight + kButtonGap) + 60;
    for (int k = 0; k < kChannels; ++k) {
        add(Kind::TextBox, "txtParData2", k, p, txtParData2)
            .setLocked(true)
            .setAlignment(1)
            .setAccessibleName(ChannelName(k) + " Value after calibration")
            .setGeometry(kCol[static_cast<std::size_t>(k)], valueTop, kBoxWidth, kBoxHeight);
    }
}

void LoadCellWindow::buildSecondPage() {
    Control* p = frmSet2;
    addChannelHeadings(p, "Label6", "Label5", Label6, Label5);
    auto button = [this, p](const std::string& name, const char* caption, int k, int left, int top,
                            int width) {
        Control& b = addChannelButton(p, name, caption, k);
        b.setGeometry(left, top, width, kButtonHeight);
        return &b;
    };
    auto box = [this, p](const char* name, platform::ControlArray& arr, const char* title,
                         int top) {
        for (int k = 0; k < kChannels; ++k) {
            add(Kind::TextBox, name, k, p, arr)
                .setAccessibleName(ChannelName(k) + " " + title)
                .setAlignment(1)
                .setGeometry(kCol[static_cast<std::size_t>(k)], top, kBoxWidth, kBoxHeight);
        }
    };

    // Monitor output: the value, then Auto Scale and Output, then Canncel.
    int top = kRowTop;
    lblAdj = &add(Kind::Label, "lblAdj", p);
    lblAdj->setCaption("Monitor Output")
        .setGeometry(kCaptionLeft, top + kCaptionDrop, kCaptionWidth, kLabelHeight);
    box("txtAdjscale", txtAdjscale, "Monitor Output", top);
    top += kRowPitch;
    const int second = kButtonWidth + kButtonGap;
    for (int k = 0; k < kChannels; ++k) {
        const int x = kCol[static_cast<std::size_t>(k)];
        if (full_) {
            (k == 0 ? cmdApplyCH0 : cmdApplyCH1) = button(k == 0 ? "cmdApplyCH0" : "cmdApplyCH1",
                                                          "Auto Scale", k, x, top, kButtonWidth);
        }
        Command[k == 0 ? 4 : 3] =
            button(k == 0 ? "Command4" : "Command3", "Output", k, x + second, top, kButtonWidth);
    }
    top += kButtonHeight + kButtonGap;
    for (int k = 0; k < kChannels; ++k) {
        Command[k == 0 ? 6 : 5] = button(k == 0 ? "Command6" : "Command5", "Canncel", k,
                                         kCol[static_cast<std::size_t>(k)], top, kButtonWidth);
    }

    // Gain adjustment: the value, then UP, DOWN and APPLY.
    top += kButtonHeight + 180;
    lblAdjgain = &add(Kind::Label, "lblAdjgain", p);
    lblAdjgain->setCaption("Gain adjustment")
        .setGeometry(kCaptionLeft, top + kCaptionDrop, kCaptionWidth, kLabelHeight);
    box("txtAdjGain", txtAdjGain, "Gain adjustment", top);
    top += kRowPitch;
    const int pitch = kSmallButtonWidth + kButtonGap;
    for (int k = 0; k < kChannels; ++k) {
        const int x = kCol[static_cast<std::size_t>(k)];
        const std::string ch = k == 0 ? "CH0" : "CH1";
        (k == 0 ? cmdGainUPCH0 : cmdGainUPCH1) =
            button("cmdGainUP" + ch, "UP", k, x, top, kSmallButtonWidth);
        (k == 0 ? cmdGainDOWNCH0 : cmdGainDOWNCH1) =
            button("cmdGainDOWN" + ch, "DOWN", k, x + pitch, top, kSmallButtonWidth);
        (k == 0 ? cmdGainApplyCH0 : cmdGainApplyCH1) =
            button("cmdGainApply" + ch, "APPLY", k, x + 2 * pitch, top, kSmallButtonWidth);
    }

    if (!full_) return;
    top += kButtonHeight + 240;
    Frame2 = &addHoldFrame("Frame2", p, kCaptionLeft, top, optKeepOn, optKeepOff);
}

void LoadCellWindow::wireButtons() {
    cmdSet1->onClick = [this] { cmdSet1_Click(); };
    cmdSet2->onClick = [this] { cmdSet2_Click(); };
    for (int k = 0; k < kChannels; ++k) {
        const bool c0 = k == 0;
        (c0 ? cmdZero0 : cmdZero1)->onClick = [this, k] { Calibrate(k, 30); };
        (c0 ? cmdSpan0 : cmdSpan1)->onClick = [this, k] { Calibrate(k, 31); };
        (c0 ? cmdAutoZero0 : cmdAutoZero1)->onClick = [this, k] { Calibrate(k, 32); };
        Command[c0 ? 2 : 1]->onClick = [this, k] { Calibrate(k, 33); };
        Command[c0 ? 4 : 3]->onClick = [this, k] { Output(k); };
        Command[c0 ? 6 : 5]->onClick = [this, k] { Cancel(k); };
        (c0 ? cmdGainUPCH0 : cmdGainUPCH1)->onClick = [this, k] { GainAdjust(k, "U"); };
        (c0 ? cmdGainDOWNCH0 : cmdGainDOWNCH1)->onClick = [this, k] { GainAdjust(k, "D"); };
        (c0 ? cmdGainApplyCH0 : cmdGainApplyCH1)->onClick = [this, k] { GainAdjust(k, ""); };
        if (full_) (c0 ? cmdApplyCH0 : cmdApplyCH1)->onClick = [this, k] { AutoScale(k); };
    }
}

// --- Pages ---

void LoadCellWindow::cmdSet1_Click() {
    ShowSettingsPage(*cmdSet1, *frmSet1, *cmdSet2, *frmSet2, 1);
}

void LoadCellWindow::cmdSet2_Click() {
    ShowSettingsPage(*cmdSet1, *frmSet1, *cmdSet2, *frmSet2, 2);
}

int LoadCellWindow::ChannelsInUse() {
    return std::clamp(core::g.ChCount, 0, kChannels);
}

// --- Edits ---

void LoadCellWindow::txt_able(bool flag) {
    for (int k = 0; k < ChannelsInUse(); ++k) {
        for (auto* arr : {&txtZScale, &txtFScale, &txtBias, &txtGain, &txtZBase})
            (*arr)(k).setEnabled(flag);
    }
    for (Control* b : {cmdAutoZero0, cmdAutoZero1, cmdSpan0, cmdSpan1, cmdZero0, cmdZero1,
                       Command[1], Command[2], optKeepOn, optKeepOff}) {
        if (b) b->setEnabled(flag);
    }
    txtParData2(0).setText("");
    txtParData2(1).setText("");
}

void LoadCellWindow::txt_able2(bool flag) {
    for (int k = 0; k < ChannelsInUse(); ++k) {
        txtAdjscale(k).setEnabled(flag);
        txtAdjGain(k).setEnabled(flag);
    }
    for (Control* b :
         {cmdApplyCH0, cmdApplyCH1, Command[3], Command[4], Command[5], Command[6], cmdGainUPCH0,
          cmdGainUPCH1, cmdGainDOWNCH0, cmdGainDOWNCH1, cmdGainApplyCH0, cmdGainApplyCH1}) {
        if (b) b->setEnabled(flag);
    }
}

void LoadCellWindow::txt_visible2(bool flag) {
    for (Control* c :
         {lblMode,        lblAdj,         &txtAdjscale(0), &txtAdjscale(1), cmdApplyCH0,
          cmdApplyCH1,    Command[3],     Command[4],      Command[5],      Command[6],
          lblAdjgain,     &txtAdjGain(0), &txtAdjGain(1),  cmdGainUPCH0,    cmdGainUPCH1,
          cmdGainDOWNCH0, cmdGainDOWNCH1, cmdGainApplyCH0, cmdGainApplyCH1, Label5,
          Label6}) {
        if (c) c->setVisible(flag);
    }
}

// --- Upload steps ---

void LoadCellWindow::UploadOpening() {
    ShowSettingsPage(*cmdSet1, *frmSet1, *cmdSet2, *frmSet2, 1, /*locked=*/true);
    txt_able(false);
    txt_able2(false);
    core::ShowLoading("Initializing");
    lblV_Unit->setCaption(core::AfterHyphen(core::g.ModelName));
    core::ExtDisplayInit(*this);
}

void LoadCellWindow::SetOwnChItemNo(int ch) const {
    SetChItemNo(ch, modelNum_);
}

bool LoadCellWindow::ReadSettings(int ch) {
    SetOwnChItemNo(ch);
    auto& rec = core::g.ChItem[static_cast<std::size_t>(ch)];
    for (int p = 1; p <= 5; ++p) {
        const std::string reply = p == 1 ? core::SelectReadRetry(kRetries, Group(ch), rec.item(p))
                                         : core::ItemReadRetry(kRetries, rec.item(p));
        if (reply.empty()) return false;
        rec.value(p) = core::AfterColon(reply);
    }
    const int k = ch - 1;
    txtZScale(k).setText(rec.Value1);
    txtFScale(k).setText(rec.Value2);
    txtBias(k).setText(rec.Value3);
    txtGain(k).setText(rec.Value4);
    txtZBase(k).setText(rec.Value5);
    return true;
}

bool LoadCellWindow::ReadChannelItem(int ch, const std::string& item, Control& box) {
    const std::string reply = core::SelectReadRetry(kRetries, Group(ch), item);
    if (reply.empty()) return false;
    box.setText(core::AfterColon(reply));
    return true;
}

// --- Download steps ---

void LoadCellWindow::DownloadOpening() {
    txt_able(false);
    txt_able2(false);
    core::ShowLoading("Downloading");
}

void LoadCellWindow::WriteSettings(int ch) {
    SetOwnChItemNo(ch);
    const auto& rec = core::g.ChItem[static_cast<std::size_t>(ch)];
    const int k = ch - 1;
    core::DownloadWrite(txtZScale(k).accessibleName(), Group(ch), rec.Item1, txtZScale(k).text());
    for (auto [item, box] : {std::pair{&rec.Item2, &txtFScale}, std::pair{&rec.Item3, &txtBias},
                             std::pair{&rec.Item4, &txtGain}, std::pair{&rec.Item5, &txtZBase}}) {
        core::DownloadItemWrite((*box)(k).accessibleName(), *item, (*box)(k).text());
    }
}

void LoadCellWindow::DownloadClosing() {
    CloseProgress();
    // No read-back follows a download the unit stopped answering: the entries open again.
    if (!core::DownloadUnitGone()) return;
    if (full_) {
        ReopenSettingsPage(*cmdSet1, *frmSet1, *cmdSet2, *frmSet2);
        txt_able2(true);
    }
    txt_able(true);
}

// --- Monitoring ---

// Both live values whatever the channel count; an empty or non-numeric value leaves its box.
void LoadCellWindow::ReadingData() {
    ReadLiveValues(txtParData, kChannels);
    RefreshExtensionPoints(*this);
}

// --- Data check ---

bool LoadCellWindow::CheckData() {
    const int n = ChannelsInUse();
    if (n < 1) return false;  // nothing was tested
    for (int k = 0; k < n; ++k) {
        for (auto* arr : {&txtZScale, &txtFScale, &txtGain, &txtBias, &txtZBase}) {
            if (!core::IsNumeric((*arr)(k).text())) return false;
        }
    }
    for (int k = 0; k < n; ++k) {
        const auto z = core::ToDouble(txtZScale(k).text());
        const auto f = core::ToDouble(txtFScale(k).text());
        const auto b = core::ToDouble(txtBias(k).text());
        const auto gn = core::ToDouble(txtGain(k).text());
        const auto r = core::ToDouble(txtZBase(k).text());
        if (!z || !f || !b || !gn || !r) return false;
        if (*z > 32000 || *z < -32000 || *f > 32000 || *f < -32000) return false;
        if (*b > 320 || *b < -320) return false;
        if (*gn > 3.2 || *gn < -3.2) return false;
        if (*r > 100 || *r < 10) return false;
        const auto zi = core::RoundHalfEven16(*z);
        const auto fi = core::RoundHalfEven16(*f);
        if (!zi || !fi) return false;
        txtZScale(k).setText(std::to_string(*zi));
        txtFScale(k).setText(std::to_string(*fi));
    }
    return true;
}

}  // namespace dunax::modules
