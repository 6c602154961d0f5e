// The load-cell window of the HLS network (model 22): upload and download of the first page.
#include "modules/encoder_loadcell/frm_hlssd2.h"

namespace dunax::modules {

platform::FormInstance<HLSSD2Window> frmHLSSD2;

HLSSD2Window::HLSSD2Window() : LoadCellWindow("frmHLSSD2", 22, false) {}

// The same upload whatever the firmware; items 42 and 44 of each channel fill the boxes of the
// hidden second page. The page buttons and that page stay disabled.
void HLSSD2Window::frmHLSSD2_Init() {
    UploadOpening();
    for (int ch = 1; ch <= ChannelsInUse(); ++ch) {
        const int k = ch - 1;
        if (!ReadSettings(ch) || !ReadChannelItem(ch, "42", txtAdjscale(k)) ||
            !ReadChannelItem(ch, "44", txtAdjGain(k)))
            return UploadFailed();
        StepProgress();
    }
    CloseProgress();
    txt_able(true);
}

// Nothing of the hidden second page is written.
void HLSSD2Window::frmHLSSD2_Download() {
    DownloadOpening();
    for (int ch = 1; ch <= ChannelsInUse(); ++ch) {
        WriteSettings(ch);
        StepProgress();
    }
    DownloadClosing();
}

}  // namespace dunax::modules
