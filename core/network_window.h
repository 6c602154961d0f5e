// What the main window asks of every network settings window, and the table from network
// type to window.
#pragma once

#include <functional>
#include <string>

#include "platform/control.h"

namespace dunax::core {

class NetworkWindow : public platform::Form {
  public:
    explicit NetworkWindow(std::string name) : Form(std::move(name), platform::WindowKind::Top) {}

    // Reads the unit's network settings into the window.
    virtual void btnUpload_Click() = 0;
    // Writes the window's settings, then reads them back.
    virtual void btnDownload_Click() = 0;
};

// The window of a network type 0..7 (6 and 7 share one); null for any other type or a type
// whose window does not exist yet.
NetworkWindow* NetworkWindowFor(int netType);
void RegisterNetworkWindow(int netType, std::function<NetworkWindow&()> instance);

}  // namespace dunax::core
