#include <array>

#include "core/module_window.h"
#include "core/network_window.h"

namespace dunax::core {

namespace {
std::array<std::function<ModuleWindow&()>, 28>& modules() {
    static std::array<std::function<ModuleWindow&()>, 28> t;
    return t;
}
std::array<std::function<NetworkWindow&()>, 8>& networks() {
    static std::array<std::function<NetworkWindow&()>, 8> t;
    return t;
}
}  // namespace

bool HasModuleWindow(int modelNum) {
    return modelNum >= 0 && modelNum < 28 && static_cast<bool>(modules()[modelNum]);
}

ModuleWindow* ModuleWindowFor(int modelNum) {
    if (!HasModuleWindow(modelNum)) return nullptr;
    return &modules()[modelNum]();
}

void RegisterModuleWindow(int modelNum, std::function<ModuleWindow&()> instance) {
    if (modelNum >= 0 && modelNum < 28) modules()[modelNum] = std::move(instance);
}

NetworkWindow* NetworkWindowFor(int netType) {
    if (netType < 0 || netType > 7 || !networks()[netType]) return nullptr;
    return &networks()[netType]();
}

void RegisterNetworkWindow(int netType, std::function<NetworkWindow&()> instance) {
    if (netType >= 0 && netType <= 7) networks()[netType] = std::move(instance);
}

}  // namespace dunax::core
