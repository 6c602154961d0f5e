#include "modules/scaled_analog/frm_wz4.h"

#include "modules/scaled_analog/current_window.h"

namespace dunax::modules {

platform::FormInstance<WZ4Window> frmWZ4;

WZ4Window::WZ4Window() : AnalogWindow(CurrentDesign(13, "frmWZ4", 4, 2)) {}

// Hold, then per channel the six parameters; the bases are labelled mA.
void WZ4Window::frmWZ4_Init() {
    UploadStandard();
}

// Per channel the six boxes as they stand; then the hold setting.
void WZ4Window::frmWZ4_Download() {
    DownloadStandard();
}

}  // namespace dunax::modules
