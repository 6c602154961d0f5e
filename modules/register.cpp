#include "modules/register.h"

#include "core/module_window.h"
#include "modules/analog_in/frm_bj4.h"
#include "modules/analog_in/frm_gf4a.h"
#include "modules/analog_in/frm_kw4.h"
#include "modules/analog_in/frm_qn4.h"
#include "modules/analog_in/frm_ux4.h"
#include "modules/analog_in/frm_zp4.h"
#include "modules/discrete_counter/frm_fe16.h"
#include "modules/discrete_counter/frm_fe8.h"
#include "modules/discrete_counter/frm_j6ufe8.h"
#include "modules/discrete_counter/register_discrete.h"
#include "modules/encoder_loadcell/frm_fe2.h"
#include "modules/encoder_loadcell/frm_hlssd2.h"
#include "modules/encoder_loadcell/frm_sd2.h"
#include "modules/scaled_analog/frm_kw8.h"
#include "modules/scaled_analog/frm_lq2.h"
#include "modules/scaled_analog/frm_lq4.h"
#include "modules/scaled_analog/frm_lq4a.h"
#include "modules/scaled_analog/frm_tlq2.h"
#include "modules/scaled_analog/frm_vh4n.h"
#include "modules/scaled_analog/frm_wz2.h"
#include "modules/scaled_analog/frm_wz4.h"
#include "modules/scaled_analog/frm_wz4l.h"

namespace dunax::modules {

void RegisterModuleWindows() {
    core::RegisterModuleWindow(0, []() -> core::ModuleWindow& { return frmKW4(); });
    core::RegisterModuleWindow(1, []() -> core::ModuleWindow& { return frmBJ4(); });
    core::RegisterModuleWindow(2, []() -> core::ModuleWindow& { return frmQN4(); });
    core::RegisterModuleWindow(11, []() -> core::ModuleWindow& { return frmZP4(); });
    core::RegisterModuleWindow(7, []() -> core::ModuleWindow& { return frmUX4(); });
    core::RegisterModuleWindow(8, []() -> core::ModuleWindow& { return frmGF4A(); });
    core::RegisterModuleWindow(3, []() -> core::ModuleWindow& { return frmLQ2(); });
    core::RegisterModuleWindow(12, []() -> core::ModuleWindow& { return frmLQ4(); });
    core::RegisterModuleWindow(15, []() -> core::ModuleWindow& { return frmTLQ2(); });
    core::RegisterModuleWindow(4, []() -> core::ModuleWindow& { return frmWZ2(); });
    core::RegisterModuleWindow(13, []() -> core::ModuleWindow& { return frmWZ4(); });
    core::RegisterModuleWindow(18, []() -> core::ModuleWindow& { return frmKW8(); });
    core::RegisterModuleWindow(19, []() -> core::ModuleWindow& { return frmLQ4A(); });
    core::RegisterModuleWindow(24, []() -> core::ModuleWindow& { return frmVH4N(); });
    core::RegisterModuleWindow(26, []() -> core::ModuleWindow& { return frmWZ4L(); });
    core::RegisterModuleWindow(10, []() -> core::ModuleWindow& { return frmFE16(); });
    core::RegisterModuleWindow(14, []() -> core::ModuleWindow& { return frmFE8(); });
    core::RegisterModuleWindow(23, []() -> core::ModuleWindow& { return frmJ6UFE8(); });
    core::RegisterModuleWindow(17, []() -> core::ModuleWindow& { return frmFE2(); });
    core::RegisterModuleWindow(21, []() -> core::ModuleWindow& { return frmSD2(); });
    core::RegisterModuleWindow(22, []() -> core::ModuleWindow& { return frmHLSSD2(); });
    RegisterDiscreteWindows();  // 5, 6, 9, 16, 20, 25, 27
}

}  // namespace dunax::modules
