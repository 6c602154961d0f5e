#include "modules/scaled_analog/frm_lq2.h"

#include "core/tables.h"
#include "modules/scaled_analog/voltage_range_window.h"

namespace dunax::modules {

platform::FormInstance<LQ2Window> frmLQ2;

LQ2Window::LQ2Window()
    : AnalogWindow(VoltageRangeDesign(3, "frmLQ2", 2,
                                      {"-10V to 10V", "-5V to 5V", "-1V to 1V", "0V to 10V",
                                       "0V to 5V", "1V to 5V", "0V to 1V", "-0.5V to 0.5V"},
                                      core::RangeUnitLQ2)) {}

// Range code, hold, then per channel the six parameters and the channel's range.
void LQ2Window::frmLQ2_Init() {
    UploadStandard();
}

// Per channel the six boxes as they stand and the range; then the hold setting.
void LQ2Window::frmLQ2_Download() {
    DownloadStandard();
}

}  // namespace dunax::modules
