#include "modules/discrete_counter/register_discrete.h"

#include "core/module_window.h"
#include "modules/discrete_counter/frm_bv8.h"
#include "modules/discrete_counter/frm_discrete_in.h"
#include "modules/discrete_counter/frm_jr16.h"
#include "modules/discrete_counter/frm_jr8y.h"
#include "modules/discrete_counter/frm_mx16.h"
#include "modules/discrete_counter/frm_mxj16.h"

namespace dunax::modules {

void RegisterDiscreteWindows() {
    core::RegisterModuleWindow(5, []() -> core::ModuleWindow& { return frmMX16(); });
    core::RegisterModuleWindow(6, []() -> core::ModuleWindow& { return frmJR16(); });
    core::RegisterModuleWindow(9, []() -> core::ModuleWindow& { return frmJR8U(); });
    core::RegisterModuleWindow(16, []() -> core::ModuleWindow& { return frmBV8(); });
    core::RegisterModuleWindow(20, []() -> core::ModuleWindow& { return frmMXJ16(); });
    core::RegisterModuleWindow(25, []() -> core::ModuleWindow& { return frmJR4T(); });
    core::RegisterModuleWindow(27, []() -> core::ModuleWindow& { return frmJR8Y(); });
}

}  // namespace dunax::modules
