#include "core/config_stub.h"

#include "core/globals.h"
#include "platform/host.h"

namespace dunax::core {

namespace {

struct Routines {
    std::function<void()> open;
    std::function<void()> save;
};

Routines& routines() {
    static Routines r;
    return r;
}

void notAvailable(const char* title) {
    platform::host().messageBox("Configuration files are not available in this version.",
                                platform::Icon::Information, platform::Buttons::OK, title);
}

}  // namespace

void SetConfigFileRoutines(std::function<void()> open, std::function<void()> save) {
    routines() = {std::move(open), std::move(save)};
}

void OpenConfigFile() {
    if (routines().open) {
        routines().open();
        return;
    }
    notAvailable("Open");
}

void SaveConfigFile() {
    // Nothing has been read or opened yet: there is nothing to save.
    if (!g.ModuleFormShown) {
        platform::host().messageBox("No Config Data", platform::Icon::None, platform::Buttons::OK,
                                    "Save Error");
        return;
    }
    if (routines().save) {
        routines().save();
        return;
    }
    notAvailable("Save");
}

}  // namespace dunax::core
