// The File menu's configuration-file commands. Until the configuration-file routines are
// installed, Open says that configuration files are not available and Save does the same once
// there is something to save; neither shows a file dialog or writes anything.
#pragma once

#include <functional>

namespace dunax::core {

// File > Open: loads a configuration file into the globals and the windows.
void OpenConfigFile();
// File > Save: writes the shown unit's settings to a configuration file; "No Config Data"
// while no module window has been shown.
void SaveConfigFile();

// The configuration-file layer installs its two routines here at start-up; an empty
// function puts the stand-in back.
void SetConfigFileRoutines(std::function<void()> open, std::function<void()> save);

}  // namespace dunax::core
