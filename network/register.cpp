#include "network/register.h"

#include "core/network_window.h"
#include "network/frm_cclink.h"

namespace dunax::network {

void RegisterNetworkWindows() {
    core::RegisterNetworkWindow(0, []() -> core::NetworkWindow& { return frmCCLINK(); });
}

}  // namespace dunax::network
