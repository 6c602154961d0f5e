// Hands the main window the module windows that exist, by model number.
#pragma once

namespace dunax::modules {

// Registers every module window with the main window's dispatch table. Run once at start-up.
void RegisterModuleWindows();

}  // namespace dunax::modules
