#include "modules/discrete_counter/frm_fe8.h"

#include <string>

#include "core/link.h"

namespace dunax::modules {

platform::FormInstance<FE8Window> frmFE8;

namespace {

CounterDesign fe8Design() {
    CounterDesign d;
    d.formName = "frmFE8";
    d.caption = "FE8";
    d.channels = 8;
    d.bitItem = "20";
    d.firstCountItem = 21;  // items 21..28
    d.bounds = {10, 4294967295.0, CounterBounds{}.carryHigh, false};
    return d;
}

std::string carryItem(int k) {
    return std::to_string(30 + 2 * k);
}

std::string maxItem(int k) {
    return std::to_string(31 + 2 * k);
}

}  // namespace

FE8Window::FE8Window() : CounterWindow(fe8Design()) {
    BuildEightChannelPages();
}

// Hold, then Carry and Max of each channel, all in group "00".
void FE8Window::frmFE8_Init() {
    ShowFirstPage();
    txt_able(false);
    preset_able(false);
    UploadLoading();
    if (!ReadHold()) return UploadFailed();
    for (int ch = 1; ch <= ChannelsInUse(); ++ch) {
        if (!ReadCarryMax(ch, "00", carryItem(ch - 1), maxItem(ch - 1))) return UploadFailed();
        StepProgress();
    }
    UploadClosing();
}

// Carry and Max of each channel, then the hold.
void FE8Window::frmFE8_Download() {
    DownloadOpening();
    for (int ch = 1; ch <= ChannelsInUse(); ++ch) {
        WriteCarryMax(ch, "00", carryItem(ch - 1), maxItem(ch - 1));
        StepProgress();
    }
    WriteHoldAndClose();
}

// A checked preset value to the channel's count item; the reply carries the new count.
void FE8Window::cmdPreset_Click(int Index) {
    if (!IsChannel(Index)) return;
    if (!CheckData2(Index)) return PresetRangeMessage();
    const std::string reply =
        core::SelectWriteRetry(kRetries, "00", std::to_string(21 + Index), txtPreset(Index).text());
    ShowPresetReply(Index, reply);
}

}  // namespace dunax::modules
