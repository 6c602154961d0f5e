#include "modules/register.h"

#include "core/module_window.h"
#include "modules/analog_in/frm_kw4.h"

namespace dunax::modules {

void RegisterModuleWindows() {
    core::RegisterModuleWindow(0, []() -> core::ModuleWindow& { return frmKW4(); });
}

}  // namespace dunax::modules
