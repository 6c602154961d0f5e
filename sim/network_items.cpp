#include "sim/network_items.h"

#include "sim/network_cclink.h"
#include "sim/network_devicenet.h"
#include "sim/network_ethernet.h"
#include "sim/network_flexnet.h"
#include "sim/network_flremote.h"
#include "sim/network_mechatrolink.h"
#include "sim/network_modbus.h"

namespace dunax::sim {

void addNetworkItems(Profile& p) {
    if (p.network == "CC-Link") addCCLinkItems(p);
    if (p.network == "DeviceNet") addDeviceNetItems(p);
    if (p.network == "Modbus") addModbusItems(p);
    if (p.network == "MECHATROLINK") addMechatrolinkItems(p);
    if (p.network == "Ethernet") addEthernetItems(p);
    if (p.network == "FL-Remote") addFLRemoteItems(p);
    if (p.network == "HLS" || p.network == "FLEX NETWORK") addFlexnetItems(p);
}

}  // namespace dunax::sim
