#include "modules/discrete_counter/frm_j6ufe8.h"

#include <string>

#include "core/link.h"

namespace dunax::modules {

platform::FormInstance<J6UFE8Window> frmJ6UFE8;

namespace {

CounterDesign j6ufe8Design() {
    CounterDesign d;
    d.formName = "frmJ6UFE8";
    d.caption = "J6U-FE8";
    d.channels = 8;
    d.bitItem = "16";
    d.firstCountItem = 17;  // items 17..24
    d.bounds = {1000, 4294967295.0, 1, false};
    return d;
}

}  // namespace

J6UFE8Window::J6UFE8Window() : CounterWindow(j6ufe8Design()) {
    BuildEightChannelPages();
}

// Hold, then Carry (13) and Max (14) of each channel in its group "01".."08".
void J6UFE8Window::frmJ6UFE8_Init() {
    ShowFirstPage();
    txt_able(false);
    UploadLoading();
    preset_able(false);
    if (!ReadHold()) return UploadFailed();
    for (int ch = 1; ch <= ChannelsInUse(); ++ch) {
        if (!ReadCarryMax(ch, TwoDigitGroup(ch), "13", "14")) return UploadFailed();
        StepProgress();
    }
    UploadClosing();
}

// Carry and Max of each channel in its group "01".."08", then the hold.
void J6UFE8Window::frmJ6UFE8_Download() {
    DownloadOpening();
    for (int ch = 1; ch <= ChannelsInUse(); ++ch) {
        WriteCarryMax(ch, TwoDigitGroup(ch), "13", "14");
        StepProgress();
    }
    WriteHoldAndClose();
}

// The maintenance switch first, whatever the value; a unit that does not answer it ends the
// preset silently. A checked value then goes to item 11 of the channel's group.
void J6UFE8Window::cmdPreset_Click(int Index) {
    if (!IsChannel(Index)) return;
    const bool ok = CheckData2(Index);
    if (core::SelectWriteRetry(kRetries, "00", "01", "F").empty()) return;
    if (!ok) return PresetRangeMessage();
    const std::string reply =
        core::SelectWriteRetry(kRetries, TwoDigitGroup(Index + 1), "11", txtPreset(Index).text());
    ShowPresetReply(Index, reply);
}

}  // namespace dunax::modules
