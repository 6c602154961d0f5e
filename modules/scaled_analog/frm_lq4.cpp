#include "modules/scaled_analog/frm_lq4.h"

#include "core/tables.h"
#include "modules/scaled_analog/voltage_range_window.h"

namespace dunax::modules {

platform::FormInstance<LQ4Window> frmLQ4;

LQ4Window::LQ4Window()
    : AnalogWindow(VoltageRangeDesign(
          12, "frmLQ4", 4, {"-10V to 10V", "-5V to 5V", "0V to 10V", "0V to 5V", "1V to 5V"},
          core::RangeUnitLQ4)) {}

// Range code, hold, then per channel the six parameters and the channel's range.
void LQ4Window::frmLQ4_Init() {
    UploadStandard();
}

// Per channel the six boxes as they stand and the range; then the hold setting.
void LQ4Window::frmLQ4_Download() {
    DownloadStandard();
}

}  // namespace dunax::modules
