// The encoder counter window's upload and download.
#include "core/dispatch.h"
#include "core/download_record.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/text.h"
#include "modules/encoder_loadcell/frm_fe2.h"
#include "modules/encoder_loadcell/frm_fe2_items.h"
#include "modules/window_parts.h"

namespace dunax::modules {

using namespace fe2;

namespace {

// Reads item into box; false (box untouched) when the unit did not answer.
bool ReadInto(int item, platform::Control& box) {
    const std::string reply = core::ItemReadRetry(kRetries, ItemText(item));
    if (reply.empty()) return false;
    box.setText(core::AfterColon(reply));
    return true;
}

}  // namespace

// --- Upload ---

// An upload that stops ends with UploadFailed(): the window keeps what was read so far, its
// page buttons and edits stay off until an upload gets through.
void FE2Window::frmFE2_Init() {
    cmdset_disable();  // Setting page, no page button until the upload is through
    txt_able(false);
    core::ShowLoading("Initializing");
    if (!ReadCountMode()) return UploadFailed();
    for (int ch = 1; ch <= ChannelsInUse(); ++ch) {
        if (!ReadChannel(ch)) return UploadFailed();
        StepProgress();
    }
    if (!ReadModuleItems()) return UploadFailed();
    CloseProgress();
    cmdSet3->setEnabled(true);
    cmdSet4->setEnabled(true);
    txt_able(true);
}

// The count mode chooses the view before any channel is read. A reply that names neither mode
// (a refusal) shows "ERROR" and leaves the view as it was.
bool FE2Window::ReadCountMode() {
    const std::string reply =
        core::SelectReadRetry(kRetries, kSettingGroup, ItemText(kCountModeItem));
    if (reply.empty()) return false;
    const std::string mode = core::AfterColon(reply);
    if (mode == "POS") {
        txtTM(6).setText("POSITION");
        core::g.FE2DisplayMode = 0;
        dtype_change();
    } else if (mode == "SPE") {
        txtTM(6).setText("SPEED");
        core::g.FE2DisplayMode = 1;
        dtype_change();
    } else {
        txtTM(6).setText("ERROR");
    }
    return true;
}

// The channel's five monitored values from group 00, then its settings from group 01. Each
// box is filled as its reply comes, so a stop leaves what was read so far.
bool FE2Window::ReadChannel(int ch) {
    const int k = ch - 1;
    core::SelectWriteRetry(kRetries, kMonitorGroup, "01", "F");
    for (const ChannelItem& m : kMonitorItems) {
        if (!ReadInto(m.item(ch), (this->*m.box)(k))) return false;
    }
    core::SelectWriteRetry(kRetries, kSettingGroup, "01", "F");
    if (!ReadInto(kDropOutItem.item(ch), (this->*kDropOutItem.box)(k))) return false;
    for (const ChannelItem& s : kLimitItems) {
        if (!ReadInto(s.item(ch), (this->*s.box)(k))) return false;
    }
    for (const ChannelItem& s : kAdjustItems) {
        if (!ReadInto(s.item(ch), (this->*s.box)(k))) return false;
    }
    return true;
}

// Alarm timers, frequency range and position count mode, in the group still selected.
bool FE2Window::ReadModuleItems() {
    for (int i = 0; i < 3; ++i) {
        if (!ReadInto(kTimerItems[static_cast<std::size_t>(i)], txtTM(i))) return false;
    }
    return ReadInto(kFrequencyRangeItem, txtTM(3)) && ReadInto(kPositionCountModeItem, txtTM(4));
}

// --- Download ---

// Both channels whatever the unit's channel count, then the alarm timers; the read-back upload
// that follows shows what the unit took, and a refusal is named after it. The count mode,
// frequency range and position count mode are never written.
void FE2Window::frmFE2_Download() {
    txt_able(false);
    cmdSet1->setEnabled(false);
    cmdSet3->setEnabled(false);
    cmdSet4->setEnabled(false);
    // Refusals of these two are named for their groups: the download goes on writing.
    core::DownloadWrite("Maintenance switch of the monitored values", kMonitorGroup, "01", "F");
    core::DownloadWrite("Maintenance switch of the settings", kSettingGroup, "01", "F");
    core::ShowLoading("Downloading");

    auto write = [this](const ChannelItem& s, int ch) {
        const platform::Control& box = (this->*s.box)(ch - 1);
        core::DownloadItemWrite(box.accessibleName(), ItemText(s.item(ch)), box.text());
    };
    for (int ch = 1; ch <= 2; ++ch) {
        write(kDropOutItem, ch);
        // The unit takes a reset value only within its minimum and maximum, and those only
        // around each other: three rounds let any new combination settle, and only the last
        // round's refusals count.
        for (int round = 0; round < 2; ++round) {
            for (const ChannelItem& s : kLimitItems) {
                core::DownloadItemTry(ItemText(s.item(ch)), (this->*s.box)(ch - 1).text());
            }
        }
        for (const ChannelItem& s : kLimitItems) write(s, ch);
        for (const ChannelItem& s : kAdjustItems) write(s, ch);
        StepProgress();
    }
    for (int i = 0; i < 3; ++i) {
        core::DownloadItemWrite(txtTM(i).accessibleName(),
                                ItemText(kTimerItems[static_cast<std::size_t>(i)]),
                                txtTM(i).text());
    }
    StepProgress();
    CloseProgress();
    // No read-back follows a download the unit stopped answering: the page buttons and edits
    // open again with the entries as they stand, for another try.
    if (!core::DownloadUnitGone()) return;
    for (platform::Control* page : {frmSet1, frmSet3, frmSet4}) {
        if (page->visible()) showPage(page, false);
    }
    txt_able(true);
}

}  // namespace dunax::modules
