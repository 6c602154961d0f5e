// The load-cell window of model 21: upload and download with the firmware-dependent second
// page and Output Hold/Clear.
#include "modules/encoder_loadcell/frm_sd2.h"

#include "core/globals.h"
#include "core/link.h"
#include "core/text.h"

namespace dunax::modules {

platform::FormInstance<SD2Window> frmSD2;

namespace {
constexpr const char* kLagFilter = "Mode : First order lag filter Mode";
constexpr const char* kMovingAverage = "Mode : Moving average filter Mode";
}  // namespace

SD2Window::SD2Window() : LoadCellWindow("frmSD2", 21, true) {}

// --- Upload ---

void SD2Window::frmSD2_Init() {
    UploadOpening();
    ApplyLayout();
    // An unanswered hold read ends the upload like any other: the window must not look
    // uploaded when the unit was not read.
    if (HoldOffered() && !ReadHoldChoice(*optKeepOn, *optKeepOff)) return UploadFailed();
    for (int ch = 1; ch <= ChannelsInUse(); ++ch) {
        if (!ReadSettings(ch)) return UploadFailed();
        if (core::g.NewFirmware && !ReadSecondPage(ch)) return UploadFailed();
        StepProgress();
    }
    CloseProgress();
    cmdSet2->setEnabled(true);
    txt_able(true);
    txt_able2(true);
}

// Newer firmware: both pages, monitor output and gain adjustment. Older firmware: a second
// page only for Output Hold/Clear, and none at all on a network without it.
void SD2Window::ApplyLayout() {
    const bool hold = HoldOffered();
    const bool pages = core::g.NewFirmware || hold;
    cmdSet1->setVisible(pages);
    cmdSet2->setVisible(pages);
    txt_visible2(core::g.NewFirmware);
    Frame2->setVisible(hold);
}

// Monitor output (38), filter mode (09) and gain adjustment (40), each with the channel's
// group sent again. One filter mode label serves both channels: the last channel read shows.
bool SD2Window::ReadSecondPage(int ch) {
    const int k = ch - 1;
    if (!ReadChannelItem(ch, "38", txtAdjscale(k))) return false;
    const std::string mode = core::SelectReadRetry(kRetries, Group(ch), "09");
    if (mode.empty()) return false;
    lblMode->setCaption(core::AfterColon(mode) == "1" ? kLagFilter : kMovingAverage);
    return ReadChannelItem(ch, "40", txtAdjGain(k));
}

// --- Download ---

// The read-back upload that follows shows what the unit took; a refusal is named after it.
// The monitor output and gain adjustment belong to their buttons and are not written here.
void SD2Window::frmSD2_Download() {
    DownloadOpening();
    cmdSet1->setEnabled(false);
    cmdSet2->setEnabled(false);
    for (int ch = 1; ch <= ChannelsInUse(); ++ch) {
        WriteSettings(ch);
        StepProgress();
    }
    if (HoldOffered()) WriteHoldChoice(*optKeepOn);
    DownloadClosing();
}

}  // namespace dunax::modules
