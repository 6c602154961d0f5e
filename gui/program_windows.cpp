#include "program_windows.h"

#include "config_file/config_file.h"
#include "modules/register.h"
#include "network/register.h"

namespace dunax::gui {

void registerWindows() {
    modules::RegisterModuleWindows();
    network::RegisterNetworkWindows();
    config_file::InstallConfigFileRoutines();
}

}  // namespace dunax::gui
