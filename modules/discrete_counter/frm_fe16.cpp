#include "modules/discrete_counter/frm_fe16.h"

#include "core/globals.h"
#include "core/link.h"

namespace dunax::modules {

using layout::kBoxHeight;
using layout::kLabelHeight;
using platform::Control;
using platform::Kind;

platform::FormInstance<FE16Window> frmFE16;

namespace {

constexpr int kModel = 10;

CounterDesign fe16Design() {
    CounterDesign d;
    d.formName = "frmFE16";
    d.caption = "FE16";
    d.channels = 16;
    d.bitItem = "20";
    d.firstCountItem = 21;  // items 21..36
    d.bounds = {0, 1000000000.0, CounterBounds{}.carryHigh, true};
    return d;
}

// Two blocks of eight rows side by side: CH 0..CH 7 on the left, CH 8..CH F on the right.
constexpr int kBlockLeft[2] = {120, 4740};
constexpr int kHeadTop = 240;
constexpr int kRowTop = 540;
constexpr int kRowPitch = 480;

int rowTop(int k) {
    return kRowTop + (k % 8) * kRowPitch;
}

int blockLeft(int k) {
    return kBlockLeft[k / 8];
}

}  // namespace

FE16Window::FE16Window() : CounterWindow(fe16Design()) {
    buildSettingsPage();
    buildPresetPage();
}

// Per row: the channel, its count, Max and Carry.
void FE16Window::buildSettingsPage() {
    Control& page = *frmSet1;
    for (int b = 0; b < 2; ++b) {
        const int x = kBlockLeft[b];
        add(Kind::Label, "lblCount", b, &page, lblCount)
            .setCaption("Count")
            .setGeometry(x + 600, kHeadTop, 1260, kLabelHeight);
        add(Kind::Label, "lblMax", b, &page, lblMax)
            .setCaption("Max")
            .setGeometry(x + 1950, kHeadTop, 1260, kLabelHeight);
        add(Kind::Label, "lblCarry", b, &page, lblCarry)
            .setCaption("Carry")
            .setGeometry(x + 3300, kHeadTop, 1200, kLabelHeight);
    }
    for (int k = 0; k < 16; ++k) {
        const int x = blockLeft(k), top = rowTop(k);
        const std::string ch = ChName(k);
        add(Kind::Label, "lblChNo", k, &page, lblChNo)
            .setCaption(ch)
            .setGeometry(x, top + 30, 540, kLabelHeight);
        add(Kind::TextBox, "txtPA", k, &page, txtPA)
            .setLocked(true)
            .setAlignment(1)
            .setAccessibleName(ch + " Count")
            .setGeometry(x + 600, top, 1260, kBoxHeight);
        add(Kind::TextBox, "txtFScale", k, &page, txtFScale)
            .setAlignment(1)
            .setAccessibleName(ch + " Max")
            .setGeometry(x + 1950, top, 1260, kBoxHeight);
        add(Kind::TextBox, "txtOver", k, &page, txtOver)
            .setAlignment(1)
            .setAccessibleName(ch + " Carry")
            .setGeometry(x + 3300, top, 1200, kBoxHeight);
    }
}

// Per row: the preset value and the button that sends it; Output Hold/Clear to the right.
void FE16Window::buildPresetPage() {
    constexpr int presetBlockLeft[2] = {120, 2700};
    Control& page = *frmSet2;
    Label17 = &add(Kind::Label, "Label17", &page);
    Label17->setCaption("Preset Count")
        .setGeometry(presetBlockLeft[0], kHeadTop, 2340, kLabelHeight);
    Label16 = &add(Kind::Label, "Label16", &page);
    Label16->setCaption("Preset  Count")
        .setGeometry(presetBlockLeft[1], kHeadTop, 2340, kLabelHeight);
    for (int k = 0; k < 16; ++k) {
        const int x = presetBlockLeft[k / 8], top = rowTop(k);
        add(Kind::TextBox, "txtPreset", k, &page, txtPreset)
            .setAlignment(1)
            .setAccessibleName(ChName(k) + " Preset")
            .setGeometry(x, top, 1500, kBoxHeight);
        Control& button = add(Kind::CommandButton, "cmdPreset", k, &page, cmdPreset);
        button.setCaption(ChName(k)).setGeometry(x + 1590, top - 38, 750, 360);
        button.onClick = [this, k] { cmdPreset_Click(k); };
    }
    BuildHold(page, 5400, kHeadTop);
}

// Hold, then Carry (13) and Max (14) of each channel in the group "1".."16".
void FE16Window::frmFE16_Init() {
    ShowFirstPage();
    txt_able(false);
    preset_able(false);
    UploadLoading();
    if (!ReadHold()) return UploadFailed();
    for (int ch = 1; ch <= ChannelsInUse(); ++ch) {
        SetChItemNo(ch, kModel);
        const auto& rec = core::g.ChItem[static_cast<std::size_t>(ch)];
        if (!ReadCarryMax(ch, PlainGroup(ch), rec.Item1, rec.Item2)) return UploadFailed();
        StepProgress();
    }
    UploadClosing();
}

// Carry and Max of each channel in the group "01".."16", then the hold.
void FE16Window::frmFE16_Download() {
    DownloadOpening();
    for (int ch = 1; ch <= ChannelsInUse(); ++ch) {
        // This model's own items, whatever another window or an opened file left in the
        // channel records: a download never writes to another model's items.
        SetChItemNo(ch, kModel);
        const auto& rec = core::g.ChItem[static_cast<std::size_t>(ch)];
        WriteCarryMax(ch, TwoDigitGroup(ch), rec.Item1, rec.Item2);
        StepProgress();
    }
    WriteHoldAndClose();
}

// The preset value to item 11 of the channel's two-digit group; the reply carries the new
// count. A value that is not a count from 0 to 4294967295 is never sent.
void FE16Window::cmdPreset_Click(int Index) {
    if (!IsChannel(Index) || txtPreset(Index).text().empty()) return;
    if (!CheckData2(Index)) return PresetRangeMessage();
    const std::string reply =
        core::SelectWriteRetry(kRetries, TwoDigitGroup(Index + 1), "11", txtPreset(Index).text());
    ShowPresetReply(Index, reply);
}

}  // namespace dunax::modules
