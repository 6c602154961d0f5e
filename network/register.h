// Makes the network settings windows known to the main window, by network type.
#pragma once

namespace dunax::network {

void RegisterNetworkWindows();

}  // namespace dunax::network
