#include "network/register.h"

#include "core/network_window.h"
#include "network/frm_cclink.h"
#include "network/frm_devicenet.h"
#include "network/frm_ethernet.h"
#include "network/frm_flexnet.h"
#include "network/frm_flremote.h"
#include "network/frm_mechatro.h"
#include "network/frm_modbus.h"

namespace dunax::network {

void RegisterNetworkWindows() {
    core::RegisterNetworkWindow(0, []() -> core::NetworkWindow& { return frmCCLINK(); });
    core::RegisterNetworkWindow(1, []() -> core::NetworkWindow& { return frmDeviceNet(); });
    core::RegisterNetworkWindow(2, []() -> core::NetworkWindow& { return frmModbus(); });
    core::RegisterNetworkWindow(3, []() -> core::NetworkWindow& { return frmMechatro(); });
    core::RegisterNetworkWindow(4, []() -> core::NetworkWindow& { return frmEthernet(); });
    core::RegisterNetworkWindow(5, []() -> core::NetworkWindow& { return frmFLRemote(); });
    core::RegisterNetworkWindow(6, []() -> core::NetworkWindow& { return frmFlexnet(); });
    core::RegisterNetworkWindow(7, []() -> core::NetworkWindow& { return frmFlexnet(); });
}

}  // namespace dunax::network
