#include "modules/scaled_analog/frm_wz2.h"

#include "modules/scaled_analog/current_window.h"

namespace dunax::modules {

platform::FormInstance<WZ2Window> frmWZ2;

WZ2Window::WZ2Window() : AnalogWindow(CurrentDesign(4, "frmWZ2", 2, 1)) {}

// Hold, then per channel the six parameters; the bases are labelled mA.
void WZ2Window::frmWZ2_Init() {
    UploadStandard();
}

// Per channel the six boxes as they stand; then the hold setting.
void WZ2Window::frmWZ2_Download() {
    DownloadStandard();
}

}  // namespace dunax::modules
