#include "modules/discrete_counter/counter_frame.h"

#include <algorithm>

#include "core/dispatch.h"
#include "core/download_record.h"
#include "core/ext_display.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/main_window.h"
#include "core/text.h"
#include "platform/host.h"

namespace dunax::modules {

using platform::Control;
using platform::Kind;
using namespace layout;

namespace {

// --- Layout, in twips, beyond the shared one ---

// "Value" frame: module code on the left; the bit image lamps under their point numbers, and
// under them the extension points.
constexpr int kLampsLeft = kValueColLeft;
constexpr int kBitHeaderTop = 270;
constexpr int kBitHeader8Width = 3000;

// Rows of a page.
constexpr int kHeadTop = 240;
constexpr int kRowTop = 540;
constexpr int kRowPitch = 480;
constexpr int kPresetButtonWidth = 750;

constexpr const char* kHex = "0123456789ABCDEF";

}  // namespace

CounterWindow::CounterWindow(CounterDesign design)
    : ModuleWindowParts(design.formName, design.caption),
      design_(std::move(design)),
      bitImage_(BitImageVariantOf(design_.formName)) {
    buildValueFrame();
    buildPageFrames();
}

std::string CounterWindow::ChName(int k) {
    return std::string("CH ") + kHex[std::clamp(k, 0, 15)];
}

std::string CounterWindow::TwoDigitGroup(int ch) {
    return (ch < 10 ? "0" : "") + std::to_string(ch);
}

int CounterWindow::ChannelsInUse() const {
    return std::clamp(core::g.ChCount, 0, design_.channels);
}

// --- Building the window ---

void CounterWindow::buildValueFrame() {
    Frame1 = &addValueFrame();
    lblV_Unit = &addModuleCode(Frame1, 150, 330);

    // Bit image: its point numbers above it, one lamp per channel.
    const bool sixteen = design_.channels > 8;
    add(Kind::Label, "lblExtIndex", 1, Frame1, lblExtIndex)
        .setCaption(sixteen ? core::kExtHeader16 : core::kExtHeader8)
        .setGeometry(kLampsLeft, kBitHeaderTop, sixteen ? kLampHeaderWidth : kBitHeader8Width,
                     kLampHeaderHeight);
    for (int n = 0; n < bitImage_.boxes; ++n) {
        add(Kind::TextBox, "txtCData", n, Frame1, txtCData)
            .setLocked(true)
            .setAccessibleName(std::string("Point ") + kHex[n])
            .setGeometry(kLampsLeft + LampOffset(n), kBitHeaderTop + kLampBelowHeader, kLampWidth,
                         kLampHeight);
    }

    // Extension points, hidden until the extension display shows them, under the lamps.
    ExtensionPlace ext = kValueFrameExtension;
    ext.header = core::kExtHeader16;
    lblV_Ext = &addExtensionPoints(Frame1, ext, lblExtIndex, txtChData);
}

void CounterWindow::buildPageFrames() {
    cmdSet1 = &addPageButton("cmdSet1", "Setting 1", 0);
    cmdSet1->setEnabled(false);
    cmdSet1->onClick = [this] { cmdSet1_Click(); };
    cmdSet2 = &addPageButton("cmdSet2", "Setting 2", 1);
    cmdSet2->onClick = [this] { cmdSet2_Click(); };

    frmSet1 = &addPage("frmSet1", kPageTop);
    frmSet2 = &addPage("frmSet2", kPageTop);
    frmSet2->setVisible(false);
}

void CounterWindow::BuildHold(Control& page, int left, int top) {
    Frame4 = &addHoldFrame("Frame4", &page, left, top, optKeepOn, optKeepOff);
}

// One row per channel: its number, count, Max and Carry, then the preset value and the button
// that sends it. Controls are made row by row so that the tab order follows reading order.
void CounterWindow::BuildEightChannelPages() {
    constexpr int chLeft = 150, chWidth = 540;
    constexpr int countLeft = 780, countWidth = 1500;
    constexpr int maxLeft = 2400, maxWidth = 2100;
    constexpr int carryLeft = 4620, carryWidth = 1200;
    constexpr int presetLeft = 5940, presetWidth = 1500;
    constexpr int buttonLeft = presetLeft + presetWidth + 90;

    Control& page = *frmSet1;
    add(Kind::Label, "Label34", &page)
        .setCaption("Count")
        .setGeometry(countLeft, kHeadTop, countWidth, kLabelHeight);
    add(Kind::Label, "lblFScale01", &page)
        .setCaption("Max(1000-4294967295)")
        .setGeometry(maxLeft, kHeadTop, maxWidth, kLabelHeight);
    add(Kind::Label, "Label18", &page)
        .setCaption("Carry(0or1)")
        .setGeometry(carryLeft, kHeadTop, carryWidth, kLabelHeight);
    add(Kind::Label, "Label8", &page)
        .setCaption("Preset(0 - 4294967295)")
        .setGeometry(presetLeft, kHeadTop, buttonLeft + kPresetButtonWidth - presetLeft,
                     kLabelHeight);

    for (int k = 0; k < design_.channels; ++k) {
        const int top = kRowTop + k * kRowPitch;
        const std::string ch = ChName(k);
        add(Kind::Label, "lblChNo", k, &page, lblChNo)
            .setCaption(ch)
            .setGeometry(chLeft, top + 30, chWidth, kLabelHeight);
        add(Kind::TextBox, "txtPA", k, &page, txtPA)
            .setLocked(true)
            .setAlignment(1)
            .setAccessibleName(ch + " Count")
            .setGeometry(countLeft, top, countWidth, kBoxHeight);
        add(Kind::TextBox, "txtFScale", k, &page, txtFScale)
            .setAlignment(1)
            .setAccessibleName(ch + " Max")
            .setGeometry(maxLeft, top, maxWidth, kBoxHeight);
        add(Kind::TextBox, "txtOver", k, &page, txtOver)
            .setAlignment(1)
            .setAccessibleName(ch + " Carry")
            .setGeometry(carryLeft, top, carryWidth, kBoxHeight);
        add(Kind::TextBox, "txtPreset", k, &page, txtPreset)
            .setAlignment(1)
            .setAccessibleName(ch + " Preset")
            .setGeometry(presetLeft, top, presetWidth, kBoxHeight);
        Control& button = add(Kind::CommandButton, "cmdPreset", k, &page, cmdPreset);
        button.setCaption(ch).setGeometry(buttonLeft, top - 38, kPresetButtonWidth, 360);
        button.onClick = [this, k] { cmdPreset_Click(k); };
    }

    BuildHold(*frmSet2, 150, kHeadTop);
}

// --- Pages ---

void CounterWindow::cmdSet1_Click() {
    ShowSettingsPage(*cmdSet1, *frmSet1, *cmdSet2, *frmSet2, 1);
}

void CounterWindow::cmdSet2_Click() {
    ShowSettingsPage(*cmdSet1, *frmSet1, *cmdSet2, *frmSet2, 2);
}

// --- Upload ---

void CounterWindow::ShowFirstPage() {
    ShowSettingsPage(*cmdSet1, *frmSet1, *cmdSet2, *frmSet2, 1, /*locked=*/true);
}

void CounterWindow::UploadLoading() {
    core::ShowLoading("Initializing");
    lblV_Unit->setCaption(core::AfterHyphen(core::g.ModelName));
    core::ExtDisplayInit(*this);
}

bool CounterWindow::ReadHold() {
    return ReadHoldChoice(*optKeepOn, *optKeepOff);
}

bool CounterWindow::ReadCarryMax(int ch, const std::string& group, const std::string& carryItem,
                                 const std::string& maxItem) {
    auto& rec = core::g.ChItem[static_cast<std::size_t>(ch)];
    const int k = ch - 1;
    std::string reply = core::SelectReadRetry(kRetries, group, carryItem);
    if (reply.empty()) return false;
    rec.Value1 = core::AfterColon(reply);
    txtOver(k).setText(rec.Value1);

    reply = core::SelectReadRetry(kRetries, group, maxItem);
    if (reply.empty()) return false;
    rec.Value2 = core::AfterColon(reply);
    txtFScale(k).setText(rec.Value2);
    return true;
}

void CounterWindow::UploadClosing() {
    CloseProgress();
    cmdSet2->setEnabled(true);
    txt_able(true);
}

// --- Download ---

void CounterWindow::DownloadOpening() {
    txt_able(false);
    preset_able(false);
    cmdSet1->setEnabled(false);
    cmdSet2->setEnabled(false);
    core::ShowLoading("Downloading");
}

void CounterWindow::WriteCarryMax(int ch, const std::string& group, const std::string& carryItem,
                                  const std::string& maxItem) {
    const int k = ch - 1;
    core::DownloadWrite(txtOver(k).accessibleName(), group, carryItem, txtOver(k).text());
    core::DownloadWrite(txtFScale(k).accessibleName(), group, maxItem, txtFScale(k).text());
}

void CounterWindow::WriteHoldAndClose() {
    WriteHoldChoice(*optKeepOn);
    // Also when the hold write got no answer: a download that ends must not leave its progress
    // window behind (the read-back upload may not reach this window at all).
    CloseProgress();
    // No read-back follows a download the unit stopped answering: the page buttons and edits
    // open again with the entries as they stand, for another try.
    if (!core::DownloadUnitGone()) return;
    ReopenSettingsPage(*cmdSet1, *frmSet1, *cmdSet2, *frmSet2);
    txt_able(true);
}

// --- Monitoring ---

void CounterWindow::ReadingData() {
    core::SelectWriteRetry(kRetries, "00", "01", "F");
    // A refusal or "NEEDLESS" carries no image and leaves the lamps as they are.
    CDataDisplayReply(txtCData, bitImage_, core::ItemReadRetry(kRetries, design_.bitItem));
    RefreshExtensionPoints(*this);
    for (int k = 0; k < design_.channels; ++k) {
        const std::string reply =
            core::ItemReadRetry(kRetries, std::to_string(design_.firstCountItem + k));
        if (!reply.empty()) txtPA(k).setText(core::AfterColon(reply));
    }
}

void CounterWindow::CDataDisplay(const std::string& hex) {
    modules::CDataDisplay(txtCData, bitImage_, hex);
}

// --- Checks ---

bool CounterWindow::CheckData() {
    const int n = ChannelsInUse();
    if (n == 0) return false;  // nothing was tested
    for (int k = 0; k < n; ++k) {
        if (!core::IsNumeric(txtOver(k).text()) || !core::IsNumeric(txtFScale(k).text())) {
            return false;
        }
    }
    const CounterBounds& b = design_.bounds;
    for (int k = 0; k < n; ++k) {
        const auto max = core::ToDouble(txtFScale(k).text());
        const auto carry = core::ToDouble(txtOver(k).text());
        if (!max || !carry) return false;
        if (*max < b.maxLow || *max > b.maxHigh || *carry < 0 || *carry > b.carryHigh ||
            (b.carryWithinMax && *carry > *max)) {
            return false;
        }
        txtFScale(k).setText(core::ShortestDecimal(*max));
        txtOver(k).setText(core::ShortestDecimal(*carry));
    }
    return true;
}

bool CounterWindow::CheckData2(int Index) {
    if (!IsChannel(Index)) return false;
    Control& box = txtPreset(Index);
    const auto v = core::IsNumeric(box.text()) ? core::ToDouble(box.text()) : std::nullopt;
    if (!v || *v < 0 || *v > kPresetHigh) return false;
    box.setText(core::ShortestDecimal(*v));
    return true;
}

// --- Edits ---

void CounterWindow::txt_able(bool flag) {
    for (int k = 0; k < ChannelsInUse(); ++k) {
        txtFScale(k).setEnabled(flag);
        txtPreset(k).setEnabled(flag);
        txtOver(k).setEnabled(flag);
    }
    optKeepOn->setEnabled(flag);
    optKeepOff->setEnabled(flag);
}

bool CounterWindow::preset_able(bool flag) {
    for (int k = 0; k < design_.channels; ++k) cmdPreset(k).setEnabled(flag);
    return false;  // the result means nothing to its callers
}

// --- Preset ---

void CounterWindow::ShowPresetReply(int Index, const std::string& reply) {
    if (reply.empty() || reply == "NG") return;
    txtPA(Index).setText(core::AfterColon(reply));
}

void CounterWindow::PresetRangeMessage() {
    platform::host().messageBox(core::DataRangeMessage(0), platform::Icon::Critical,
                                platform::Buttons::OK, "Data Range Error");
}

}  // namespace dunax::modules
