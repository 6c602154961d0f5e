#include "program_windows.h"

#include "modules/register.h"
#include "network/register.h"

namespace dunax::gui {

void registerWindows() {
    modules::RegisterModuleWindows();
    network::RegisterNetworkWindows();
}

}  // namespace dunax::gui
